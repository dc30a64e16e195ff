#include "look.h"
#include "mainwindow.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    const ProgramOptions program{
        QStringLiteral("Reads, edits, saves and writes back the settings of the Zarvik&Quorel 8-channel "
                       "radio-control transmitter over its serial line, and shows its live channel outputs."),
        true};
    StartOptions options;
    int status = 0;
    const auto app = startApplication(argc, argv, program, &options, &status);
    if (!app)
        return status;

    MainWindow w;
    applyWindowOptions(w, options);
    w.choosePort(options.port);
    showOnScreen(&w);
    return app->exec();
}
