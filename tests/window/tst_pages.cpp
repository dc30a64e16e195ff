// The settings pages inside the real window: every editor follows the
// model within one refresh tick and its echo stores the same value, the
// dual-rate pages stay in step, the trim rows follow the stick mode, and
// each combo box runs the hover highlight with its own counter; what the
// user types survives the refresh.
#include "configmodel.h"
#include "curewidget.h"
#include "declarations.h"
#include "frameencoder.h"
#include "hover.h"
#include "mainwindow.h"
#include "mwidget.h"
#include "packetcases.h"
#include "readprogress.h"
#include "testsupport.h"
#include "windowprobe.h"
#include "wirecapture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <memory>

namespace {

struct SpinEntry
{
    const char *name;
    CfgField field;
    // The dual-rate working fields are copies of array entries; they
    // change by changing the entry and reselecting, as a read or load does.
    int *(*source)(ConfigModel &);
};

void setModel(ConfigModel &cfg, const SpinEntry &e, int v)
{
    if (e.source) {
        *e.source(cfg) = v;
        selectDualRate(cfg);
    } else {
        cfg.*e.field = v;
    }
}

#define SPIN(n)                                                                                                        \
    {                                                                                                                  \
        "spinBox_" #n, &ConfigModel::n, nullptr                                                                        \
    }
#define SPIN_DR(n, entry)                                                                                              \
    {                                                                                                                  \
        "spinBox_" #n, &ConfigModel::n, [](ConfigModel &cfg) { return &cfg.entry; }                                    \
    }
const SpinEntry kSpins[] = {
    SPIN(sub1),
    SPIN(sub2),
    SPIN(sub3),
    SPIN(sub4),
    SPIN(sub5),
    SPIN(sub6),
    SPIN(sub7),
    SPIN(sub8),
    SPIN(Lepa1),
    SPIN(Lepa2),
    SPIN(Lepa3),
    SPIN(Lepa4),
    SPIN(Lepa5),
    SPIN(Lepa6),
    SPIN(Lepa7),
    SPIN(Lepa8),
    SPIN(Repa1),
    SPIN(Repa2),
    SPIN(Repa3),
    SPIN(Repa4),
    SPIN(Repa5),
    SPIN(Repa6),
    SPIN(Repa7),
    SPIN(Repa8),
    SPIN(FS1),
    SPIN(FS2),
    SPIN(FS3),
    SPIN(FS4),
    SPIN(FS5),
    SPIN(FS6),
    SPIN(FS7),
    SPIN(FS8),
    SPIN(delay1),
    SPIN(delay2),
    SPIN(delay3),
    SPIN(delay4),
    SPIN(delay5),
    SPIN(delay6),
    SPIN(delay7),
    SPIN(delay8),
    SPIN_DR(DR_UP1, DR_UpRate[0]),
    SPIN_DR(DR_DOWN1, DR_DownRate[0]),
    SPIN(Atti1),
    SPIN(Atti2),
    SPIN(Atti3),
    SPIN(Atti4),
    SPIN(Atti5),
    SPIN(Atti6),
    SPIN(Elev01),
    SPIN(Elev02),
    SPIN(Elev03),
    SPIN(Elev04),
    SPIN(Elev05),
    SPIN(Elev06),
    SPIN(Ru1),
    SPIN(Ru2),
    SPIN(Ru3),
    SPIN(Ru4),
    SPIN(PRM01_Data1),
    SPIN(PRM01_Data2),
    SPIN(PRM01_Data3),
    SPIN(PRM02_Data1),
    SPIN(PRM02_Data2),
    SPIN(PRM02_Data3),
    SPIN(PRM03_Data1),
    SPIN(PRM03_Data2),
    SPIN(PRM03_Data3),
    SPIN(PRM04_Data1),
    SPIN(PRM04_Data2),
    SPIN(PRM04_Data3),
    SPIN_DR(DR_RATE, DR_UpRate[0]),
    SPIN_DR(DR_EXP, DR_UpExp[0]),
    SPIN(THCURE_Data01),
    SPIN(THCURE_Data02),
    SPIN(THCURE_Data03),
    SPIN(THCURE_Data04),
    SPIN(THCURE_Data05),
    SPIN(THCURE_Data06),
    SPIN(THCURE_Data07),
    SPIN(Rssi),
    SPIN(Mode),
    SPIN(Vertion),
};
#undef SPIN
#undef SPIN_DR

struct ComboEntry
{
    const char *name;
    CfgField field;
    int items;
    int HoverCounters::*counter;  // nullptr for counters kept in arrays
    int *(*arrayCounter)(HoverCounters &);
};

#define CB(box, f, n, c)                                                                                               \
    {                                                                                                                  \
        "comboBox_" #box, &ConfigModel::f, n, &HoverCounters::c, nullptr                                               \
    }
#define CBA(box, f, n, arr, i)                                                                                         \
    {                                                                                                                  \
        "comboBox_" #box, &ConfigModel::f, n, nullptr, [](HoverCounters &h) { return &h.arr[i]; }                      \
    }
const ComboEntry kCombos[] = {
    CBA(rev1, rev1, 2, rev, 0),
    CBA(rev2, rev2, 2, rev, 1),
    CBA(rev3, rev3, 2, rev, 2),
    CBA(rev4, rev4, 2, rev, 3),
    CBA(rev5, rev5, 2, rev, 4),
    CBA(rev6, rev6, 2, rev, 5),
    CBA(rev7, rev7, 2, rev, 6),
    CBA(rev8, rev8, 2, rev, 7),
    CBA(AUX5, AUX5, 6, aux, 4),
    CBA(AUX6, AUX6, 6, aux, 5),
    CBA(AUX7, AUX7, 6, aux, 6),
    CBA(AUX8, AUX8, 6, aux, 7),
    CB(DR_MIX1, DR_MIX, 2, drMix1),
    CB(DR_CH1, DR_CH, 4, drCh1),
    CB(DR_SW1, DR_SW, 1, drSw1),
    CB(AttiM, AttiM, 5, attiM),
    CB(EleMix, EleMix, 2, eleMix),
    CB(RuMix, RuMix, 2, ruMix),
    CBA(PRM01_Mix, PRM01_Mix, 3, prm, 0),
    CBA(PRM01_Master, PRM01_Master, 8, prm, 1),
    CBA(PRM01_Slave, PRM01_Slave, 8, prm, 2),
    CBA(PRM02_Mix, PRM02_Mix, 3, prm, 3),
    CBA(PRM02_Master, PRM02_Master, 8, prm, 4),
    CBA(PRM02_Slave, PRM02_Slave, 8, prm, 5),
    CBA(PRM03_Mix, PRM03_Mix, 3, prm, 6),
    CBA(PRM03_Master, PRM03_Master, 8, prm, 7),
    CBA(PRM03_Slave, PRM03_Slave, 8, prm, 8),
    CBA(PRM04_Mix, PRM04_Mix, 3, prm, 9),
    CBA(PRM04_Master, PRM04_Master, 8, prm, 10),
    CBA(PRM04_Slave, PRM04_Slave, 8, prm, 11),
    CB(DR_MIX2, DR_MIX, 2, drMix2),
    CB(DR_CH2, DR_CH, 4, drCh2),
    CB(DR_SW2, DR_SW, 1, drSw2),
    CB(DR_POSI, DR_POSI, 2, drPosi),
    CB(THCURE_MIX, THCURE_MIX, 2, thcureMix),
};
#undef CB
#undef CBA

int &counterOf(HoverCounters &hoverCounters, const ComboEntry &e)
{
    return e.counter ? hoverCounters.*e.counter : *e.arrayCounter(hoverCounters);
}

// Keys typed into one editor of the shown window, each followed by a pause
// of two refresh ticks, and what the model and the next write then hold.
struct TypingCase
{
    const char *row;
    const char *editor;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    // Settings a read brings in after the keys, while the editor still has
    // the focus (nullptr: none).
    QByteArray (*read)();
    double (*model)(const ConfigModel &);
    double expected;
    const char *shown;  // the spin box's text at the end
    FrameKind frame;
    int at;
    const char *frameText;
};

const auto kSelectAll = std::make_pair(Qt::Key_A, Qt::KeyboardModifiers(Qt::ControlModifier));
std::pair<Qt::Key, Qt::KeyboardModifiers> key(Qt::Key k)
{
    return {k, Qt::NoModifier};
}

const TypingCase kTyping[] = {
    {"sub-trim - 2 5",
     "spinBox_sub2",
     {kSelectAll, key(Qt::Key_Minus), key(Qt::Key_2), key(Qt::Key_5)},
     nullptr,
     [](const ConfigModel &cfg) { return double(cfg.sub2); },
     -25,
     "-25",
     FrameS,
     11,
     "5F"},
    {"voltage 6 . 5",
     "doubleSpinBox_Volt",
     {kSelectAll, key(Qt::Key_6), key(Qt::Key_Period), key(Qt::Key_5)},
     nullptr,
     [](const ConfigModel &cfg) { return cfg.Volt; },
     6.5,
     "6.5",
     FrameS,
     77,
     "51"},
    {"end point BackSpace x3 8 0",
     "spinBox_Lepa1",
     {key(Qt::Key_End), key(Qt::Key_Backspace), key(Qt::Key_Backspace), key(Qt::Key_Backspace), key(Qt::Key_8),
      key(Qt::Key_0)},
     nullptr,
     [](const ConfigModel &cfg) { return double(cfg.Lepa1); },
     80,
     "80",
     FrameS,
     25,
     "60"},
    {"mix offset - 3 0",
     "spinBox_PRM03_Data1",
     {kSelectAll, key(Qt::Key_Minus), key(Qt::Key_3), key(Qt::Key_0)},
     nullptr,
     [](const ConfigModel &cfg) { return double(cfg.PRM03_Data1); },
     -30,
     "-30",
     FrameH,
     20,
     "56"},
    {"servo direction by keyboard",
     "comboBox_rev2",
     {key(Qt::Key_Down)},
     nullptr,
     [](const ConfigModel &cfg) { return double(cfg.rev2); },
     1,
     nullptr,
     FrameS,
     2,
     "1"},
    // A lone "-" is no value yet; the read's 7 replaces it.
    {"read while typing",
     "spinBox_sub2",
     {kSelectAll, key(Qt::Key_Minus)},
     [] {
         return settingsPacket(0x55, {120, 127, 120, 120, 120, 120, 120, 120});
     },
     [](const ConfigModel &cfg) { return double(cfg.sub2); },
     7,
     "7",
     FrameS,
     11,
     "7F"},
};

QString resourceText(const char *path)
{
    QFile f(QString::fromLatin1(path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class TestPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> w;

    void tick() { QVERIFY(QMetaObject::invokeMethod(w.get(), "ui_Display")); }
    template <typename T> T *get(const char *name)
    {
        T *p = w->findChild<T *>(QString::fromLatin1(name));
        if (!p)
            qFatal("no widget %s", name);
        return p;
    }
    QSpinBox *spin(const char *name) { return get<QSpinBox>(name); }
    QComboBox *combo(const char *name) { return get<QComboBox>(name); }
    QList<int> stepRows()
    {
        return {spin("spinBox_step1")->value(), spin("spinBox_step2")->value(), spin("spinBox_step3")->value(),
                spin("spinBox_step4")->value()};
    }
    QStringList trimRows()
    {
        return {get<QLineEdit>("lineEdit_Trim_1")->text(), get<QLineEdit>("lineEdit_Trim_2")->text(),
                get<QLineEdit>("lineEdit_Trim_3")->text(), get<QLineEdit>("lineEdit_Trim_4")->text()};
    }

    void turnToPageOf(QWidget *widget)
    {
        auto *tabs = get<QTabWidget>("tabWidget");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(widget))
                tabs->setCurrentIndex(i);
    }
    // Ticks of the window's own refresh timer.
    bool waitTicks(int n)
    {
        QTimer *refresh = nullptr;
        for (QTimer *t : w->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
            if (t->interval() == 100)
                refresh = t;
        if (!refresh)
            return false;
        QSignalSpy ticks(refresh, &QTimer::timeout);
        while (ticks.count() < n)
            if (!ticks.wait(5000))
                return false;
        return true;
    }

private slots:
    void init() { w.reset(new MainWindow); }
    void cleanup() { w.reset(); }

    void typingSurvivesTheRefresh_data()
    {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < int(sizeof kTyping / sizeof kTyping[0]); ++i)
            QTest::newRow(kTyping[i].row) << i;
    }
    void typingSurvivesTheRefresh()
    {
        ConfigModel &cfg = w->model();
        QFETCH(int, entry);
        const TypingCase &c = kTyping[entry];
        QWidget *editor = get<QWidget>(c.editor);
        turnToPageOf(editor);
        std::unique_ptr<PtyPeer> peer;
        if (c.read) {
            peer.reset(new PtyPeer);
            openPortInWindow(w.get(), peer->slavePath());
            QVERIFY(peer->waitFor("OK"));
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        QVERIFY(waitTicks(2));
        for (const auto &k : c.keys) {
            QTest::keyClick(editor, k.first, k.second);
            QVERIFY(waitTicks(2));
        }
        // Settings count only as answers to a read, taken whole: the
        // window asks, the transmitter answers every group.
        ModalCloser closer;
        if (c.read) {
            peer->clearReceived();
            ReadAnswerer transmitter(*peer, wholeReadAnswers({c.read()}));
            QVERIFY(QMetaObject::invokeMethod(w->findChild<QWidget *>(QStringLiteral("toolButton_Read")), "click"));
            QCOMPARE(transmitter.sent, ReadProgress::kGroups);
            QVERIFY(waitTicks(2));
            QVERIFY(editor->hasFocus());
        }
        QCOMPARE(c.model(cfg), c.expected);
        if (c.shown)
            QCOMPARE(qobject_cast<QAbstractSpinBox *>(editor)->text(), QString::fromLatin1(c.shown));
        ConfigModel next = cfg;
        QCOMPARE(buildFrame(c.frame, next, WindowProbe::frame(*w, c.frame)).mid(c.at, int(qstrlen(c.frameText))),
                 QString::fromLatin1(c.frameText));
    }

    // Slips: the wheel passing over an editor, a page key pressed in one.
    // Only a focused editor takes the wheel; the page keys turn the pages
    // from anywhere and change no value.
    void slipsChangeNoValue_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QString>("action");  // "wheel" or a key sequence
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("pages");  // how far the pages turn
        QTest::newRow("wheel over a spin box") << "spinBox_sub2" << false << "wheel" << false << 0;
        QTest::newRow("wheel over a combo box") << "comboBox_rev1" << false << "wheel" << false << 0;
        QTest::newRow("wheel in a focused spin box") << "spinBox_sub2" << true << "wheel" << true << 0;
        QTest::newRow("Ctrl+PgDown in a combo box") << "comboBox_rev1" << true << "Ctrl+PgDown" << false << 1;
        QTest::newRow("Ctrl+PgUp in a spin box") << "spinBox_sub2" << true << "Ctrl+PgUp" << false << -1;
        QTest::newRow("Ctrl+Tab in the port box") << "portNameBox" << true << "Ctrl+Tab" << false << 1;
    }
    void slipsChangeNoValue()
    {
        QFETCH(QString, editor);
        QFETCH(bool, focused);
        QFETCH(QString, action);
        auto *e = get<QWidget>(qPrintable(editor));
        auto *c = qobject_cast<QComboBox *>(e);
        const auto value = [&] { return c ? QString::number(c->currentIndex()) : e->property("text").toString(); };
        auto *tabs = get<QTabWidget>("tabWidget");
        turnToPageOf(e);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        (focused ? e : get<QWidget>("openButton"))->setFocus();
        QTRY_VERIFY(e->hasFocus() == focused);
        const QString before = value();
        const int page = tabs->currentIndex();
        if (action == "wheel") {
            const QPoint at = e->rect().center();
            QWheelEvent wheel(at, e->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(e, &wheel);
        } else
            QTest::keySequence(e, QKeySequence(action));
        QVERIFY(waitTicks(2));
        QTEST(value() != before, "changes");
        QFETCH(int, pages);
        QCOMPARE(tabs->currentIndex(), (page + pages + tabs->count()) % tabs->count());
    }

    void curvesRepaintWhenWhatTheyDrawChanges()
    {
        ConfigModel &cfg = w->model();
        struct PaintCounter : QObject
        {
            QMap<QObject *, int> paints;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (e->type() == QEvent::Paint)
                    ++paints[o];
                return false;
            }
        } counter;
        QWidget *rate = w->findChild<mWidget *>();
        QWidget *throttle = w->findChild<cureWidget *>();
        turnToPageOf(rate);
        QVERIFY(get<QTabWidget>("tabWidget")->currentWidget()->isAncestorOf(throttle));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(waitTicks(2));
        rate->installEventFilter(&counter);
        throttle->installEventFilter(&counter);
        QVERIFY(waitTicks(3));
        QCOMPARE(counter.paints.value(rate) + counter.paints.value(throttle), 0);
        cfg.DR_EXP = -40;
        QTRY_VERIFY(counter.paints.value(rate) > 0);
        cfg.THCURE_Data04 = 20;
        QTRY_VERIFY(counter.paints.value(throttle) > 0);
    }

    void firstTickShowsTheModelNotTheFormDefaults()
    {
        ConfigModel &cfg = w->model();
        // The form starts some boxes elsewhere than the model does.
        QCOMPARE(spin("spinBox_PRM01_Data2")->value(), 100);
        QCOMPARE(spin("spinBox_DR_EXP")->value(), 100);
        tick();
        const ConfigModel start;
        QCOMPARE(spin("spinBox_PRM01_Data2")->value(), 0);
        QCOMPARE(spin("spinBox_DR_EXP")->value(), 0);
        QCOMPARE(combo("comboBox_rev3")->currentIndex(), 1);
        QCOMPARE(combo("comboBox_AUX6")->currentIndex(), 3);
        QCOMPARE(get<QDoubleSpinBox>("doubleSpinBox_rxVolt")->value(), 4.0);
        // Nothing in the model moved through the echoes.
        QCOMPARE(cfg.PRM01_Data2, start.PRM01_Data2);
        QCOMPARE(cfg.DR_EXP, start.DR_EXP);
        QCOMPARE(cfg.DR_UpExp[0], 0);
        QCOMPARE(cfg.rxVolt, 4.0);
    }

    void spinBoxFollowsModelAndClampsToItsRange_data()
    {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < int(sizeof kSpins / sizeof kSpins[0]); ++i)
            QTest::newRow(kSpins[i].name) << i;
    }
    void spinBoxFollowsModelAndClampsToItsRange()
    {
        ConfigModel &cfg = w->model();
        QFETCH(int, entry);
        const SpinEntry &e = kSpins[entry];
        tick();
        QSpinBox *box = spin(e.name);
        const int lo = box->minimum(), hi = box->maximum();
        const int v = (box->value() == lo + 1) ? lo + 2 : lo + 1;

        setModel(cfg, e, v);
        tick();
        QCOMPARE(box->value(), v);
        QCOMPARE(cfg.*e.field, v);

        setModel(cfg, e, hi + 50);
        tick();
        QCOMPARE(box->value(), hi);
        QCOMPARE(cfg.*e.field, hi);  // the bound is stored back

        setModel(cfg, e, lo - 50);
        tick();
        QCOMPARE(box->value(), lo);
        QCOMPARE(cfg.*e.field, lo);

        // A user edit reaches the model at once.
        box->setValue(v);
        QCOMPARE(cfg.*e.field, v);
    }

    void doubleSpinBoxesFollowModel()
    {
        ConfigModel &cfg = w->model();
        // The highest each box takes: what its frame field carries.
        struct
        {
            const char *name;
            double ConfigModel::*field;
            double top;
        } const boxes[] = {{"doubleSpinBox_Volt", &ConfigModel::Volt, 23.9},
                           {"doubleSpinBox_rxVolt", &ConfigModel::rxVolt, 23.9},
                           {"doubleSpinBox_extVolt", &ConfigModel::extVolt, 99.9}};
        for (const auto &b : boxes) {
            QDoubleSpinBox *box = get<QDoubleSpinBox>(b.name);
            cfg.*b.field = 3.7;
            tick();
            QCOMPARE(box->value(), 3.7);
            QCOMPARE(cfg.*b.field, 3.7);
            box->stepUp();
            QCOMPARE(cfg.*b.field, 3.8);
            cfg.*b.field = 150.0;
            tick();
            QCOMPARE(box->value(), b.top);
            QCOMPARE(cfg.*b.field, b.top);
        }
        QCOMPARE(cfg.VoltTenths, 37);  // the tenths are not the pages' business
    }

    void comboBoxFollowsModel_data()
    {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < int(sizeof kCombos / sizeof kCombos[0]); ++i)
            QTest::newRow(kCombos[i].name) << i;
    }
    void comboBoxFollowsModel()
    {
        ConfigModel &cfg = w->model();
        QFETCH(int, entry);
        const ComboEntry &e = kCombos[entry];
        QComboBox *box = combo(e.name);
        QCOMPARE(box->count(), e.items);
        for (int i = e.items - 1; i >= 0; --i) {
            cfg.*e.field = i;
            tick();
            QCOMPARE(box->currentIndex(), i);
            QCOMPARE(cfg.*e.field, i);
        }
    }

