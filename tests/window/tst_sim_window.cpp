// The real main window against the simulated transmitter over a real
// pseudo-terminal, opened the way the demo offers it: everything a user
// does at the bench, checked in the window and at the transmitter's end.
#include "commandtime.h"
#include "configmodel.h"
#include "fieldnames.h"
#include "graphwindow.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "monitortext.h"
#include "portoffer.h"
#include "rangecheck.h"
#include "readprogress.h"
#include "status.h"
#include "testsupport.h"
#include "texts.h"
#include "windowprobe.h"
#include "wirecapture.h"

#include "frames.h"
#include "simhost.h"
#include "statefile.h"
#include "transmittersettings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <map>
#include <memory>
#include <string>

namespace {

using zqsim::TransmitterSettings;

// A write, save, load or reset takes 3.4 s; leave room for a busy machine.
constexpr int kCommandTimeoutMs = 20000;
constexpr int kReadTimeoutMs = 10000;

// Settings unlike the factory ones in every field a page can show, as a
// transmitter holds them after the tool wrote them: the G frame's rates
// are those of the selected channel, and channel 1 is selected, as in a
// window just started.
TransmitterSettings benchSettings(quint32 seed)
{
    QRandomGenerator rng(seed);
    TransmitterSettings factory = zqsim::factorySettings();
    TransmitterSettings s;
    for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
        const IntRange r = fieldRange(f.name, true);
        int v = f.ref(factory);
        while (r.lo < r.hi && v == f.ref(factory))
            v = r.lo + int(rng.bounded(quint32(r.hi - r.lo + 1)));
        f.ref(s) = v;
    }
    s.DR_CH = 0;
    s.DR_UP1 = s.DR_UpRate[0];
    s.DR_DOWN1 = s.DR_DownRate[0];
    return s;
}

TransmitterSettings factoryKeepingVersion(const TransmitterSettings &s)
{
    TransmitterSettings f = zqsim::factorySettings();
    f.Vertion = s.Vertion;
    return f;
}

// Names of the fields in which the model differs from the simulator's
// settings.  The voltages count as the tenths their doubles would be sent as.
QStringList differences(TransmitterSettings sim, ConfigModel &m, const QStringList &skip = {})
{
    QStringList out;
    for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
        const QString name = QLatin1String(f.name);
        if (skip.contains(name))
            continue;
        int actual = *modelField(m, f.name);
        if (name == QLatin1String("VoltTenths"))
            actual = voltsToTenths(m.Volt);
        else if (name == QLatin1String("rxVoltTenths"))
            actual = voltsToTenths(m.rxVolt);
        else if (name == QLatin1String("extVoltTenths"))
            actual = voltsToTenths(m.extVolt);
        if (actual != f.ref(sim))
            out << QStringLiteral("%1: %2 (simulator %3)").arg(name).arg(actual).arg(f.ref(sim));
    }
    return out;
}

QStringList names(const std::vector<std::string> &v)
{
    QStringList out;
    for (const std::string &s : v)
        out << QString::fromStdString(s);
    return out;
}

// A read answers with every field but these: the tool keeps its own
// dual-rate channel and derives the rates of the G frame from the arrays.
const QStringList kNotRead = {QStringLiteral("DR_CH"), QStringLiteral("DR_UP1"), QStringLiteral("DR_DOWN1")};

}  // namespace

class TestSimWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void liveValuesUntilClose_data()
    {
        deliveries();
        QTest::newRow("path typed into the port box") << 0;  // "/" in the box, then the rest
    }
    void liveValuesUntilClose();
    void readFillsEveryPage_data() { deliveries(); }
    void readFillsEveryPage();
    void pulledCable_data();
    void pulledCable();
    void rangeCheckRecordsEveryLivePacket();
    void editsAreWrittenAndReadBack();
    void saveAndLoad();
    void bothResetsReachTheTransmitter();
    void readsAgainstOtherTransmitters_data();
    void readsAgainstOtherTransmitters();

