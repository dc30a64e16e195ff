// The tool as its own main() starts it (programs/zqconfig/main.cpp), with
// the start-up benchmark's report of the first turn of its event loop.
#include "firstturn.h"
#include "mainwindow.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    const ProgramOptions program{QStringLiteral("The start-up benchmark's tool."), true};
    StartOptions options;
    int status = 0;
    const auto app = startApplication(argc, argv, program, &options, &status);
    if (!app)
        return status;

    MainWindow w;
    applyWindowOptions(w, options);
    w.choosePort(options.port);
    w.show();
    reportFirstTurn(w);
    return app->exec();
}