    void indexWithoutItemShowsEmptyAndKeepsModel_data() { comboBoxFollowsModel_data(); }
    void indexWithoutItemShowsEmptyAndKeepsModel()
    {
        ConfigModel &cfg = w->model();
        QFETCH(int, entry);
        const ComboEntry &e = kCombos[entry];
        QComboBox *box = combo(e.name);
        const ConfigModel before = cfg;
        for (int bad : {e.items, 9}) {
            cfg.*e.field = bad;
            tick();
            tick();
            QCOMPARE(box->currentIndex(), -1);
            QCOMPARE(cfg.*e.field, bad);
        }
        // The dual-rate working fields are not disturbed either.
        QCOMPARE(cfg.DR_UP1, before.DR_UP1);
        QCOMPARE(cfg.DR_RATE, before.DR_RATE);
        // Back in range, the item shows again.
        cfg.*e.field = 0;
        tick();
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(cfg.*e.field, 0);
    }

    void pickingFromAnEmptySelectorStoresThePick()
    {
        ConfigModel &cfg = w->model();
        cfg.AttiM = 5;
        cfg.PRM01_Master = 9;
        tick();
        QCOMPARE(combo("comboBox_AttiM")->currentIndex(), -1);
        combo("comboBox_AttiM")->setCurrentIndex(2);
        combo("comboBox_PRM01_Master")->setCurrentIndex(7);
        QCOMPARE(cfg.AttiM, 2);
        QCOMPARE(cfg.PRM01_Master, 7);
        tick();
        QCOMPARE(combo("comboBox_AttiM")->currentText(), QStringLiteral("CH7"));
        QCOMPARE(combo("comboBox_AttiM")->currentIndex(), 2);
    }