private:
    // Rows naming how the simulator delivers its packets (see init).
    void deliveries();
    template <typename T> T *child(const QString &name) const { return window->findChild<T *>(name); }
    QAbstractButton *button(const char *name) const { return child<QAbstractButton>(QLatin1String(name)); }
    QString text(const char *name) const { return child<QLineEdit>(QLatin1String(name))->text(); }

    // Opens the port the demo offers; true once the transmitter streams.
    bool open();
    // Clicks from the event loop and keeps it running until the button's
    // slot has returned (the slots wait in nested event loops).
    bool clickAndWait(const char *name, int timeoutMs);
    // Reads and waits until the model holds what the simulator sent.
    bool readAll();
    // Widgets of every page that do not show what `s` says.
    QStringList pageDifferences(TransmitterSettings s, int *checked);

    std::unique_ptr<zqsim::SimHost> sim;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QTemporaryDir> kept;  // each test's own history
    TransmitterSettings bench;
    QString port;
};

void TestSimWindow::init()
{
    commandtime::scaled();
    // Other settings in each test, the same in every run.
    bench = benchSettings(qHash(QByteArray(QTest::currentTestFunction())));
    zqsim::SimHost::Config conf;
    conf.engine.intervalMs = 5;
    conf.initial = bench;
    using Delivery = zqsim::SimHost::Config::Delivery;
    const QByteArray row = QTest::currentDataTag();
    conf.delivery = row == "bytes"           ? Delivery::Bytes
                    : row == "pieces of 5"   ? Delivery::Pieces
                    : row == "random pieces" ? Delivery::Random
                                             : Delivery::Whole;
    conf.pieceSize = 5;
    conf.maxGapMs = 10;  // clear of the quiet time on a loaded machine
    conf.pullAfterPackets = row == "during the live stream" ? 40 : 0;
    conf.pullAfterMs = row == "during a write" ? 2000 : 0;
    // Transmitters that do not wait for each answer: one gives up after
    // 20 ms, one streams every 20 ms whatever comes back.
    if (row == "ack-timeout 20" || row == "streaming every 20 ms")
        conf.engine.intervalMs = 20, conf.engine.ackTimeoutMs = row == "ack-timeout 20" ? 20 : 1;
    if (row.startsWith("stores sub1 as 999"))
        conf.engine.misstoreField = "sub1", conf.engine.misstoreValue = 999;
    if (QByteArray(QTest::currentTestFunction()) == "rangeCheckRecordsEveryLivePacket")
        conf.engine.fadeSeconds = 2;  // lost packets are never sent: still one row each
    if (row == "during a write")
        commandtime::realTime();  // a pull at 2 s lands inside the write
    sim = std::make_unique<zqsim::SimHost>(conf);
    std::string error;
    QVERIFY2(sim->start(&error), error.c_str());
    port = QString::fromStdString(sim->slavePath());

    kept = std::make_unique<QTemporaryDir>();
    qputenv("ZQCONFIG_HISTORY", kept->path().toUtf8());
    window = std::make_unique<MainWindow>();
    window->show();
    if (row != "path typed into the port box") {
        window->offerPort(port);
        return;
    }
    auto *box = child<QComboBox>(QStringLiteral("portNameBox"));
    QTimer answer;  // the question runs its own event loop
    connect(&answer, &QTimer::timeout, this, [this] {
        if (auto *asked = qobject_cast<QInputDialog *>(QApplication::activeModalWidget()))
            asked->setTextValue(asked->textValue() + port.mid(1)), asked->accept();
    });
    answer.start(10);
    QTimer::singleShot(0, box, [box] { QTest::keyClick(box, '/'); });
    QVERIFY(waitUntil([&] { return box->currentText() == port; }, 5000));
}

void TestSimWindow::cleanup()
{
    window.reset();
    if (sim) {
        // Every byte the tool sent was a command or a well-formed frame.
        const zqsim::SimEngine::Stats st = sim->stats();
        sim.reset();
        QCOMPARE(st.framesRejected, quint64(0));
        QCOMPARE(st.bytesSkipped, quint64(0));
    }
}

void TestSimWindow::deliveries()
{
    QTest::addColumn<int>("unused");
    for (const char *row : {"whole", "bytes", "pieces of 5", "random pieces"})
        QTest::newRow(row) << 0;
}

bool TestSimWindow::open()
{
    auto *box = child<QComboBox>(QStringLiteral("portNameBox"));
    if (box->currentText() != port) {
        qWarning("port list offers %s, not %s", qPrintable(box->currentText()), qPrintable(port));
        return false;
    }
    button("openButton")->click();
    return waitUntil([this] { return sim->streaming(); }, kReadTimeoutMs);
}

bool TestSimWindow::clickAndWait(const char *name, int timeoutMs)
{
    QAbstractButton *b = button(name);
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(0, b, [b, done] {
        b->click();
        *done = true;
    });
    return waitUntil([done] { return *done; }, timeoutMs);
}

