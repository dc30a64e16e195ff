#include "startup.h"

#include "look.h"
#include "mainwindow.h"

#include <QIcon>

std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const ProgramOptions &program,
                                               StartOptions *options, int *status)
{
    if (answeredWithoutWindow(argc, argv, program, status))
        return nullptr;
    enableHighDpiScaling();
    auto app = std::make_unique<QApplication>(argc, argv);
    // Lets Wayland desktops match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvikquorel.zqconfig"));
    // The title bar and the task switcher show this where the desktop does
    // not take the menu entry's icon; bundled, so a build that is not
    // installed has it too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/myImage/images/app.png")));
    *options = parseStartOptions(app->arguments(), qEnvironmentVariable(kLangVariable), program);
    if (options->action != StartOptions::Run) {
        *status = reportStartOptions(*options);
        return nullptr;
    }
    useLanguage(options->language);
    useQtLanguage(options->language);
    return app;
}

void applyWindowOptions(MainWindow &window, const StartOptions &options)
{
    window.setVerifyWrites(options.verify);
}
