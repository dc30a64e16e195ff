#include "look.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPalette>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QWidget>

#include <limits>

namespace {

int widestText(const QFont &font, const QStringList &texts)
{
    const QFontMetrics fm(font);
    int widest = 0;
    for (const QString &t : texts)
        widest = qMax(widest, fm.horizontalAdvance(t));
    return widest;
}

// The width a line edit lays its text out in: the style's contents
// rectangle (the sheet's border and padding taken off) less the 2 px
// QLineEdit keeps on either side.
int textWidth(QLineEdit *edit)
{
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    opt.rect = edit->rect();
    opt.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit) : 0;
    const QMargins m = edit->textMargins();
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit).width() - m.left() - m.right() - 4;
}

const QLatin1String kOneRowChunk("height:1px;");

const char *const kChannelNames[] = {"lineEdit_9",  "lineEdit_19", "lineEdit_20", "lineEdit_21",
                                     "lineEdit_22", "lineEdit_23", "lineEdit_24", "lineEdit_25"};

}  // namespace

QString fittingFamily(const QFont &font, const QStringList &texts, int width, const QStringList &candidates)
{
    QString narrowest;
    int narrowestWidth = std::numeric_limits<int>::max();
    for (const QString &family : candidates) {
        QFont f(font);
        f.setFamily(family);
        const int w = widestText(f, texts);
        if (w <= width)
            return family;
        if (w < narrowestWidth) {
            narrowestWidth = w;
            narrowest = family;
        }
    }
    return narrowest;
}