bool TestSimWindow::readAll()
{
    ConfigModel &cfg = window->model();
    const quint64 sentBefore = sim->stats().settingsPacketsSent;
    if (!clickAndWait("toolButton_Read", kReadTimeoutMs)
        || !waitUntil([&] { return sim->stats().settingsPacketsSent >= sentBefore + 19; }, kReadTimeoutMs)) {
        qWarning("the read was not answered");
        return false;
    }
    if (!waitUntil([&] { return differences(sim->settings(), cfg, kNotRead).isEmpty(); }, kReadTimeoutMs)) {
        qWarning("after the read: %s",
                 qPrintable(differences(sim->settings(), cfg, kNotRead).join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

QStringList TestSimWindow::pageDifferences(TransmitterSettings s, int *checked)
{
    ConfigModel &cfg = window->model();
    QStringList out;
    *checked = 0;
    const auto expect = [&](const QString &widget, int shown, int want) {
        ++*checked;
        if (shown != want)
            out << QStringLiteral("%1 shows %2, not %3").arg(widget).arg(shown).arg(want);
    };

    // Editors named after their field.  The dual-rate rate boxes show the
    // window's selected channel, checked below.
    for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
        const QString name = QLatin1String(f.name);
        if (kNotRead.contains(name))
            continue;
        if (auto *spin = child<QSpinBox>(QStringLiteral("spinBox_") + name))
            expect(spin->objectName(), spin->value(), f.ref(s));
        else if (auto *combo = child<QComboBox>(QStringLiteral("comboBox_") + name))
            expect(combo->objectName(), combo->currentIndex(), f.ref(s));
    }

    // The dual-rate pages show the selected channel's entries.
    const int ch = cfg.DR_CH;
    for (const char *name : {"comboBox_DR_MIX1", "comboBox_DR_MIX2"})
        expect(QLatin1String(name), child<QComboBox>(QLatin1String(name))->currentIndex(), s.DR_MIX);
    for (const char *name : {"comboBox_DR_SW1", "comboBox_DR_SW2"})
        expect(QLatin1String(name), child<QComboBox>(QLatin1String(name))->currentIndex(), s.DR_SW);
    expect(QStringLiteral("spinBox_DR_UP1"), child<QSpinBox>(QStringLiteral("spinBox_DR_UP1"))->value(),
           s.DR_UpRate[ch]);
    expect(QStringLiteral("spinBox_DR_DOWN1"), child<QSpinBox>(QStringLiteral("spinBox_DR_DOWN1"))->value(),
           s.DR_DownRate[ch]);
    const bool up = s.DR_POSI == 0;
    expect(QStringLiteral("spinBox_DR_RATE"), child<QSpinBox>(QStringLiteral("spinBox_DR_RATE"))->value(),
           up ? s.DR_UpRate[ch] : s.DR_DownRate[ch]);
    expect(QStringLiteral("spinBox_DR_EXP"), child<QSpinBox>(QStringLiteral("spinBox_DR_EXP"))->value(),
           up ? s.DR_UpExp[ch] : s.DR_DownExp[ch]);

    // Alarm voltages in volts.
    const std::pair<const char *, int> volts[3] = {{"doubleSpinBox_Volt", s.VoltTenths},
                                                   {"doubleSpinBox_rxVolt", s.rxVoltTenths},
                                                   {"doubleSpinBox_extVolt", s.extVoltTenths}};
    for (const auto &v : volts)
        expect(QLatin1String(v.first), qRound(child<QDoubleSpinBox>(QLatin1String(v.first))->value() * 10), v.second);

    // Trim steps and positions in the row order of the stick mode.
    for (int row = 1; row <= 4; ++row) {
        const int k = trimRowChannel(s.Mode, row);
        const QString step = QStringLiteral("spinBox_step%1").arg(row);
        expect(step, child<QSpinBox>(step)->value(), s.StkStep[k]);
        const QString trim = QStringLiteral("lineEdit_Trim_%1").arg(row);
        ++*checked;
        if (child<QLineEdit>(trim)->text() != QStringLiteral("(%1)").arg(s.StkTrim[k] - 120))
            out << trim + QStringLiteral(" shows ") + child<QLineEdit>(trim)->text();
    }
    return out;
}

// Live packets reach the monitor as soon as the port is open, and stop
// with the goodbye; the demo's port is still offered after the close.
void TestSimWindow::liveValuesUntilClose()
{
    ConfigModel &cfg = window->model();
    const MonitorState &mon = WindowProbe::monitor(*window);
    QVERIFY(open());

    const char *const channels[8] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                                     "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};
    QSet<QString> seen[8];
    QSet<int> barValues;
    QVERIFY(waitUntil(
        [&] {
            for (int k = 0; k < 8; ++k)
                seen[k] << text(channels[k]);
            barValues << child<QProgressBar>(QStringLiteral("progressBar_10"))->value()
                      << child<QProgressBar>(QStringLiteral("progressBar_11"))->value();
            // The sticks sweep: channel 1 takes a new value every refresh.
            return seen[0].size() >= 5 && barValues.size() >= 5;
        },
        kReadTimeoutMs));

    // What one refresh shows is what arrived, in the monitor's own form.
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    const int servos[8] = {mon.Servo1, mon.Servo2, mon.Servo3, mon.Servo4,
                           mon.Servo5, mon.Servo6, mon.Servo7, mon.Servo8};
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(text(channels[k]), QString::number(servos[k]));
        QVERIFY(servos[k] >= 0 && servos[k] <= 2000);
    }
    QVERIFY(mon.TxVoltLive >= 680 && mon.TxVoltLive <= 840);
    QCOMPARE(text("lineEdit_TX"), txVoltText(mon.TxVoltLive));
    QVERIFY(mon.RssiLive >= 1 && mon.RssiLive <= 100);
    QCOMPARE(text("lineEdit_RSSI"), rssiText(mon.RssiLive));
    QCOMPARE(text("lineEdit_RX"), batteryText(mon.RxVoltLive));
    QCOMPARE(text("lineEdit_EXT"), batteryText(mon.ExtVoltLive));
    QVERIFY(mon.RxVoltLive > 0 && mon.ExtVoltLive > 0);
    // The trims come with the live packets, not with a read.
    for (int k = 0; k < 4; ++k)
        QCOMPARE(cfg.StkTrim[k], bench.StkTrim[k]);

    QCOMPARE(sim->stats().strayAcks, quint64(0));

    // Close: the goodbye stops the stream, the bars fall back to rest.
    button("openButton")->click();
    QVERIFY(waitUntil([this] { return !sim->streaming(); }, kReadTimeoutMs));
    const quint64 sent = sim->stats().livePacketsSent;
    QTest::qWait(300);
    QCOMPARE(sim->stats().livePacketsSent, sent);
    for (const char *name : channels)
        QCOMPARE(text(name), QStringLiteral("1000"));

    // The window refilled its list from the system; the demo's port is
    // back on top, selected, and opens again.
    auto *box = child<QComboBox>(QStringLiteral("portNameBox"));
    QVERIFY(waitUntil([&] { return box->itemText(0) == port && box->currentIndex() == 0; }, kReadTimeoutMs));
    QCOMPARE(box->findText(port), 0);
    QVERIFY(box->isEnabled());
    QVERIFY(open());
    button("openButton")->click();
    QVERIFY(waitUntil([this] { return !sim->streaming(); }, kReadTimeoutMs));
}

void TestSimWindow::readFillsEveryPage()
{
    ConfigModel &cfg = window->model();
    QVERIFY(open());
    QVERIFY(!differences(sim->settings(), cfg, kNotRead).isEmpty());
    QList<int> taken;
    connect(&WindowProbe::link(*window), &TransmitterLink::answerTaken, this, [&](int flag) { taken << flag; });
    QVERIFY(readAll());
    QCOMPARE(sim->stats().readRequests, quint64(1));
    QCOMPARE(taken.value(taken.size() - 1), ReadProgress::kGroups);

    // Settings packets refresh the pages at once; the refresh ticks keep them.
    // The trims come with the live packets: one that arrived in pieces
    // with a gap is junk, and the next whole one brings them.
    int checked = 0;
    QVERIFY(
        waitUntil([&] { return pageDifferences(sim->settings(), &checked).filter(QStringLiteral("Trim")).isEmpty(); },
                  kReadTimeoutMs));
    QStringList wrong = pageDifferences(sim->settings(), &checked);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    wrong = pageDifferences(sim->settings(), &checked);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    // Every widget of the settings pages that shows a setting the read brings.
    QCOMPARE(checked, 126);
    // Every packet, in however many pieces, was answered once.
    QCOMPARE(sim->stats().strayAcks, quint64(0));
}

// Two seconds of a fading transmitter recorded with the graph open: one
// CSV row per live packet sent, each answered once, the summary last.
void TestSimWindow::rangeCheckRecordsEveryLivePacket()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("range.csv"));
    RangeSession &range = WindowProbe::range(*window);
    range.showGraph();
    QVERIFY(range.startRecording(path));
    QVERIFY(open());
    // About two seconds at the simulator's pace, fading in and out once.
    QVERIFY(waitUntil([this] { return sim->stats().livePacketsSent + sim->stats().livePacketsLost >= 400; }, 10000));
    button("openButton")->click();
    QVERIFY(waitUntil([this] { return !sim->streaming(); }, kReadTimeoutMs));
    range.stopRecording();
    const zqsim::SimEngine::Stats st = sim->stats();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.first() + '\n', csvHeader());
    // Every packet answered once but the one the close may have caught on
    // its way; every answered one a row (header, rows, summary, the empty rest).
    QVERIFY(st.livePacketsSent - st.acks <= 1);
    QCOMPARE(st.strayAcks + st.ackTimeouts, quint64(0));
    QCOMPARE(quint64(lines.size() - 3), st.acks);
    QVERIFY(lines.at(lines.size() - 2).contains(", packets " + QByteArray::number(qulonglong(st.acks)) + ", "));
    QVERIFY(range.lastWords().contains(QString::number(qulonglong(st.acks))));
    // The chart as a picture.
    const QString picture = dir.filePath(QStringLiteral("graph.png"));
    QVERIFY(static_cast<GraphWindow *>(range.graphWindow())->savePicture(picture));
    QVERIFY(QImage(picture).width() > 400);
}

