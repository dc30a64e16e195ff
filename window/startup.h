#pragma once

#include "options.h"

#include <QApplication>

#include <functional>
#include <memory>

class MainWindow;

// The start shared by the tool and the demo, up to the window: --help,
// --version and a bad command line answered without a display, a start
// without one refused with a line naming zqconfig-file (status 1), high-DPI
// scaling, the application object with the desktop file name, and the
// language.  Null, with the exit status in *status, when the program is to
// stop there.  argc must outlive the application.
std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const ProgramOptions &program,
                                               StartOptions *options, int *status);

// The tool's whole start, as its main() runs it: the application, the
// window with its options and port, shown on the screen, and the event
// loop.  `shown` runs once the window is up (the start-up benchmark's
// report); the return value is the exit status.
int runToolWindow(int argc, char **argv, const ProgramOptions &program,
                  const std::function<void(MainWindow &)> &shown = {});

// What the options say about the window itself (whether its writes are read
// back); the tool and the demo call it on the window they create.
void applyWindowOptions(MainWindow &window, const StartOptions &options);