    void auxiliaryChannels1To4AlwaysShowReserved()
    {
        for (const char *name : {"comboBox_AUX1", "comboBox_AUX2", "comboBox_AUX3", "comboBox_AUX4"}) {
            tick();
            QCOMPARE(combo(name)->currentIndex(), 0);
            QCOMPARE(combo(name)->currentText(), QStringLiteral("预留"));
        }
        QCOMPARE(combo("comboBox_AttiM")->currentText(), QStringLiteral("关闭"));
        QCOMPARE(combo("comboBox_DR_SW1")->currentText(), QStringLiteral("SWA"));
    }

    void dualRateChannelSwitchKeepsEachChannelsRates()
    {
        ConfigModel &cfg = w->model();
        tick();
        combo("comboBox_DR_CH1")->setCurrentIndex(2);  // CH3
        tick();
        spin("spinBox_DR_UP1")->setValue(70);
        combo("comboBox_DR_CH1")->setCurrentIndex(0);  // CH1
        tick();
        QCOMPARE(spin("spinBox_DR_UP1")->value(), 100);
        combo("comboBox_DR_CH1")->setCurrentIndex(2);
        tick();
        QCOMPARE(spin("spinBox_DR_UP1")->value(), 70);
        QCOMPARE(cfg.DR_UpRate[2], 70);
        QCOMPARE(cfg.DR_UpRate[0], 100);
        QCOMPARE(cfg.DR_DownRate[2], 100);
        // The curve page followed the shared channel selection.
        QCOMPARE(combo("comboBox_DR_CH2")->currentIndex(), 2);
        QCOMPARE(spin("spinBox_DR_RATE")->value(), 70);
    }