// The transmitter goes away: the window says so once, shows the
// disconnected state and opens another port as if nothing happened.
void TestSimWindow::pulledCable_data()
{
    QTest::addColumn<bool>("writing");
    QTest::newRow("during the live stream") << false;
    QTest::newRow("during a write") << true;
}

void TestSimWindow::pulledCable()
{
    QFETCH(bool, writing);
    ModalCloser closer(50);
    QVERIFY(open());
    WindowProbe::heldKnown(*window) = true;
    if (writing)
        QVERIFY(clickAndWait("toolButton_Send", kCommandTimeoutMs));
    QVERIFY(waitUntil([&] { return closer.count == 1; }, kReadTimeoutMs));
    QVERIFY(sim->pulled());
    QVERIFY(!writing || sim->stats().framesAccepted < 4);
    if (writing) {
        // The designed line, then what the frames sent leave behind.
        QStringList detailed;
        for (int sent = 0; sent <= 4; ++sent)
            detailed << linkTexts().lineLost + QLatin1Char('\n') + framesLeftText(sent);
        QVERIFY2(detailed.contains(closer.lastText), qPrintable(closer.lastText));
        const QString status = child<QLabel>(QStringLiteral("statusCommand"))->text();
        QVERIFY2(status.contains(QStringLiteral("串口已断开（")), qPrintable(status));
    } else {
        QCOMPARE(closer.lastText, linkTexts().lineLost);
    }
    QCOMPARE(button("openButton")->text(), linkTexts().openText);
    QCOMPARE(text("lineEdit"), QStringLiteral("1000"));

    zqsim::SimHost other;
    QVERIFY(other.start());
    openPortInWindow(window.get(), QString::fromStdString(other.slavePath()));
    QVERIFY(waitUntil([&] { return other.streaming() && text("lineEdit") != QLatin1String("1000"); }, kReadTimeoutMs));
    button("openButton")->click();
    QCOMPARE(closer.count, 1);
}

