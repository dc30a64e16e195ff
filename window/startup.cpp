#include "startup.h"

#include "look.h"
#include "mainwindow.h"

#include <QFileInfo>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

namespace {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#define ZQ_ICON_ENGINE_CONST
#else
#define ZQ_ICON_ENGINE_CONST const
#endif

// The application icon, decoded when something asks for its pixels (a
// title bar where the desktop does not take the menu entry's icon, a box
// that shows it) and not before: decoded at start it took a millisecond
// and a quarter of a MiB whether or not anything showed it.  Sizes and
// scaling as Qt's own engine for one file has them.
class BundledIcon : public QIconEngine
{
public:
    explicit BundledIcon(const QString &file) : file(file) {}
    QIconEngine *clone() const override { return new BundledIcon(file); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) ZQ_ICON_ENGINE_CONST override
    {
        // The file's header tells its size; its pixels wait.
        if (mode != QIcon::Normal || state != QIcon::Off)
            return {};
        return {QImageReader(file).size()};
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const QSize own = QImageReader(file).size();
        return own.width() > size.width() || own.height() > size.height() ? own.scaled(size, Qt::KeepAspectRatio) : own;
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (image.isNull())
            image = QPixmap(file);
        const QSize shown = actualSize(size, mode, state);
        return shown == image.size() ? image : image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatioF(), mode, state));
    }

private:
    const QString file;
    QPixmap image;
};

// Without a display Qt's platform plug-in would abort the program with
// advice to reinstall it; the user is told what is missing instead.  Any
// platform or display asked for explicitly is left for Qt to try.
bool noDisplay(int argc, char **argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name))
            return false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray word = QByteArray(argv[i]).split('=').first();
        if (word == "-platform" || word == "--platform" || word == "-display" || word == "--display")
            return false;
    }
    return true;
#else
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return false;
#endif
}

}  // namespace

std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const ProgramOptions &program,
                                               StartOptions *options, int *status)
{
    if (answeredWithoutWindow(argc, argv, program, status))
        return nullptr;
    if (noDisplay(argc, argv)) {
        const QByteArray name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit();
        std::fprintf(stderr,
                     "%s: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                     "to work on configuration files without a window, use zqconfig-file\n",
                     name.constData());
        *status = 1;
        return nullptr;
    }
    enableHighDpiScaling();
    auto app = std::make_unique<QApplication>(argc, argv);
    // Lets Wayland desktops match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvikquorel.zqconfig"));
    // The title bar and the task switcher show this where the desktop does
    // not take the menu entry's icon; bundled, so a build that is not
    // installed has it too.
    QApplication::setWindowIcon(QIcon(new BundledIcon(QStringLiteral(":/myImage/images/app.png"))));
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

int runToolWindow(int argc, char **argv, const ProgramOptions &program, const std::function<void(MainWindow &)> &shown)
{
    StartOptions options;
    int status = 0;
    const auto app = startApplication(argc, argv, program, &options, &status);
    if (!app)
        return status;

    MainWindow w;
    applyWindowOptions(w, options);
    w.choosePort(options.port);
    showOnScreen(&w);
    if (shown)
        shown(w);
    return app->exec();
}
