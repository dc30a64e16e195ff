// Saving and loading configuration files, with the transmitter played on a
// pseudo-terminal.
#include "commandtime.h"
#include "configfile.h"
#include "configmodel.h"
#include "filereport.h"
#include "frameencoder.h"
#include "framefields.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "readback.h"
#include "testsupport.h"
#include "texts.h"
#include "windowprobe.h"
#include "wirecapture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kInitialFile =
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y"
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z"
    "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X"
    "I8888888812121212000000000000000000000000000000000000000000000000000000000000000V";

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// Settings the sanity pass accepts, different from the start-up values in
// every frame.
ConfigModel editedModel()
{
    ConfigModel m;
    m.rev5 = 1;
    m.sub1 = 25;
    m.Lepa2 = 110;
    m.FS8 = 10;
    m.AUX6 = 4;
    m.Volt = 7.4;
    m.Mode = 1;
    m.AttiM = 2;
    m.Elev04 = 60;
    m.Ru3 = -30;
    m.delay2 = 40;
    m.PRM02_Data1 = -20;
    m.DR_UpRate[1] = 70;
    m.PRM04_Slave = 6;
    m.THCURE_Data04 = 60;
    m.DR_DownExp[3] = -15;
    m.extVolt = 12.3;
    m.Rssi = -80;
    m.rxVolt = 5.5;
    m.StkTrim[0] = 130;
    m.StkStep[2] = 5;
    return m;
}

// The frames of `m`; like a send, this refreshes the model's tenths fields.
QByteArray framesOf(ConfigModel &m)
{
    QByteArray f;
    for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
        f += buildFrame(k, m, frameTemplate(k)).toLatin1();
    return f;
}

QByteArray fileOf(ConfigModel m)
{
    return framesOf(m);
}

// The model a load of `content` leaves behind, starting from `m`, and the
// frames it sends on the way.
QByteArray expectLoad(const QByteArray &content, ConfigModel &m)
{
    decodeConfigText(QString::fromLatin1(content), m);
    const QByteArray frames = framesOf(m);
    selectDualRate(m);
    return frames;
}

QAbstractButton *button(MainWindow &w, const char *name)
{
    return w.findChild<QAbstractButton *>(QLatin1String(name));
}

// A path that exists but that no one, root included, can open as a file.
bool makeSocketFile(const QString &path, int &fd)
{
    fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray p = QFile::encodeName(path);
    if (fd < 0 || p.size() >= int(sizeof addr.sun_path))
        return false;
    qstrncpy(addr.sun_path, p.constData(), sizeof addr.sun_path);
    return ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
}

}  // namespace

class TstSaveLoad : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    void openPort(MainWindow &w, PtyPeer &peer)
    {
        w.setVerifyWrites(false);  // these pin the designed sequences, which --no-verify keeps
        QVERIFY(peer.isOpen());
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        WindowProbe::heldKnown(w) = true;
        peer.clearReceived();
    }