void TestSimWindow::editsAreWrittenAndReadBack()
{
    ConfigModel &cfg = window->model();
    QVERIFY(open());
    QVERIFY(readAll());
    const TransmitterSettings before = sim->settings();

    // Edits on every settings page, each to a value the read did not bring.
    std::map<std::string, int> edits;
    const auto editSpin = [&](const char *field, int value) {
        auto *box = child<QSpinBox>(QStringLiteral("spinBox_") + QLatin1String(field));
        QVERIFY(box);
        box->setValue(value);
        edits[field] = value;
    };
    editSpin("sub1", before.sub1 == -37 ? 41 : -37);
    editSpin("Lepa8", before.Lepa8 == 120 ? 0 : 120);
    editSpin("Elev05", before.Elev05 == -100 ? 100 : -100);
    editSpin("PRM03_Data1", before.PRM03_Data1 == 3 ? -3 : 3);
    editSpin("THCURE_Data04", before.THCURE_Data04 == 50 ? 49 : 50);
    editSpin("Rssi", before.Rssi == -42 ? -43 : -42);

    auto *rev2 = child<QComboBox>(QStringLiteral("comboBox_rev2"));
    rev2->setCurrentIndex(1 - before.rev2);
    edits["rev2"] = 1 - before.rev2;

    // Another dual-rate channel, then (once the page shows that channel) its
    // up rate.
    child<QComboBox>(QStringLiteral("comboBox_DR_CH1"))->setCurrentIndex(2);
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    const int upRate = before.DR_UpRate[2] == 77 ? 78 : 77;
    child<QSpinBox>(QStringLiteral("spinBox_DR_UP1"))->setValue(upRate);
    edits["DR_CH"] = 2;
    edits["DR_UpRate[2]"] = upRate;
    edits["DR_UP1"] = upRate;
    edits["DR_DOWN1"] = before.DR_DownRate[2];

    const int volt = before.VoltTenths == 74 ? 75 : 74;
    child<QDoubleSpinBox>(QStringLiteral("doubleSpinBox_Volt"))->setValue(volt / 10.0);
    edits["VoltTenths"] = volt;

    const int k = trimRowChannel(cfg.Mode, 1);
    const int step = before.StkStep[k] == 9 ? 10 : 9;
    child<QSpinBox>(QStringLiteral("spinBox_step1"))->setValue(step);
    edits["StkStep[" + std::to_string(k) + "]"] = step;

    TransmitterSettings expected = before;
    for (const auto &e : edits)
        *zqsim::fieldByName(expected, e.first) = e.second;

    const quint64 framesBefore = sim->stats().framesAccepted;
    LogCapture log;
    QVERIFY(clickAndWait("toolButton_Send", kCommandTimeoutMs));
    QCOMPARE(sim->stats().framesAccepted, framesBefore + 4);
    // The frame lines come under the category the manual names.
    QCOMPARE(log.categories.value(log.lines.indexOf(QStringLiteral("Str4Blength:81"))), QStringLiteral("zq.frames"));
    // The transmitter keeps exactly the edits.
    const TransmitterSettings after = sim->settings();
    QVERIFY2(after == expected, qPrintable(names(zqsim::differingFields(after, expected)).join(QStringLiteral(", "))));
    // The history keeps the state the write replaced (what the read
    // brought) and the one it left, each once.
    window->historyStore().waitForWrites();
    const QVector<HistoryEntry> states = window->historyStore().entries();
    QCOMPARE(states.size(), 2);
    QCOMPARE(states[0].event + ' ' + states[1].event, QStringLiteral("write read"));
    const auto keptSub1 = [](const HistoryEntry &e) {
        QFile f(e.path);
        return f.open(QIODevice::ReadOnly) ? historyState(f.readAll()).sub1 : -1000;
    };
    QCOMPARE(keptSub1(states[1]), before.sub1);
    QCOMPARE(keptSub1(states[0]), edits["sub1"]);

    // Forget everything, read again: the edits come back, to the model and
    // to the pages.
    cfg = ConfigModel();
    QVERIFY(readAll());
    QCOMPARE(cfg.sub1, edits["sub1"]);
    QCOMPARE(cfg.DR_UpRate[2], upRate);
    QCOMPARE(cfg.Volt, volt / 10.0);
    int checked = 0;
    QVERIFY(waitUntil([&] { return pageDifferences(sim->settings(), &checked).isEmpty(); }, kReadTimeoutMs));
}

