#include "look.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    enableHighDpiScaling();
    QApplication a(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ZQ_VERSION));
    // Lets Wayland desktops match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvikquorel.zqconfig"));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Reads, edits, saves and writes back the settings of the Zarvik&Quorel 8-channel "
                       "radio-control transmitter over its serial line, and shows its live channel outputs."));
    options.addHelpOption();
    options.addVersionOption();
    options.process(a);
    MainWindow w;
    w.show();
    return a.exec();
}
