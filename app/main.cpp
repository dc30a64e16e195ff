#include "look.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    enableHighDpiScaling();
    QApplication a(argc, argv);
    MainWindow w;
    w.show();
    return a.exec();
}