// The tool's file and the simulator's state file are one format: what the
// tool saves the simulator reads, and what the simulator wrote the tool
// loads and sends.
void TestSimWindow::saveAndLoad()
{
    ConfigModel &cfg = window->model();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(open());
    QVERIFY(readAll());

    const QString saved = dir.filePath(QStringLiteral("saved.txt"));
    const quint64 framesBefore = sim->stats().framesAccepted;
    {
        FileDialogAnswer answer(saved);
        QVERIFY(clickAndWait("toolButton_Save", kCommandTimeoutMs));
        QVERIFY(answer.answered);
    }
    // Saving sends the frames too.
    QCOMPARE(sim->stats().framesAccepted, framesBefore + 4);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const TransmitterSettings held = sim->settings();
    QCOMPARE(file.readAll().toStdString(), zqsim::encodeAllFrames(held));
    TransmitterSettings fromFile = zqsim::factorySettings();
    fromFile.Vertion = held.Vertion;
    QCOMPARE(zqsim::loadSettingsFile(saved.toStdString(), fromFile), zqsim::LoadResult::Loaded);
    QVERIFY(fromFile == held);

    TransmitterSettings other = benchSettings(qHash(QByteArray("other")));
    other.Vertion = held.Vertion;  // no file carries it
    const QString written = dir.filePath(QStringLiteral("other.dat"));
    std::string error;
    QVERIFY2(zqsim::saveSettingsFile(written.toStdString(), other, &error), error.c_str());
    {
        FileDialogAnswer answer(written);
        QVERIFY(clickAndWait("toolButton_Load", kCommandTimeoutMs));
        QVERIFY(answer.answered);
    }
    QCOMPARE(sim->stats().framesAccepted, framesBefore + 8);
    QVERIFY2(sim->settings() == other, qPrintable(names(zqsim::differingFields(sim->settings(), other)).join(", ")));
    const QStringList wrong = differences(other, cfg);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
}