private slots:
    void init()
    {
        commandtime::scaled();
        QVERIFY(dir.isValid());
    }

    // Every command, however it ends, holds all command controls and the busy
    // cursor from click to end and refuses another command meanwhile.  A close
    // (and a second one) waits for the end; a pulled cable ends it at once.
    void oneCommandAtATime_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");  // the file dialog's answer; empty cancels
        QTest::addColumn<int>("closeAt");   // ms after the click (as commands wait); 0: no close
        QTest::addColumn<bool>("pull");     // the cable, once the G frame is through (in real time: the
                                            // command must end at once, not a scaled pause later)
        QTest::newRow("read, unanswered") << "toolButton_Read"
                                          << "" << 0 << false;
        QTest::newRow("write") << "toolButton_Send"
                               << "" << 0 << false;
        QTest::newRow("save") << "toolButton_Save"
                              << "saved.txt" << 0 << false;
        QTest::newRow("load, cancelled") << "toolButton_Load"
                                         << "" << 0 << false;
        QTest::newRow("load, unreadable") << "toolButton_Load"
                                          << "busy.sock" << 0 << false;
        QTest::newRow("top-bar reset") << "toolButton_Reset"
                                       << "" << 0 << false;
        QTest::newRow("system reset, no port") << "pushButton_Reset2"
                                               << "" << 0 << false;
        QTest::newRow("write, closed") << "toolButton_Send"
                                       << "" << 400 << false;
        QTest::newRow("write, pulled") << "toolButton_Send"
                                       << "" << 0 << true;
        QTest::newRow("write, closed, pulled") << "toolButton_Send"
                                               << "" << 400 << true;
    }

    void oneCommandAtATime()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(int, closeAt);
        QFETCH(bool, pull);
        if (pull)
            commandtime::realTime();
        closeAt = commandtime::ms(closeAt);
        MainWindow w;
        ConfigModel &cfg = w.model();
        w.show();
        PtyPeer peer;
        if (name != QLatin1String("pushButton_Reset2"))  // that one meets no open port
            openPort(w, peer);
        QTemporaryDir own;
        int samples = 0, held = 0, ticksInRefusal = -1, fd = -1, closedEarly = 0;
        QVERIFY(!file.endsWith(".sock") || makeSocketFile(own.filePath(file), fd));
        FileDialogAnswer answer(file.isEmpty() ? file : own.filePath(file));
        ModalCloser closer;
        QElapsedTimer sincePull;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            if (pull && r.bytes.size() >= 162 && !sincePull.isValid()) {
                cfg.sub1 = 5;  // left unwritten: a close after the loss still goes without asking
                peer.closeMaster();
                sincePull.start();
            }
        });
        FrameClock frames(WindowProbe::link(w), wire.clock);
        const auto controls = w.findChildren<QAbstractButton *>(
            QRegularExpression("^(toolButton_(Read|Send|Save|Load|Reset)|pushButton_Reset2|openButton)$"));
        const auto isOn = [](QAbstractButton *b) { return b->isEnabled(); };
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            // Busy throughout, but for the boxes and dialogs, which show no
            // busy cursor over them.
            const QCursor *c = QApplication::overrideCursor();
            const bool asking = QApplication::activeModalWidget() != nullptr;
            held += (asking ? !c : c && c->shape() == Qt::BusyCursor)
                    && std::none_of(controls.begin(), controls.end(), isOn);
            // Another command, called past its disabled button, at the first
            // sample (the shortest command, scaled, may see few).
            if (++samples == 1) {
                QMetaObject::invokeMethod(&w, "on_pushButton_Reset2_clicked");
                // Refused at once: no wait of its own let this timer in again.
                ticksInRefusal = samples - 1;
            }
        });
        for (int at : {closeAt, closeAt + commandtime::ms(900)})
            QTimer::singleShot(at, &w, [&] { closedEarly |= closeAt && w.close(); });
        QTimer::singleShot(0, &w, [&] {
            watch.start(5);
            w.findChild<QAbstractButton *>(name)->click();
            watch.stop();
        });
        QVERIFY(waitUntil([&] { return samples > 0 && !watch.isActive(); }, 20000));
        ::close(fd);
        QVERIFY2(
            held == samples && ticksInRefusal == 0,
            qPrintable(
                QStringLiteral("%1 of %2 held, %3 ticks in the refusal").arg(held).arg(samples).arg(ticksInRefusal)));
        QVERIFY(!QApplication::overrideCursor() && controls.size() == 7
                && std::all_of(controls.begin(), controls.end(), isOn));
        QCOMPARE(w.isVisible(), closeAt == 0);
        QVERIFY2(!pull || sincePull.elapsed() < 1500, qPrintable(QString::number(sincePull.elapsed())));
        QVERIFY(!(pull && closeAt) || closer.count == 0);         // closed at once, no loss box
        if (name == QLatin1String("toolButton_Send") && !pull) {  // one write, nothing else
            QTRY_COMPARE(wire.bytes, kInitialFile + "WWW");
            const QStringList shortWaitsSeen = shortWaits(wire, frames, false);
            QVERIFY2(shortWaitsSeen.isEmpty(), qPrintable(shortWaitsSeen.join(QStringLiteral(", "))));
            QVERIFY(!closedEarly);
        }
    }

    // Each command's key presses its button, named in the button's tool
    // tip; pressed while another command runs, it does nothing, as a click
    // would not.
    void keysPressTheirButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("open/close") << "openButton" << QKeySequence(Qt::CTRL | Qt::Key_L);
        QTest::newRow("read") << "toolButton_Read" << QKeySequence(Qt::CTRL | Qt::Key_R);
        QTest::newRow("write") << "toolButton_Send" << QKeySequence(Qt::CTRL | Qt::Key_T);
        QTest::newRow("save") << "toolButton_Save" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("load") << "toolButton_Load" << QKeySequence(Qt::CTRL | Qt::Key_O);
    }

    void keysPressTheirButtons()
    {
        QFETCH(QString, name);
        QFETCH(QKeySequence, key);
        MainWindow w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(waitUntil([&] { return w.isActiveWindow(); }, 5000));
        PtyPeer peer;
        openPort(w, peer);
        auto *pressed = w.findChild<QAbstractButton *>(name);
        QVERIFY(pressed->toolTip().endsWith(QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText))));
        int clicks = 0;
        connect(pressed, &QAbstractButton::clicked, [&] { ++clicks; });
        const auto press = [&] { QTest::keySequence(&w, key); };

        // During a read nobody answers: no click, no dialog, nothing sent but the read's "RR".
        FileDialogAnswer untouched{QString()};
        ModalCloser closer;  // the unanswered read's box
        bool pressedWhileBusy = false;
        int clicksWhileBusy = -1;
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Read"), &QAbstractButton::click);
        QTimer::singleShot(commandtime::ms(400), &w, [&] {
            pressedWhileBusy = QApplication::overrideCursor() != nullptr && w.isActiveWindow();
            clicks = 0;
            press();
            clicksWhileBusy = clicks;
        });
        QVERIFY(waitUntil([&] { return clicksWhileBusy >= 0; }, 5000));
        QVERIFY(waitForCommandEnd());
        QVERIFY(pressedWhileBusy);
        QCOMPARE(wire.collectFor(commandtime::ms(300)), QByteArray());
        QCOMPARE(wire.bytes, QByteArray("RR"));
        QCOMPARE(clicksWhileBusy, 0);
        QVERIFY(!untouched.answered);

        // Idle: one click, the command runs (the file dialogs cancelled).
        QApplication::setActiveWindow(&w);  // back from the read's box
        QVERIFY(waitUntil([&] { return w.isActiveWindow(); }, 5000));
        clicks = 0;
        press();
        QVERIFY(waitForCommandEnd());
        QCOMPARE(clicks, 1);
        QCOMPARE(untouched.answered, name.endsWith(QLatin1String("Save")) || name.endsWith(QLatin1String("Load")));
    }

    // Save's waits at full length: the button pause, the frame pauses, and
    // the last frame's pause before the file is put in place.
    void saveWritesTheFramesAndReplacesTheFileWhole()
    {
        commandtime::realTime();
        MainWindow w;
        PtyPeer peer;
        openPort(w, peer);
        const QString path = dir.filePath("initial.txt");
        QVERIFY(writeFile(path, "previous settings"));

        LogCapture log;
        FileDialogAnswer answer(path);
        QByteArray fileWhileSending;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            if (r.bytes.size() >= 81 && fileWhileSending.isNull())
                fileWhileSending = readFile(path);
        });
        FrameClock frames(WindowProbe::link(w), wire.clock);
        QTimer::singleShot(0, button(w, "toolButton_Save"), &QAbstractButton::click);
        QVERIFY(wire.waitForBytes(324));
        QVERIFY(waitUntil([&] { return readFile(path).size() == 324; }, 3000));
        const qint64 savedAt = wire.clock.elapsed();
        QVERIFY(waitForCommandEnd());
        QCOMPARE(wire.collectFor(400), QByteArray());  // no "WWW" after a save
        QVERIFY(QRegularExpression(
                    QStringLiteral("^已保存 initial.txt \\d\\d:\\d\\d:\\d\\d；这些帧也发送到了遥控器（未校验）$"))
                    .match(w.findChild<QLabel *>(QStringLiteral("statusCommand"))->text())
                    .hasMatch());

        QCOMPARE(wire.bytes, kInitialFile);
        // Three frame pauses on the wire; the I frame's before the file is
        // put in place.
        QStringList shortWaitsSeen = shortWaits(wire, frames, false).filter(QRegularExpression("^(button|[SGH]) "));
        if (savedAt - frames.at(4) < commandtime::ms(800) - 3)
            shortWaitsSeen << QStringLiteral("I frame's pause");
        QVERIFY2(shortWaitsSeen.isEmpty(), qPrintable(shortWaitsSeen.join(QStringLiteral(", "))));
        const QByteArray saved = readFile(path);
        QCOMPARE(saved, kInitialFile);
        QVERIFY(saved.startsWith("S0010000078") && saved.endsWith("V"));
        // The old file stays whole until the new one is complete.
        QCOMPARE(fileWhileSending, QByteArray("previous settings"));

        QCOMPARE(answer.title, QStringLiteral("保存数据"));
        QCOMPARE(answer.directory, QDir::currentPath());
        QCOMPARE(answer.filters, QStringList({"文本文件 (*.txt *.dat)", "所有文件 (*)"}));
        QVERIFY(log.lines.contains(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"initial.txt"});
    }

    // The next file dialog starts where the last file was saved or loaded
    // in this window's run; Save gives a name without a suffix ".txt" and
    // leaves any other suffix alone.
    void fileDialogStartsWhereTheLastFileWas_data()
    {
        QTest::addColumn<QString>("first");    // "save" or "load"
        QTest::addColumn<QString>("answer");   // the dialog's answer, in the test folder
        QTest::addColumn<QString>("written");  // the file a save wrote
        QTest::addColumn<QString>("then");     // the next command, whose dialog is cancelled
        QTest::addColumn<QString>("startsIn");
        QTest::newRow("save, no suffix") << "save"
                                         << "a/glider"
                                         << "a/glider.txt"
                                         << "load"
                                         << "a";
        QTest::newRow("save, .txt") << "save"
                                    << "a/glider.txt"
                                    << "a/glider.txt"
                                    << "save"
                                    << "a";
        QTest::newRow("save, .dat stays") << "save"
                                          << "b/glider.dat"
                                          << "b/glider.dat"
                                          << "load"
                                          << "b";
        QTest::newRow("save, any suffix stays") << "save"
                                                << "b/glider.cfg"
                                                << "b/glider.cfg"
                                                << "save"
                                                << "b";
        QTest::newRow("save, no suffix, dotted folder") << "save"
                                                        << "v1.2/glider"
                                                        << "v1.2/glider.txt"
                                                        << "save"
                                                        << "v1.2";
        QTest::newRow("load") << "load"
                              << "c/heli.txt"
                              << ""
                              << "save"
                              << "c";
        QTest::newRow("load, then load") << "load"
                                         << "c/d/heli.dat"
                                         << ""
                                         << "load"
                                         << "c/d";
    }

    void fileDialogStartsWhereTheLastFileWas()
    {
        QFETCH(QString, first);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, then);
        QFETCH(QString, startsIn);
        const auto buttonOf = [](const QString &command) {
            return command == QLatin1String("save") ? "toolButton_Save" : "toolButton_Load";
        };
        QTemporaryDir own;
        QVERIFY(QDir(own.path()).mkpath(QFileInfo(own.filePath(answer)).path()));
        if (first == QLatin1String("load"))
            QVERIFY(writeFile(own.filePath(answer), kInitialFile));
        MainWindow w;
        PtyPeer peer;
        openPort(w, peer);
        {
            FileDialogAnswer chosen(own.filePath(answer));
            QTimer::singleShot(0, button(w, buttonOf(first)), &QAbstractButton::click);
            QVERIFY(waitUntil([&] { return chosen.answered; }, 5000));
            QVERIFY(waitForCommandEnd());
            QCOMPARE(chosen.directory, QDir::currentPath());  // the first in a run: the working folder
        }
        if (!written.isEmpty()) {
            QCOMPARE(readFile(own.filePath(written)), kInitialFile);
            QCOMPARE(QDir(QFileInfo(own.filePath(written)).path()).entryList(QDir::Files),
                     QStringList{QFileInfo(written).fileName()});
        }
        FileDialogAnswer next{QString()};
        QTimer::singleShot(0, button(w, buttonOf(then)), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return next.answered; }, 5000));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(next.directory, QDir(own.filePath(startsIn)).absolutePath());
    }

    void cancelledSaveDoesNothing()
    {
        MainWindow w;
        PtyPeer peer;
        openPort(w, peer);
        FileDialogAnswer answer{QString()};
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Save"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return answer.answered; }, 5000));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(wire.collectFor(commandtime::ms(1000)), QByteArray());
        QCOMPARE(WindowProbe::frame(w, FrameS), frameTemplate(FrameS));
    }

    void unwritablePathShowsTheErrorAndSendsNothing()
    {
        MainWindow w;
        PtyPeer peer;
        openPort(w, peer);
        const QString path = dir.filePath("no/such/folder/settings.txt");
        FileDialogAnswer answer(path);
        ModalCloser closer;
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Save"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
        QCOMPARE(closer.lastTitle, QStringLiteral("错误"));
        QCOMPARE(closer.lastText, QStringLiteral("不能读取指定的文件!"));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(wire.collectFor(commandtime::ms(1000)), QByteArray());
        QVERIFY(!QFile::exists(path));
    }

    // The file cannot be put in place at the end (its folder moved away
    // while the frames were being sent): the error shows and the previous
    // file is untouched.
    void failedSaveKeepsThePreviousFile()
    {
        MainWindow w;
        PtyPeer peer;
        openPort(w, peer);
        QVERIFY(QDir(dir.path()).mkdir("before"));
        const QString path = dir.filePath("before/settings.dat");
        QVERIFY(writeFile(path, "previous settings"));
        FileDialogAnswer answer(path);
        ModalCloser closer;
        bool moved = false;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            if (r.bytes.size() >= 81 && !moved)
                moved = QDir(dir.path()).rename("before", "after");
        });
        QTimer::singleShot(0, button(w, "toolButton_Save"), &QAbstractButton::click);
        QVERIFY(wire.waitForBytes(324));
        QVERIFY(moved);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
        QCOMPARE(closer.lastTitle, QStringLiteral("错误"));
        QCOMPARE(closer.lastText, QStringLiteral("不能读取指定的文件!"));
        QCOMPARE(readFile(dir.filePath("after/settings.dat")), QByteArray("previous settings"));
        QVERIFY(!QFile::exists(path));
    }

    void loadTakesTheFileAndWritesIt()
    {
        MainWindow w;
        ConfigModel &cfg = w.model();
        int &trimHold = WindowProbe::trimHold(w);
        PtyPeer peer;
        openPort(w, peer);
        const QString path = dir.filePath("edited.txt");
        const QByteArray content = fileOf(editedModel());
        QVERIFY(writeFile(path, content));

        LogCapture log;
        FileDialogAnswer answer(path);
        int holdWhileSending = -1;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            if (r.bytes.size() >= 81 && holdWhileSending < 0)
                holdWhileSending = trimHold;
        });
        QTimer::singleShot(0, button(w, "toolButton_Load"), &QAbstractButton::click);
        QVERIFY(wire.waitForBytes(327));
        QVERIFY(waitUntil([&] { return trimHold == 0; }, 2000));

        QCOMPARE(wire.bytes, content + "WWW");
        ConfigModel expected;
        QCOMPARE(expectLoad(content, expected), content);
        const QStringList diff = differingFrameFields(cfg, expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
        QCOMPARE(cfg.Volt, 7.4);
        QCOMPARE(holdWhileSending, 1);
        const auto frame = [&w](FrameKind k) { return WindowProbe::frame(w, k); };
        QCOMPARE(configFileContent(frame(FrameS), frame(FrameG), frame(FrameH), frame(FrameI)), content);

        QStringList blength;
        for (const QString &l : log.lines)
            if (l.startsWith("Blength"))
                blength << l;
        QCOMPARE(blength, QStringList({"Blength00:324", "Blength01:324", "Blength02:324", "Blength03:324"}));
        QCOMPARE(answer.title, QStringLiteral("打开文件"));
        QCOMPARE(answer.directory, QDir::currentPath());
        QCOMPARE(answer.filters, QStringList({"文本文件 (*.txt *.dat)", "所有文件 (*)"}));
    }

    // Without a port a load fills the pages and sends nothing; the status
    // line says so, naming the file.
    void loadWithoutAPortFillsThePagesOnly()
    {
        MainWindow w;
        const QString path = dir.filePath("glider.txt");
        const QByteArray content = fileOf(editedModel());
        QVERIFY(writeFile(path, content));
        FileDialogAnswer answer(path);
        ModalCloser closer;
        bool done = false;
        QTimer::singleShot(0, button(w, "toolButton_Load"),
                           [&] { button(w, "toolButton_Load")->click(), done = true; });
        QVERIFY(waitUntil([&] { return done; }, 10000));
        QCOMPARE(closer.count, 0);
        QCOMPARE(w.model().Volt, 7.4);
        QString status = w.findChild<QLabel *>(QStringLiteral("statusCommand"))->text();
        status.replace(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d:\\d\\d$")), QStringLiteral("T"));
        QCOMPARE(status, QStringLiteral("已将 glider.txt 载入页面；未发送（没有打开串口）T"));
    }

    // A file written by zqconfig-file's import loads like the original.
    void importedFileLoadsLikeTheOriginal()
    {
        const QByteArray original = fileOf(editedModel());
        QByteArray imported;
        QString error;
        QVERIFY2(importJson(exportJson(readConfigFile(original)), imported, error), qPrintable(error));
        MainWindow w;
        PtyPeer peer;
        openPort(w, peer);
        QVERIFY(writeFile(dir.filePath("imported.txt"), imported));
        FileDialogAnswer answer(dir.filePath("imported.txt"));
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Load"), &QAbstractButton::click);
        QVERIFY(wire.waitForBytes(327));
        QCOMPARE(wire.bytes, original + "WWW");
    }

    void loadTakesTheFramesInPlace_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("logLines");
        QTest::addColumn<int>("sub1");     // S frame
        QTest::addColumn<int>("attiM");    // G frame
        QTest::addColumn<int>("curve4");   // H frame
        QTest::addColumn<QString>("box");  // the one box: title, text
        const QByteArray edited = fileOf(editedModel());
        const QString loaded = QStringLiteral("提示, 已加载并发送 part.txt：\n");
        QTest::newRow("S and G only") << edited.left(162)
                                      << QStringList({"Blength00:162", "Blength01:162", "Blength02:162"}) << 25 << 2
                                      << 50 << loaded + guardTexts().shortFile.arg(framesInWords("HI"));
        const QString refused =
            QStringLiteral("错误, part.txt：不是配置文件（其中没有一组完整的设置），\n未发送任何数据。");
        // Without a port the box says nothing went out.
        QTest::newRow("S and G only, no port open")
            << edited.left(162) << QStringList({"Blength00:162", "Blength01:162", "Blength02:162"}) << 25 << 2 << 50
            << QStringLiteral("提示, 已将 part.txt 载入页面，未发送（没有打开串口）：\n")
                   + guardTexts().shortFile.arg(framesInWords("HI"));
        // Opened on the pages, a file goes nowhere, port open or not.
        QTest::newRow("S and G only, opened on the pages")
            << edited.left(162) << QStringList({"Blength00:162", "Blength01:162", "Blength02:162"}) << 25 << 2 << 50
            << QStringLiteral("提示, 已在页面上打开 part.txt，未发送：\n")
                   + guardTexts().shortFile.arg(framesInWords("HI"));
        QTest::newRow("161 characters") << edited.left(161) << QStringList() << 0 << 4 << 50 << refused;
        QByteArray lines;
        for (int k = 0; k < 4; ++k)
            lines += edited.mid(81 * k, 81) + "\n";
        QTest::newRow("line break after each frame")
            << lines << QStringList({"Blength00:328", "Blength01:328"}) << 25 << 4 << 50
            << loaded + guardTexts().shortFile.arg(framesInWords("GHI"));
        QTest::newRow("not a configuration")
            << QByteArray("hello world\n" + edited.mid(1)) << QStringList() << 0 << 4 << 50 << refused;
        QTest::newRow("G, H and I only") << QByteArray("x" + edited.mid(1))
                                         << QStringList({"Blength00:324", "Blength02:324", "Blength03:324"}) << 0 << 2
                                         << 60 << loaded + guardTexts().shortFile.arg(framesInWords("S"));
    }

    // Frames not taken keep the model's values, and the model as it then
    // stands is what goes to the transmitter.
    void loadTakesTheFramesInPlace()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, logLines);
        QFETCH(int, sub1);
        QFETCH(int, attiM);
        QFETCH(int, curve4);
        QFETCH(QString, box);
        MainWindow w;
        ConfigModel &cfg = w.model();
        PtyPeer peer;
        const bool portOpen = !QByteArray(QTest::currentDataTag()).endsWith("no port open");
        if (portOpen)
            openPort(w, peer);
        const QString path = dir.filePath("part.txt");
        QVERIFY(writeFile(path, content));

        ConfigModel expected = cfg;
        const QByteArray frames = logLines.isEmpty() ? QByteArray() : expectLoad(content, expected) + "WWW";
        const bool opened = QByteArray(QTest::currentDataTag()).endsWith("opened on the pages");
        const QByteArray sent = portOpen && !opened ? frames : QByteArray();

        LogCapture log;
        FileDialogAnswer answer(path);
        // While the dialog is up the line says what it waits for, not "Writing…";
        // a refusal's box stays up past a second, and the line keeps the time
        // the refusal came, not the time the box went.
        const auto line = [&] { return w.findChild<QLabel *>(QStringLiteral("statusCommand"))->text(); };
        bool waitSaid = false;
        answer.whileShown = [&] { waitSaid = waitUntil([&] { return line() == "正在等待选择文件…"; }, 3000); };
        const bool refusal = box.startsWith(QStringLiteral("错误"));
        ModalCloser closer(refusal ? 1100 : 0);
        QString duringBox;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            duringBox += closer.count == 0 && duringBox.isEmpty()
                                 && qobject_cast<QMessageBox *>(QApplication::activeModalWidget())
                             ? line()
                             : QString();
        });
        watch.start(10);
        WireRecorder wire(peer);
        if (opened)
            QTimer::singleShot(0, w.findChild<QAction *>("actionOpenOnPages"), &QAction::trigger);
        else
            QTimer::singleShot(0, button(w, "toolButton_Load"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 15000));
        QVERIFY(waitForCommandEnd());
        wire.collectFor(commandtime::ms(500));
        QVERIFY(waitSaid || opened);  // opening on the pages is no command: the line stays
        QCOMPARE(wire.bytes, sent);
        QCOMPARE(closer.count, 1);
        QCOMPARE(closer.lastTitle + ", " + closer.lastText, box);  // a refusal sends nothing, decodes nothing
        if (refusal) {
            QVERIFY2(
                QRegularExpression(QStringLiteral("^未载入：part.txt 无法读取或不是配置文件（\\d\\d:\\d\\d:\\d\\d）$"))
                    .match(line())
                    .hasMatch(),
                qPrintable(line()));
            QCOMPARE(line(), duringBox);
        }
        QCOMPARE(cfg.sub1, sub1);
        QCOMPARE(cfg.AttiM, attiM);
        QCOMPARE(cfg.THCURE_Data04, curve4);
        const QStringList diff = differingFrameFields(cfg, expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
        QStringList blength;
        for (const QString &l : log.lines)
            if (l.startsWith("Blength"))
                blength << l;
        QCOMPARE(blength, logLines);
    }

    // Damaged fields are repaired before anything reaches the transmitter.
    void damagedFileIsRepairedBeforeSending()
    {
        MainWindow w;
        ConfigModel &cfg = w.model();
        PtyPeer peer;
        openPort(w, peer);
        QByteArray content = fileOf(editedModel());
        content.replace(9, 2, "zz");   // sub1: -120
        content.replace(1, 1, "A");    // rev1: 10
        content.replace(152, 1, "A");  // PRM01_Master: 10, no channel the page offers
        const QString path = dir.filePath("damaged.txt");
        QVERIFY(writeFile(path, content));

        FileDialogAnswer answer(path);
        ModalCloser closer;
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Load"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 15000));
        QCOMPARE(closer.lastText, QStringLiteral("已加载并发送 damaged.txt：\n已修复（舵机相位 CH1 10 -> 正相; "
                                                 "中点微调 CH1 -120 % -> 0 %; 可编程混控一 主控 10 -> CH1）"));
        const QByteArray sent = wire.bytes;
        for (int k = 0; k < 4; ++k)
            QCOMPARE(sent.at(81 * k + 80), "YZXV"[k]);
        QCOMPARE(sent.mid(324), QByteArray("WWW"));
        QCOMPARE(cfg.PRM01_Master, 0);
        QCOMPARE(sent.at(81 + 71), '0');
        QCOMPARE(sent.mid(11, 2), QByteArray("78"));  // sub2 untouched

        QCOMPARE(sent.mid(9, 2), QByteArray("78"));  // sub1 repaired to 0
        QCOMPARE(sent.at(1), '0');                   // rev1 repaired to 0
        QCOMPARE(cfg.sub1, 0);
        QCOMPARE(cfg.rev1, 0);
    }

    void cancelledLoadSendsNothing()
    {
        MainWindow w;
        ConfigModel &cfg = w.model();
        int &trimHold = WindowProbe::trimHold(w);
        PtyPeer peer;
        openPort(w, peer);
        cfg.DR_UpRate[0] = 60;  // the working DR_UP1 still shows 100
        int holdWhileAsking = -1;
        FileDialogAnswer answer{QString()};
        answer.whileShown = [&] { holdWhileAsking = trimHold; };
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Load"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return answer.answered; }, 5000));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(wire.collectFor(commandtime::ms(1000)), QByteArray());
        QCOMPARE(holdWhileAsking, 1);
        QCOMPARE(trimHold, 0);
        QCOMPARE(cfg.DR_UP1, 60);  // the working fields follow the arrays again
    }

    void unreadableFileShowsTheError()
    {
        MainWindow w;
        ConfigModel &cfg = w.model();
        int &trimHold = WindowProbe::trimHold(w);
        PtyPeer peer;
        openPort(w, peer);
        const QString path = dir.filePath("sock");
        int fd = -1;
        QVERIFY(makeSocketFile(path, fd));
        const ConfigModel before = cfg;
        FileDialogAnswer answer(path);
        ModalCloser closer;
        WireRecorder wire(peer);
        QTimer::singleShot(0, button(w, "toolButton_Load"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
        ::close(fd);
        QCOMPARE(closer.lastTitle, QStringLiteral("错误"));
        QCOMPARE(closer.lastText, QStringLiteral("不能读取指定的文件!"));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(wire.collectFor(commandtime::ms(1000)), QByteArray());
        QCOMPARE(trimHold, 0);
        const QStringList diff = differingFrameFields(cfg, before);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
    }
};

QTEST_MAIN(TstSaveLoad)
#include "tst_saveload.moc"
