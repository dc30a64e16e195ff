// The tool as its own main() starts it (runToolWindow, as in
// programs/zqconfig/main.cpp), with the start-up benchmark's report of the
// first turn of its event loop.
#include "firstturn.h"
#include "mainwindow.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    const ProgramOptions program{QStringLiteral("The start-up benchmark's tool."), true};
    return runToolWindow(argc, argv, program, [](MainWindow &w) { reportFirstTurn(w); });
}