void TestSimWindow::bothResetsReachTheTransmitter()
{
    ConfigModel &cfg = window->model();
    ModalCloser yes;  // the resets' question, answered with its first button
    QVERIFY(open());
    const TransmitterSettings factory = factoryKeepingVersion(bench);
    QVERIFY(sim->settings() != factory);

    QVERIFY(clickAndWait("toolButton_Reset", kCommandTimeoutMs));
    QVERIFY2(sim->settings() == factory,
             qPrintable(names(zqsim::differingFields(sim->settings(), factory)).join(", ")));
    QStringList wrong = differences(factory, cfg, {QStringLiteral("Vertion")});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));

    // The transmitter set up differently again; the system page's reset.
    sim->setSettings(bench);
    QVERIFY(waitUntil([&] { return cfg.StkTrim[0] == bench.StkTrim[0] && cfg.StkTrim[3] == bench.StkTrim[3]; },
                      kReadTimeoutMs));
    QVERIFY(clickAndWait("pushButton_Reset2", kCommandTimeoutMs));
    QVERIFY2(sim->settings() == factory,
             qPrintable(names(zqsim::differingFields(sim->settings(), factory)).join(", ")));
    // Trims are not held by this reset: the model takes them from the
    // live packets again, now the factory centre.
    QVERIFY(
        waitUntil([&] { return differences(factory, cfg, {QStringLiteral("Vertion")}).isEmpty(); }, kReadTimeoutMs));
}

void TestSimWindow::readsAgainstOtherTransmitters_data()
{
    QTest::addColumn<QString>("box");  // after the write's read-back and the next read, "#" between
    const QString repaired = verifyTexts().repaired + QStringLiteral("\n中点微调 CH1: 135 % → 0 %");
    QTest::newRow("ack-timeout 20") << QString();
    QTest::newRow("streaming every 20 ms") << QString();
    QTest::newRow("stores sub1 as 999 (135 in its byte)")
        << verifyTexts().mismatch + QStringLiteral("\n中点微调 CH1: 33 % → 135 %#") + repaired;
}

// Reads complete and writes verify whatever the pace of the answers; a
// read that needed repairs says which, and the title keeps its mark.
void TestSimWindow::readsAgainstOtherTransmitters()
{
    ConfigModel &cfg = window->model();
    QFETCH(QString, box);
    QStringList shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            shown << b->text(), b->accept();
    });
    closer.start(10);
    QVERIFY(open());
    QVERIFY(readAll());
    QVERIFY(shown.isEmpty());
    child<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(33);
    QVERIFY(clickAndWait("toolButton_Send", kCommandTimeoutMs));
    QCOMPARE(sim->stats().readRequests, quint64(2));
    QVERIFY(clickAndWait("toolButton_Read", kReadTimeoutMs));
    QCOMPARE(shown.join(QLatin1Char('#')), box);
    QCOMPARE(cfg.sub1, box.isEmpty() ? 33 : 0);
    // The mark as the next refresh shows it, not as the write left it.
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    QCOMPARE(window->windowTitle().endsWith(QLatin1String(" *")), !box.isEmpty());
}

QTEST_MAIN(TestSimWindow)
#include "tst_sim_window.moc"