    void dualRatePageAndCurvePageShowTheSameRate()
    {
        ConfigModel &cfg = w->model();
        tick();
        combo("comboBox_DR_POSI")->setCurrentIndex(1);  // DOWN
        combo("comboBox_DR_CH1")->setCurrentIndex(1);   // CH2 on the dual-rate page
        tick();
        spin("spinBox_DR_UP1")->setValue(70);
        tick();
        QCOMPARE(spin("spinBox_DR_RATE")->value(), 100);  // still the down rate
        combo("comboBox_DR_CH2")->setCurrentIndex(1);
        combo("comboBox_DR_POSI")->setCurrentIndex(0);  // UP on the curve page
        tick();
        QCOMPARE(spin("spinBox_DR_RATE")->value(), 70);
        QCOMPARE(cfg.DR_RATE, 70);

        // The curve draws that rate: at 70 % the lower half starts 36 px
        // above the outline's bottom corner.
        mWidget *curve = w->findChild<mWidget *>();
        QVERIFY(curve);
        QImage img(curve->size(), QImage::Format_RGB32);
        curve->render(&img);
        QCOMPARE(img.pixel(21, 224) & 0xffffff, 0xff0000u);
        QCOMPARE(img.pixel(40, 250) & 0xffffff, 0xffffffu);

        // And back: an exponential and a down rate edited on the curve page.
        combo("comboBox_DR_POSI")->setCurrentIndex(1);
        spin("spinBox_DR_RATE")->setValue(40);
        spin("spinBox_DR_EXP")->setValue(-25);
        tick();
        QCOMPARE(spin("spinBox_DR_DOWN1")->value(), 40);
        QCOMPARE(spin("spinBox_DR_UP1")->value(), 70);
        QCOMPARE(cfg.DR_DownExp[1], -25);
        QCOMPARE(cfg.DR_UpExp[1], 0);
    }

