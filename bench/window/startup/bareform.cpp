// The start-up yardstick: the tool's form through uic, plain widgets for
// the two curves, its images and sheets, set up and shown; nothing else.
#include "firstturn.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    window.show();
    reportFirstTurn(window);
    return app.exec();
}
