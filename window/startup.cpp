#include "startup.h"

#include "look.h"
#include "mainwindow.h"

#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

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

}  // namespace

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