    void channelChangedElsewhereShowsItsRatesInOneTick()
    {
        ConfigModel &cfg = w->model();
        // As after a load: the selection moved but the working fields are stale.
        tick();
        cfg.DR_UpRate[3] = 55;
        cfg.DR_DownRate[3] = 45;
        cfg.DR_CH = 3;
        tick();
        QCOMPARE(spin("spinBox_DR_UP1")->value(), 55);
        QCOMPARE(spin("spinBox_DR_DOWN1")->value(), 45);
        QCOMPARE(spin("spinBox_DR_RATE")->value(), 55);
        QCOMPARE(cfg.DR_UpRate[3], 55);
        QCOMPARE(cfg.DR_UpRate[0], 100);  // the old channel kept its rate
    }

    void channelWithoutItemLeavesTheRatesAlone()
    {
        ConfigModel &cfg = w->model();
        cfg.DR_CH = 4;
        tick();
        QCOMPARE(combo("comboBox_DR_CH1")->currentIndex(), -1);
        QCOMPARE(combo("comboBox_DR_CH2")->currentIndex(), -1);
        spin("spinBox_DR_UP1")->setValue(30);
        tick();
        QCOMPARE(cfg.DR_UP1, 30);
        QCOMPARE(cfg.DR_CH, 4);
        for (int ch = 0; ch < 4; ++ch)
            QCOMPARE(cfg.DR_UpRate[ch], 100);
        QCOMPARE(spin("spinBox_DR_UP1")->value(), 30);
    }

