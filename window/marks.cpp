#include "marks.h"

#include "configmodel.h"
#include "historytexts.h"
#include "readback.h"
#include "settingstable.h"
#include "texts.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>

namespace {

// Orange stands out against the pages' dark ground, the editors' blue and
// the hover green alike; the corner tells a marked editor apart without
// colour.
const QColor kMarkColour(255, 140, 0);

// Drawn over the editor's own transparent border, so an unmarked editor
// keeps its designed pixels: the frame exists only while it is marked.
class DifferenceFrame : public QWidget
{
public:
    explicit DifferenceFrame(QWidget *editor) : QWidget(editor)
    {
        setObjectName(QStringLiteral("differenceFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        // The central widget's sheet gives every widget below it a dark
        // background, which would hide the editor's value.
        setStyleSheet(QStringLiteral("background: transparent;"));
        setGeometry(editor->rect());
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kMarkColour, 3));
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
        const qreal w = width(), c = qMin<qreal>(12, height() / 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(kMarkColour);
        const QPointF corner[3] = {QPointF(w - c, 0), QPointF(w, 0), QPointF(w, c)};
        p.drawPolygon(corner, 3);
    }
};

struct Place
{
    QWidget *editor;
    bool direct;
};

}  // namespace

DifferenceMarks::DifferenceMarks(QWidget *window, ConfigModel &pages, const ConfigModel &held, const bool &heldKnown,
                                 QTabWidget *tabs)
    : QObject(window), window(window), pages(pages), held(held), heldKnown(heldKnown), tabs(tabs),
      backAll(new QAction(window))
{
    for (int i = 0; i < tabs->count(); ++i)
        designedTabTexts << tabs->tabText(i);
    for (QWidget *w : tabs->findChildren<QWidget *>()) {
        if (!qobject_cast<QAbstractSpinBox *>(w) && !qobject_cast<QComboBox *>(w))
            continue;
        editors.insert(w->objectName(), w);
        w->installEventFilter(this);
        // A spin box's right click lands on its line edit first.
        if (auto *edit = w->findChild<QLineEdit *>())
            edit->installEventFilter(this);
    }
    backAll->setText(differenceTexts().backAll);
    backAll->setShortcut(shortcut());
    backAll->setShortcutContext(Qt::WindowShortcut);
    backAll->setEnabled(false);
    window->addAction(backAll);
    connect(backAll, &QAction::triggered, this, &DifferenceMarks::takeBackAll);
}

QVector<QWidget *> DifferenceMarks::editorsOf(const Setting &s, const ConfigModel &pages, bool *direct) const
{
    if (direct)
        *direct = true;
    if (s.array == &ConfigModel::StkStep)
        return {editor(QStringLiteral("spinBox_step%1").arg(settingTrimRow(s, pages.Mode)))};
    const bool up = s.array == &ConfigModel::DR_UpRate || s.array == &ConfigModel::DR_UpExp;
    const bool rate = s.array == &ConfigModel::DR_UpRate || s.array == &ConfigModel::DR_DownRate;
    if (rate || s.array == &ConfigModel::DR_UpExp || s.array == &ConfigModel::DR_DownExp) {
        // Each dual-rate page shows one channel's entries, and the curve
        // page one position's.
        const auto hidden = [direct](QVector<QWidget *> by) {
            if (direct)
                *direct = false;
            return by;
        };
        if (pages.DR_CH != s.index)
            return hidden(rate ? QVector<QWidget *>{editor(QStringLiteral("comboBox_DR_CH1")),
                                                    editor(QStringLiteral("comboBox_DR_CH2"))}
                               : QVector<QWidget *>{editor(QStringLiteral("comboBox_DR_CH2"))});
        const bool atPosition = pages.DR_POSI == (up ? 0 : 1);
        if (!rate)
            return atPosition ? QVector<QWidget *>{editor(QStringLiteral("spinBox_DR_EXP"))}
                              : hidden({editor(QStringLiteral("comboBox_DR_POSI"))});
        QVector<QWidget *> v{editor(up ? QStringLiteral("spinBox_DR_UP1") : QStringLiteral("spinBox_DR_DOWN1"))};
        if (atPosition)
            v << editor(QStringLiteral("spinBox_DR_RATE"));
        return v;
    }
    QVector<QWidget *> v;
    for (const QString &name : s.boxes)
        v << editor(name);
    return v;
}

void DifferenceMarks::refresh()
{
    const int selection = (pages.DR_CH * 2 + pages.DR_POSI) * 8 + pages.Mode;
    QVector<HeldDifference> now = comparing() ? heldDifferences(pages, against()) : QVector<HeldDifference>();
    if (now == marked && (marked.isEmpty() || selection == markedSelection))
        return;
    marked = std::move(now);
    markedSelection = selection;
    mark();
}

void DifferenceMarks::setReference(const ConfigModel *state, const QString &name)
{
    reference = state;
    referenceName = name;
    backAll->setText(reference ? historyTexts().takeAllFrom.arg(name) : differenceTexts().backAll);
    // The texts name what is compared: every mark is drawn anew.
    marked.clear();
    mark();
    refresh();
}

void DifferenceMarks::mark()
{
    DifferenceTexts texts = differenceTexts();
    if (reference) {
        const HistoryTexts in = historyTexts();
        texts.holds = in.holdsIn.arg(referenceName, QStringLiteral("%1"));
        texts.holdsList = in.holdsInList.arg(referenceName);
        texts.tabTip = in.tabTipIn.arg(QStringLiteral("%1"), referenceName);
    }
    struct Tip
    {
        QStringList lines;
        QString value;
        bool direct = true;
    };
    QHash<QWidget *, Tip> tips;
    QVector<QSet<const Setting *>> onTab(tabs->count());
    for (const HeldDifference &d : marked) {
        bool direct = true;
        const QString value = settingValueText(*d.setting, d.held);
        const QString line = settingLabel(*d.setting, pages.Mode) + QStringLiteral(": ") + value;
        for (QWidget *e : editorsOf(*d.setting, pages, &direct)) {
            if (!e)
                continue;
            Tip &tip = tips[e];
            tip.lines << line;
            tip.value = value;
            tip.direct = tip.direct && direct;
            for (QWidget *p = e; p; p = p->parentWidget())
                if (const int i = tabs->indexOf(p); i >= 0)
                    onTab[i].insert(d.setting);
        }
    }
    for (QWidget *e : qAsConst(editors)) {
        const auto tip = tips.constFind(e);
        if (tip == tips.constEnd()) {
            if (!e->property(kMarked).isValid())
                continue;
            e->setProperty(kMarked, QVariant());
            e->setToolTip(QString());
            delete frames.take(e);
            continue;
        }
        e->setProperty(kMarked, true);
        e->setToolTip(tip->direct && tip->lines.size() == 1
                          ? texts.holds.arg(tip->value)
                          : texts.holdsList + QLatin1Char('\n') + tip->lines.join(QLatin1Char('\n')));
        if (!frames.contains(e))
            frames.insert(e, new DifferenceFrame(e));
    }
    for (int i = 0; i < tabs->count(); ++i) {
        const int n = onTab[i].size();
        const QString text = n ? designedTabTexts.value(i) + QLatin1String(kTabMark) : designedTabTexts.value(i);
        const QString tip = n ? texts.tabTip.arg(n) : QString();
        if (tabs->tabText(i) != text)
            tabs->setTabText(i, text);
        if (tabs->tabToolTip(i) != tip)
            tabs->setTabToolTip(i, tip);
    }
    backAll->setEnabled(!marked.isEmpty());
}

void DifferenceMarks::takeBackAll()
{
    // Nothing of this transmitter is known to take back.
    if (!comparing())
        return;
    taking();
    takeBack(pages, against());
    if (showPages)
        showPages();
}

void DifferenceMarks::takeBackOne(const Setting *s)
{
    taking();
    takeBack(pages, against(), s);
    if (showPages)
        showPages();
}

bool DifferenceMarks::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::Resize) {
        if (QWidget *frame = frames.value(w))
            frame->setGeometry(w->rect());
    } else if (event->type() == QEvent::ToolTip && w->property(kMarked).isValid()) {
        // Shown for no widget: a tip takes the sheets of the widget it is
        // for, and the central widget's dark ground would leave its text
        // dark on dark.
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), w->toolTip());
        return true;
    } else if (event->type() == QEvent::ContextMenu) {
        showMenu(qobject_cast<QLineEdit *>(w) ? w->parentWidget() : w,
                 static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// A spin box keeps its own entries (the line edit's and the steps); every
// editor gets the held value of the setting it shows and "all pages".
void DifferenceMarks::showMenu(QWidget *e, const QPoint &at)
{
    QMenu *menu = nullptr;
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(e)) {
        menu = spin->findChild<QLineEdit *>()->createStandardContextMenu();
        menu->addSeparator();
        double value = 0, lo = 0, hi = 0;
        if (auto *box = qobject_cast<QSpinBox *>(e))
            value = box->value(), lo = box->minimum(), hi = box->maximum();
        else if (auto *box = qobject_cast<QDoubleSpinBox *>(e))
            value = box->value(), lo = box->minimum(), hi = box->maximum();
        const bool editable = spin->isEnabled() && !spin->isReadOnly();
        QAction *stepUp = menu->addAction(QCoreApplication::translate("QAbstractSpinBox", "&Step up"));
        stepUp->setEnabled(editable && (spin->wrapping() || value < hi));
        connect(stepUp, &QAction::triggered, spin, [spin] { spin->stepBy(1); });
        QAction *stepDown = menu->addAction(QCoreApplication::translate("QAbstractSpinBox", "Step &down"));
        stepDown->setEnabled(editable && (spin->wrapping() || value > lo));
        connect(stepDown, &QAction::triggered, spin, [spin] { spin->stepBy(-1); });
        menu->addSeparator();
    } else {
        menu = new QMenu(e);
    }
    const ConfigModel &known = against();
    if (!comparing()) {
        // Nothing of this transmitter is known yet: nothing to compare with.
        menu->addAction(differenceTexts().notRead)->setEnabled(false);
    }
    for (const Setting &s : settingsTable()) {
        if (!comparing())
            break;
        bool direct = false;
        if (!readBackAnswersFor(s) || !editorsOf(s, pages, &direct).contains(e) || !direct)
            continue;
        const QString value = settingValueText(s, s.get(known));
        QAction *one = menu->addAction(reference ? historyTexts().takeOneFrom.arg(referenceName, value)
                                                 : differenceTexts().backOne.arg(value));
        one->setEnabled(s.get(pages) != s.get(known));
        const Setting *setting = &s;
        connect(one, &QAction::triggered, this, [this, setting] { takeBackOne(setting); });
    }
    menu->addAction(backAll);
    if (!extraActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(extraActions);
    }
    menu->setObjectName(QStringLiteral("differenceMenu"));
    menu->exec(at);
    delete menu;
}

void showWriteVerdict(const QString &title, const QString &text, const QString &next)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box.setInformativeText(next);
    box.exec();
}
