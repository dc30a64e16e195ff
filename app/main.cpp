#include "look.h"
#include "mainwindow.h"
#include "options.h"
#include "portoffer.h"
#include "readback.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    const ProgramOptions program{QStringLiteral("Reads, edits, saves and writes back the settings of the Zarvik&Quorel 8-channel "
                       "radio-control transmitter over its serial line, and shows its live channel outputs."), true};
    int status = 0;
    if (answeredWithoutWindow(argc, argv, program, &status))
        return status;

    enableHighDpiScaling();
    QApplication a(argc, argv);
    // Lets Wayland desktops match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvikquorel.zqconfig"));
    const StartOptions options = parseStartOptions(a.arguments(), qEnvironmentVariable(kLangVariable), program);
    if (options.action != StartOptions::Run)
        return reportStartOptions(options);
    useEnglishTexts(options.english);
    verifyWrites = options.verify;

    MainWindow w;
    preselectPort(w.findChild<QComboBox *>(QStringLiteral("portNameBox")), options.port);
    w.show();
    return a.exec();
}