QStringList channelNameFamilies(const QString &inherited)
{
    // Narrow faces: Debian's fonts-liberation, the common one elsewhere,
    // then condensed faces other distributions ship.
    return {inherited, QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
            QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Nimbus Sans Narrow")};
}

namespace {

void settleCaptionsAndFocus(QWidget *window)
{
    // Captions take no focus (the form says so), so a selection the mouse
    // makes in one would never be cleared by a focus change: drop it at once.
    for (QLineEdit *e : window->findChildren<QLineEdit *>())
        if (e->isReadOnly())
            QObject::connect(e, &QLineEdit::selectionChanged, e, &QLineEdit::deselect);
    // Desktops that tab through text fields only would hand the first focus
    // to a read-out and blink a cursor in it; opening the port comes first.
    if (auto *open = window->findChild<QWidget *>(QStringLiteral("openButton")))
        open->setFocus();
}

void fitChannelNames(QWidget *window)
{
    QList<QLineEdit *> names;
    QStringList texts;
    for (const char *n : kChannelNames) {
        if (auto *e = window->findChild<QLineEdit *>(QLatin1String(n))) {
            names << e;
            texts << e->text();
        }
    }
    if (names.isEmpty())
        return;
    QLineEdit *first = names.first();
    // The sheet's size and weight reach the font once it is polished.
    first->ensurePolished();
    const QString family =
        fittingFamily(first->font(), texts, textWidth(first), channelNameFamilies(first->font().family()));
    // Only the family: the sheet keeps its size and weight.
    for (QLineEdit *e : names) {
        QFont f = e->font();
        f.setFamily(family);
        e->setFont(f);
    }
}

// A changed bar or value is painted over every widget behind it, each
// filling the area with its sheet's background (the page's gradient
// among them), unless Qt knows that something in front covers it.
// The monitor's panel fills itself with one solid colour, and so does
// each bar (square, no border): say so, and only the panel (under a
// value's round corners) and the bar itself are painted.
// Polishing with a sheet takes both claims back, so they come after it.
void paintMonitorOpaque(QWidget *window)
{
    for (QProgressBar *bar : window->findChildren<QProgressBar *>()) {
        // A chunk one pixel high makes the style fill a bar row by row, up
        // to 180 fills for one bar; a chunk with no height fills the same
        // rows in one go.
        const QString sheet = bar->styleSheet();
        const int chunk = sheet.indexOf(QLatin1String("::chunk"));
        const int row = chunk < 0 ? -1 : sheet.indexOf(kOneRowChunk, chunk);
        if (row >= 0)
            bar->setStyleSheet(QString(sheet).remove(row, kOneRowChunk.size()));
        bar->ensurePolished();
        bar->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    if (auto *panel = window->findChild<QWidget *>(QStringLiteral("frame_3"))) {
        panel->ensurePolished();
        panel->setAutoFillBackground(true);  // the palette's window brush is the sheet's colour
    }
}

// Styles that take the arrow colour from the sheet's text colour lose
// the arrows against the light buttons; the Windows style draws them
// on buttons in the field's own background.
void showSpinArrows(QWidget *window)
{
    const auto spins = window->findChildren<QAbstractSpinBox *>();
    if (spins.isEmpty() || window->style()->objectName().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0)
        return;
    if (QStyle *arrows = QStyleFactory::create(QStringLiteral("Windows"))) {
        arrows->setParent(window);
        for (QAbstractSpinBox *s : spins)
            s->setStyle(arrows);
    }
}

// A tool tip takes its background from the form's sheets (the dark greys
// set on the window and the pages) but its text colour from the platform's
// tool-tip palette, black on most desktops: light text on the form's grey
// reads at any desktop's setting, and so does a tip shown outside the sheets.
void readableToolTips()
{
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(40, 40, 40));
    tips.setColor(QPalette::ToolTipText, QColor(240, 240, 240));
    QToolTip::setPalette(tips);
}

// The first two mixes' columns start 10 px higher than the last two's,
// under their titles' descenders: each column's rows start where the
// lowest ones do, inside the columns' designed rectangles.
void alignMixColumns(QWidget *window)
{
    QList<QWidget *> columns;
    int top = 0;
    for (const char *name : {"groupBox_11", "groupBox_12", "groupBox_15", "groupBox_21"}) {
        auto *box = window->findChild<QGroupBox *>(QLatin1String(name));
        if (!box)
            return;
        for (QWidget *w : box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->layout())
                columns << w, top = qMax(top, w->y());
    }
    for (QWidget *w : columns) {
        QMargins m = w->layout()->contentsMargins();
        m.setTop(m.top() + top - w->y());
        w->layout()->setContentsMargins(m);
        // The window's grey would otherwise cover the title's lower part.
        w->setStyleSheet(QStringLiteral("#%1 { background: transparent; }").arg(w->objectName()));
    }
}

}  // namespace

void adaptLookToPlatform(QWidget *window)
{
    readableToolTips();
    alignMixColumns(window);
    settleCaptionsAndFocus(window);
    fitChannelNames(window);
    paintMonitorOpaque(window);
    showSpinArrows(window);
}

void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Qt 5 keeps rounding the factor to a whole number: unlike Qt 6 it
    // takes the screen's physical density when the desktop sets none, and
    // a 92 or 100 dpi monitor would blur the window by 0.96 or 1.04.
#endif
}

void formInScrollArea(QMainWindow *window)
{
    QWidget *form = window->centralWidget();
    form->setFixedSize(window->size());
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("formArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setAlignment(Qt::AlignCenter);
    // The room around a centred form in the form's own grey; a palette, as
    // a sheet here would reach every editor of the form.
    QPalette grey = area->viewport()->palette();
    grey.setColor(QPalette::Window, QColor(40, 40, 40));
    grey.setColor(QPalette::Base, QColor(40, 40, 40));
    area->viewport()->setPalette(grey);
    area->viewport()->setAutoFillBackground(true);
    area->setWidget(window->takeCentralWidget());
    window->setCentralWidget(area);
}

void showOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // No frame to measure before the window is mapped; 40 px is a
        // usual title bar with its border.
        const QRect room = screen->availableGeometry().adjusted(0, 40, 0, 0);
        if (window->width() > room.width() || window->height() > room.height()) {
            window->resize(window->size().boundedTo(room.size()));
            window->move(room.topLeft() - QPoint(0, 40));
        }
    }
    window->show();
}