    void downPositionBeyondItemsEditsTheDownRates()
    {
        ConfigModel &cfg = w->model();
        cfg.DR_DownRate[0] = 60;
        cfg.DR_POSI = 3;
        selectDualRate(cfg);
        tick();
        QCOMPARE(combo("comboBox_DR_POSI")->currentIndex(), -1);
        QCOMPARE(spin("spinBox_DR_RATE")->value(), 60);
        spin("spinBox_DR_RATE")->setValue(65);
        QCOMPARE(cfg.DR_DownRate[0], 65);
        QCOMPARE(cfg.DR_POSI, 3);
    }

    void trimRowsFollowStickMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QStringList>("trims");
        // StkStep = 1, 2, 3, 4 and StkTrim = 100, 130, 110, 125 for k = 0..3.
        QTest::newRow("mode 1") << 1 << QList<int>{4, 3, 2, 1} << QStringList{"(5)", "(-10)", "(10)", "(-20)"};
        QTest::newRow("mode 2") << 2 << QList<int>{4, 2, 3, 1} << QStringList{"(5)", "(10)", "(-10)", "(-20)"};
        QTest::newRow("mode 3") << 3 << QList<int>{1, 3, 2, 4} << QStringList{"(-20)", "(-10)", "(10)", "(5)"};
        QTest::newRow("mode 4") << 4 << QList<int>{1, 2, 3, 4} << QStringList{"(-20)", "(10)", "(-10)", "(5)"};
    }
    void trimRowsFollowStickMode()
    {
        ConfigModel &cfg = w->model();
        QFETCH(int, mode);
        const int steps[4] = {1, 2, 3, 4};
        const int trims[4] = {100, 130, 110, 125};
        std::copy(steps, steps + 4, cfg.StkStep);
        std::copy(trims, trims + 4, cfg.StkTrim);
        cfg.Mode = mode;
        tick();
        QTEST(stepRows(), "steps");
        QTEST(trimRows(), "trims");
        // The echoes of the step boxes put every value back where it was.
        QVERIFY(std::equal(steps, steps + 4, cfg.StkStep));
    }

    void centredTrimsReadZero()
    {
        ConfigModel &cfg = w->model();
        cfg.Mode = 4;
        cfg.StkTrim[1] = 130;
        cfg.StkTrim[2] = 110;
        tick();
        QCOMPARE(trimRows(), (QStringList{"(0)", "(10)", "(-10)", "(0)"}));
        // A read-out is compared with what it shows, not with what was
        // last written into it.
        get<QLineEdit>("lineEdit_Trim_2")->setText("typed");
        cfg.StkTrim[0] = 121;
        tick();
        QCOMPARE(get<QLineEdit>("lineEdit_Trim_2")->text(), QStringLiteral("(10)"));
    }

    // Ticks in which nothing a page shows changes write nothing into any
    // widget of any page, seen as no paint: the model moves only where no
    // page looks (so every display step runs), and every setting stands
    // beyond its editor's range where the editor already shows the bound.
    void refreshWritesNothingThatIsShownAlready()
    {
        ConfigModel &cfg = w->model();
        MonitorState &mon = WindowProbe::monitor(*w);
        const auto beyondTheEditors = [&cfg] {
            for (const SettingDecl &s : settingDecls()) {
                if (s.shown == Shown::Number || s.shown == Shown::Volts)
                    s.set(cfg, s.editHi + 50);
                else if (s.shown == Shown::Choice)
                    s.set(cfg, int(s.items.size()) + 2);
            }
        };
        beyondTheEditors();
        tick();
        beyondTheEditors();  // the boxes show their bounds, the model lies past them
        mon.Servo1 = 9999;   // past its bars
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        struct Paints : QObject
        {
            QStringList seen;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (e->type() == QEvent::Paint)
                    seen << o->objectName();
                return false;
            }
        } paints;
        auto *tabs = get<QTabWidget>("tabWidget");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QVERIFY(waitTicks(2));
            // Text written again puts the cursor at its end, unpainted.
            const auto edits = tabs->widget(page)->findChildren<QLineEdit *>();
            for (QLineEdit *e : edits)
                e->setCursorPosition(0);
            QVERIFY(waitTicks(1));
            const auto widgets = tabs->widget(page)->findChildren<QWidget *>();
            for (QWidget *x : widgets)
                x->installEventFilter(&paints);
            for (int t = 0; t < 4; ++t) {
                cfg.THCURE_Opt ^= 1;  // shown nowhere
                mon.Spare1Live ^= 1;
                QVERIFY(waitTicks(1));
            }
            QVERIFY(waitTicks(1));
            for (QWidget *x : widgets)
                x->removeEventFilter(&paints);
            for (QLineEdit *e : edits)
                if (e->cursorPosition() != 0)
                    paints.seen << e->objectName();
            QVERIFY2(paints.seen.isEmpty(), qPrintable(tabs->tabText(page) + ": " + paints.seen.join(' ')));
        }
    }

    void editingAStepWritesTheRowsChannel()
    {
        ConfigModel &cfg = w->model();
        for (int mode = 1; mode <= 4; ++mode) {
            for (int row = 1; row <= 4; ++row) {
                cfg = ConfigModel();
                cfg.Mode = mode;
                tick();
                const QByteArray name = "spinBox_step" + QByteArray::number(row);
                spin(name.constData())->setValue(17);
                const int k = trimRowChannel(mode, row);
                for (int c = 0; c < 4; ++c)
                    QVERIFY2(cfg.StkStep[c] == (c == k ? 17 : 2),
                             qPrintable(QString("mode %1 row %2 channel %3").arg(mode).arg(row).arg(c)));
            }
        }
        // Mode 1, row 1 is stick channel 3; in mode 4 it shows in row 4.
        cfg = ConfigModel();
        cfg.Mode = 1;
        tick();
        spin("spinBox_step1")->setValue(5);
        QCOMPARE(cfg.StkStep[3], 5);
        spin("spinBox_Mode")->setValue(4);
        tick();
        QCOMPARE(stepRows(), (QList<int>{2, 2, 2, 5}));
        QCOMPARE(cfg.StkStep[3], 5);
    }

    void stepOutsideItsRangeIsStoredAtTheBound()
    {
        ConfigModel &cfg = w->model();
        cfg.Mode = 4;
        tick();
        cfg.StkStep[2] = 35;
        cfg.StkStep[0] = 0;
        tick();
        QCOMPARE(stepRows(), (QList<int>{1, 2, 20, 2}));
        QCOMPARE(cfg.StkStep[2], 20);
        QCOMPARE(cfg.StkStep[0], 1);
    }

    void everyComboBoxHasItsOwnHoverCounter_data() { comboBoxFollowsModel_data(); }
    void everyComboBoxHasItsOwnHoverCounter()
    {
        HoverCounters &hoverCounters = WindowProbe::hover(*w);
        QFETCH(int, entry);
        const ComboEntry &e = kCombos[entry];
        combo(e.name)->setAttribute(Qt::WA_UnderMouse, true);
        tick();
        tick();
        // Exactly this box's counter moved, once per tick.
        const HoverCounters zero{};
        QCOMPARE(counterOf(hoverCounters, e), 2);
        counterOf(hoverCounters, e) = 0;
        QVERIFY(memcmp(&hoverCounters, &zero, sizeof zero) == 0);
    }

    void reservedAuxBoxesHaveHoverCountersToo()
    {
        HoverCounters &hoverCounters = WindowProbe::hover(*w);
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = "comboBox_AUX" + QByteArray::number(i + 1);
            combo(name.constData())->setAttribute(Qt::WA_UnderMouse, true);
        }
        tick();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(hoverCounters.aux[i], 1);
        QCOMPARE(hoverCounters.aux[4], 0);
    }

    void hoverColourGoesAfterTwentyTicksAndReturnsOnLeaving()
    {
        HoverCounters &hoverCounters = WindowProbe::hover(*w);
        QComboBox *box = combo("comboBox_DR_POSI");
        const QString formSheet = box->styleSheet();
        const QString neighbourSheet = combo("comboBox_DR_CH2")->styleSheet();
        const QString rev = resourceText(kComboSheetRev);
        const QString normal = resourceText(kComboSheet);
        // Without the sheets in the bundle the form's sheet must stay.
        const QString afterRev = rev.isNull() ? formSheet : rev;
        const QString afterNormal = normal.isNull() ? afterRev : normal;

        box->setAttribute(Qt::WA_UnderMouse, true);
        for (int i = 0; i < 10; ++i)
            tick();
        box->setAttribute(Qt::WA_UnderMouse, false);
        for (int i = 0; i < 3; ++i)
            tick();
        QCOMPARE(hoverCounters.drPosi, 10);
        box->setAttribute(Qt::WA_UnderMouse, true);
        for (int i = 0; i < 9; ++i)
            tick();
        QCOMPARE(box->styleSheet(), formSheet);
        tick();  // the 20th tick in total
        QCOMPARE(hoverCounters.drPosi, 20);
        QCOMPARE(box->styleSheet(), afterRev);
        tick();
        QCOMPARE(box->styleSheet(), afterRev);

        box->setAttribute(Qt::WA_UnderMouse, false);
        tick();
        QCOMPARE(hoverCounters.drPosi, 0);
        QCOMPARE(box->styleSheet(), afterNormal);
        // Other boxes were never touched.
        QCOMPARE(combo("comboBox_DR_CH2")->styleSheet(), neighbourSheet);
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
