// The write sequence on a pseudo-terminal: four frames 800 ms apart and
// "WWW", or only the notice when no port is open.
#include "commandtime.h"
#include "configmodel.h"
#include "frameencoder.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "readback.h"
#include "readprogress.h"
#include "settingstable.h"
#include "simengine.h"
#include "testsupport.h"
#include "windowprobe.h"
#include "texts.h"
#include "wirecapture.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

const QByteArray kInitialFrames =
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y"
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z"
    "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X"
    "I8888888812121212000000000000000000000000000000000000000000000000000000000000000V";

// The factory settings differ from the start-up ones only in the alarm
// voltage (3.7 V: "35" at 77).
const QByteArray kFactoryFrames = QByteArray(kInitialFrames).replace(77, 2, "35");

// The row of each command that pins its waits at full length.
bool pinsTheWaits()
{
    return QByteArray(QTest::currentDataTag()).endsWith(", faithful");
}

QAbstractButton *button(MainWindow &w, const char *name)
{
    return w.findChild<QAbstractButton *>(QLatin1String(name));
}

// Answers every box: Cancel where the box has it, else its first button
// (Yes to a reset's question); records what it was shown.
struct BoxAnswer
{
    BoxAnswer()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            const bool question = box->buttons().size() > 1;
            busyUnderBox = busyUnderBox || QApplication::overrideCursor() != nullptr;
            (question ? questions : shown)
                << box->text() + (box->defaultButton() ? QLatin1Char('|') + box->defaultButton()->text() : QString());
            if (clock)
                (question ? askedAt : shownAt) << clock->elapsed();
            QAbstractButton *cancel = box->button(QMessageBox::Cancel);
            (cancel ? cancel : box->buttons().first())->click();
        });
        timer.start(10);
    }
    QTimer timer;
    QStringList shown, questions;
    const QElapsedTimer *clock = nullptr;  // when set: when each box appeared
    QVector<qint64> shownAt, askedAt;
    bool busyUnderBox = false;  // the busy cursor spun over a box
};

// The status line's command text, its time of day as "T".
QString statusText(MainWindow &w)
{
    static const QRegularExpression time(QStringLiteral("\\d\\d:\\d\\d:\\d\\d"));
    return w.findChild<QLabel *>(QStringLiteral("statusCommand"))->text().replace(time, QStringLiteral("T"));
}

} // namespace

class TstWrite : public QObject
{
    Q_OBJECT

private slots:
    // The comparison after a write, without a window: only the settings a
    // read answers for, page by page, each with the window's label.
    void readBackComparesWhatTheAnswersCarry_data()
    {
        QTest::addColumn<QString>("held");  // "field=value ..." changed in the answers
        QTest::addColumn<QString>("box");   // the lines, "|" between them
        // Not the trims or the dual-rate page's channel choice: no answer carries them.
        QTest::newRow("not the trims") << "StkTrim[0]=130 DR_CH=2 DR_UP1=40 DR_DOWN1=30 extVolt=74 DR_DownExp[2]=-5"
                                       << "大小舵曲线 指数 CH3 DOWN: 0 % → -5 %|报警设置 动力电池电压: 11.0 V → 7.4 V";
        QTest::newRow("trims and channel choice alone") << "StkTrim[0]=130 DR_CH=2 DR_UP1=40 DR_DOWN1=30" << "";
        QString edits, lines;
        for (int ch = 1; ch <= 8; ++ch) {
            edits += QStringLiteral("Lepa%1=%1 Repa%1=%1 ").arg(ch);
            lines += QStringLiteral("舵机行程量 CH%1 L: 96 % → %1 %|").arg(ch);
            lines += ch < 8 ? QStringLiteral("舵机行程量 CH%1 R: 96 % → %1 %|").arg(ch) : QString();
        }
        QTest::newRow("more than fit") << edits + "FS1=1" << lines + "… and 2 more";
    }

    void readBackComparesWhatTheAnswersCarry()
    {
        QFETCH(QString, held);
        const ConfigModel sent;
        ConfigModel answers = sent;
        for (const QString &edit : held.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            findSetting(edit.section(QLatin1Char('='), 0, 0))->set(answers, edit.section(QLatin1Char('='), 1).toInt());
        const QString box = firstLines(readBackDifferences(sent, answers), 15, QStringLiteral("… and %1 more"));
        QTEST(box.split(QLatin1Char('\n')).join(QLatin1Char('|')), "box");
        QCOMPARE(unwrittenSettings(answers, sent), !box.isEmpty());  // the title's mark
    }

    // Every command that closes with "WWW", against a transmitter that
    // keeps, changes, drops or does not tell what it was sent; then a close.
    void readBackAfterEveryWrite_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("transmitter");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("box");  // also: the title marked, and closing asks
        QTest::addColumn<int>("answers");  // "WWW" after "RR"
        QTest::addColumn<QString>("status");  // the status line at the end
        const QString mismatch = verifyTexts().mismatch + QLatin1Char('\n');
        const QString misstored = mismatch + "中点微调 CH1: 0 % → 7 %";
        const QString verified = "已写入并校验 T", differs = "已写入，但遥控器保存的 1 项设置与发送的不同（T）",
                      noAnswer = "已发送，未校验：没有应答（T）", partly = "已发送，未校验：应答不完整（T）",
                      trusted = "已发送（未校验）T";
        for (const char *command : {"toolButton_Send", "toolButton_Load", "toolButton_Reset", "pushButton_Reset2"}) {
            const QByteArray c(command);
            QTest::newRow(c + ", faithful") << command << "" << true << "" << 19 << verified;
            QTest::newRow(c + ", stores one value differently") << command << "misstore" << true << misstored << 19
                                                                 << differs;
            QTest::newRow(c + ", ignores the H frame") << command << "ignore H" << true
                                                        << mismatch + "油门曲线 曲线点4: 50 % → 60 %" << 19 << differs;
            QTest::newRow(c + ", silent") << command << "silent" << true << verifyTexts().unverified << 0 << noAnswer;
            QTest::newRow(c + ", --no-verify") << command << "misstore" << false << "" << 0 << trusted;
        }
        // Answers out of turn, and reads that do not end by themselves: the
        // pages keep what was sent, whatever comes after the verdict.
        const char *send = "toolButton_Send";
        QTest::newRow("answers 2 s after the request") << send << "misstore, late" << true << verifyTexts().unverified
                                                       << 19 << noAnswer;
        QTest::newRow("answers twice, 50 ms apart") << send << "misstore, twice" << true << misstored << 38 << differs;
        QTest::newRow("answers during the settle pause too") << send << "misstore, early" << true << misstored << 38
                                                             << differs;
        QTest::newRow("one answer per 400 ms") << send << "misstore, slow" << true << verifyTexts().unverified << 19
                                               << partly;
        QTest::newRow("a group every 500 ms instead of the AUX packet")
            << send << "misstore, stalls" << true << verifyTexts().unverified << 18 + 6 << partly;
        // The close question comes before any verdict.
        QTest::newRow("closed while answers come slowly") << send << "misstore, slow, closed" << true << "" << 19
                                                          << trusted;
    }

    void readBackAfterEveryWrite()
    {
        QFETCH(QString, transmitter);
        QFETCH(bool, verify);
        // Answers inside the settle pause need its full length.
        if (pinsTheWaits() || transmitter.endsWith(QLatin1String("early")))
            commandtime::realTime();
        zqsim::SimEngine::Options opt;
        opt.intervalMs = transmitter.contains(QLatin1String("slow")) ? 400 : 0;
        opt.misstoreField = transmitter.startsWith(QLatin1String("misstore")) ? "sub1" : "";
        opt.misstoreValue = 7;
        opt.ignoreFrame = transmitter == QLatin1String("ignore H") ? 'H' : 0;
        opt.silentAfterWrite = transmitter == QLatin1String("silent") || transmitter.endsWith(QLatin1String("late"));
        zqsim::TransmitterSettings held = zqsim::factorySettings();
        held.THCURE_Data04 = 60;  // an H setting unlike the factory one
        zqsim::SimEngine tx(opt, held);

        auto w = std::make_unique<MainWindow>();
        w->setVerifyWrites(verify);
        ConfigModel &cfg = w->model();
        w->show();
        PtyPeer peer;
        openPortInWindow(w.get(), peer.slavePath());
        // The transmitter never hears the "OK": no live stream, the line
        // carries the command alone.
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();
        // Every command sends the factory settings; the write and the load
        // after an edit that marks the title.
        cfg.Volt = 3.7;
        QTRY_COMPARE(w->windowTitle(), QStringLiteral("Zarvik&Quorel-V5.1 *"));
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("factory.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kFactoryFrames) == 324);
        file.close();
        FileDialogAnswer fileAnswer(file.fileName());
        BoxAnswer boxes;
        LogCapture log;
        // The transmitter's own doings: an "RR" only it heard, a withheld
        // AUX packet and the last group repeated in its stead.
        QObject acts;
        QElapsedTimer txClock;
        txClock.start();
        QByteArray lastGroup;
        int repeats = 0, sent = 0;
        std::function<void(const std::vector<zqsim::Bytes> &)> answer;
        answer = [&](const std::vector<zqsim::Bytes> &packets) {
            for (const zqsim::Bytes &p : packets) {
                const QByteArray b(reinterpret_cast<const char *>(p.data()), int(p.size()));
                if (b.size() == 8 && transmitter.endsWith(QLatin1String("stalls"))) {
                    auto *again = new QTimer(&acts);
                    connect(again, &QTimer::timeout, [&, again] {
                        peer.send(lastGroup);
                        if (++repeats == 6)
                            again->stop();
                    });
                    again->start(500);
                    answer(tx.receive(std::string("WWW"), txClock.elapsed()));
                    continue;
                }
                if (b.size() == 12)
                    lastGroup = b;
                peer.send(b);
                if (++sent == 19 && transmitter.endsWith(QLatin1String("twice")))
                    QTimer::singleShot(50, &acts, [&] { answer(tx.receive(std::string("RR"), txClock.elapsed())); });
            }
        };
        const auto requestAgainIn = [&](int ms) {
            QTimer::singleShot(ms, &acts, [&] { answer(tx.receive(std::string("RR"), txClock.elapsed())); });
        };
        int fed = 0;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            answer(tx.receive(r.bytes.mid(fed).toStdString(), txClock.elapsed()));
            if (fed < 327 && r.bytes.size() >= 327 && transmitter.endsWith(QLatin1String("early")))
                requestAgainIn(0);
            if (fed < 329 && r.bytes.size() >= 329 && transmitter.endsWith(QLatin1String("late")))
                requestAgainIn(2000);
            if (fed < 329 && r.bytes.size() >= 329 && transmitter.endsWith(QLatin1String("closed")))
                QTimer::singleShot(500, &acts, [&] { w->close(); });
            fed = r.bytes.size();
        });
        boxes.clock = &wire.clock;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { answer(tx.tick(txClock.elapsed())); });
        ticker.start(10);
        QFETCH(QString, command);
        QFETCH(int, answers);
        const int length = 327 + (verify ? 2 : 0) + 3 * answers;
        QVERIFY(QMetaObject::invokeMethod(button(*w, command.toLatin1()), "click", Qt::QueuedConnection));
        QVERIFY(waitUntil([&] { return wire.bytes.size() >= length && QApplication::overrideCursor() == nullptr; }, 20000));
        wire.collectFor(commandtime::ms(300));

        // Answers the transmitter sent before the request are answered too.
        const int early = transmitter.endsWith(QLatin1String("early")) ? 19 : 0, rr = 327 + 3 * early;
        QCOMPARE(wire.bytes, kFactoryFrames + "WWW" + QByteArray(early * 3, 'W') + (verify ? "RR" : "")
                                 + QByteArray((answers - early) * 3, 'W'));
        // The settle pause is pinned where nothing answers inside it.
        const QStringList shortWaitsSeen = shortWaits(wire, log, verify && early == 0);
        QVERIFY2(shortWaitsSeen.isEmpty(), qPrintable(shortWaitsSeen.join(QStringLiteral(", "))));
        QFETCH(QString, box);
        QCOMPARE(boxes.shown.join(QLatin1Char('#')), box);
        QVERIFY(!boxes.busyUnderBox);
        QVERIFY(waitUntil([&] { return button(*w, "toolButton_Read")->isEnabled(); }, 5000));
        QTEST(statusText(*w), "status");
        // The verdict within the read-back's time, and a close asked for
        // during it is not held by it.
        const qint64 verdictAt = (boxes.shownAt + boxes.askedAt).value(0, -1) - wire.arrival(rr + 1);
        QVERIFY2(verdictAt < ReadProgress::kLimitMs + 1000, qPrintable(QString::number(verdictAt)));
        const bool closed = transmitter.endsWith(QLatin1String("closed"));
        if (closed) {
            QCOMPARE(boxes.questions, QStringList{verifyTexts().closeQuestion + "|取消"});
            QVERIFY2(verdictAt < 500 + 1000, qPrintable(QString::number(verdictAt)));
        }
        QCOMPARE(cfg.sub1 + cfg.THCURE_Data04, 50);  // the pages keep what was sent
        const bool marked = !box.isEmpty() || closed;
        QVERIFY(waitForRefresh(w.get()));
        QCOMPARE(w->windowTitle(), marked ? QStringLiteral("Zarvik&Quorel-V5.1 *") : QStringLiteral("Zarvik&Quorel-V5.1"));
        boxes.questions.clear();
        w->close();  // cancelled when asked, Cancel being the default
        QCOMPARE(boxes.questions, marked ? QStringList{verifyTexts().closeQuestion + "|取消"} : QStringList());
        QCOMPARE(w->isVisible(), marked);
    }

    // Once the S frame is out, an edit (the read-back compares with the
    // frames, so no false alarm) or a close (it waits for the end, asks
    // once and shows no read-back box; Cancel leaves a working window).
    void editOrCloseDuringAWrite_data()
    {
        QTest::addColumn<bool>("close");
        QTest::newRow("an edit") << false;
        QTest::newRow("a close, over a value stored differently") << true;
    }

    void editOrCloseDuringAWrite()
    {
        QFETCH(bool, close);
        zqsim::SimEngine::Options opt;
        opt.intervalMs = 0;
        opt.misstoreField = close ? "sub1" : "";
        opt.misstoreValue = 7;
        zqsim::SimEngine tx(opt, zqsim::factorySettings());
        MainWindow w;
        ConfigModel &cfg = w.model();
        w.show();
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();
        BoxAnswer boxes;
        int fed = 0;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            for (const zqsim::Bytes &p : tx.receive(r.bytes.mid(fed).toStdString(), r.clock.elapsed()))
                peer.send(QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size())));
            if (fed < 81 && r.bytes.size() >= 81) {
                cfg.FS1 = 20;  // unwritten now, so a close asks
                if (close)
                    w.close();
            }
            fed = r.bytes.size();
        });
        QVERIFY(QMetaObject::invokeMethod(button(w, "toolButton_Send"), "click", Qt::QueuedConnection));
        // A close asked for during the write skips the read-back.
        QVERIFY(waitUntil([&] { return wire.bytes.size() >= 324 && (close || wire.bytes.contains("RR"))
                                       && !QApplication::overrideCursor(); }, 20000));
        QCOMPARE(wire.bytes.contains("RR"), !close);
        if (!close)
            w.close();
        QCOMPARE(boxes.shown, QStringList());
        QCOMPARE(boxes.questions, QStringList{verifyTexts().closeQuestion + "|取消"});
        QVERIFY(w.isVisible());
        const int before = wire.bytes.size();
        QVERIFY(QMetaObject::invokeMethod(button(w, "toolButton_Read"), "click", Qt::QueuedConnection));
        QVERIFY(waitUntil([&] { return wire.bytes.indexOf("RR", before) >= 0; }, 5000));
    }

    void init() { commandtime::scaled(); }

    void sendWritesTheFourFramesThenWWW()
    {
        MainWindow w;
        w.setVerifyWrites(false);  // the designed sequences, as --no-verify keeps them
        PtyPeer peer;
        QVERIFY(peer.isOpen());
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();

        LogCapture log;
        QAbstractButton *send = button(w, "toolButton_Send");
        QVERIFY(send);
        WireRecorder cap(peer);
        // The status line's steps with the progress bar, each once, in order.
        auto *bar = w.findChild<QProgressBar *>(QStringLiteral("statusProgress"));
        QStringList steps;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            const QString now = statusText(w)
                + (bar->isHidden() ? QString() : QStringLiteral(" [%1/%2]").arg(bar->value()).arg(bar->maximum()));
            if (steps.isEmpty() || steps.last() != now)
                steps << now;
        });
        watch.start(2);
        const QRect place(send->mapTo(&w, QPoint()), send->size());
        const QImage atRest = w.grab(place).toImage();
        QImage busy;
        QTimer::singleShot(0, send, &QAbstractButton::click);
        // A second click inside the 200 ms pause lands on a disabled button,
        // which looks it.
        QTimer::singleShot(commandtime::ms(60), send, [&] { busy = w.grab(place).toImage(), send->click(); });
        QVERIFY(cap.waitForBytes(327));
        QVERIFY(waitForCommandEnd());
        cap.collectFor(commandtime::ms(400));
        // Its white label goes grey: the designed sheet alone keeps it white.
        const auto white = [](const QImage &image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += qGray(image.pixel(x, y)) > 240;
            return n;
        };
        QVERIFY2(!busy.isNull() && white(atRest) > 50 && white(busy) < white(atRest) / 10,
                 qPrintable(QStringLiteral("%1 white pixels at rest, %2 busy").arg(white(atRest)).arg(white(busy))));
        QCOMPARE(w.grab(place).toImage(), atRest);
        QCOMPARE(steps, QStringList({"正在写入… [0/4]", "正在写入第 1 帧（共 4 帧） [1/4]", "正在写入第 2 帧（共 4 帧） [2/4]",
                                     "正在写入第 3 帧（共 4 帧） [3/4]", "正在写入第 4 帧（共 4 帧） [4/4]",
                                     "已发送（未校验）T"}));

        QCOMPARE(cap.bytes, kInitialFrames + "WWW");
        const QStringList shortWaitsSeen = shortWaits(cap, log, false);
        QVERIFY2(shortWaitsSeen.isEmpty(), qPrintable(shortWaitsSeen.join(QStringLiteral(", "))));
        QCOMPARE(WindowProbe::frame(w, FrameS).toLatin1(), kInitialFrames.mid(0, 81));
        QCOMPARE(WindowProbe::frame(w, FrameI).toLatin1(), kInitialFrames.mid(243, 81));
        for (const char *line : {"Str1Blength:81", "Str2Blength:81", "Str3Blength:81", "Str4Blength:81"})
            QVERIFY2(log.lines.contains(QLatin1String(line)), line);
        QVERIFY(send->isEnabled());
    }

    // A model the frames cannot carry in full (a voltage only a transmitter's
    // answer brings, a trim): each frame keeps its length and every field
    // its place, and the page holds the voltage its box takes.
    void voltageBeyondTheFieldStaysInItsPlace()
    {
        MainWindow w;
        w.setVerifyWrites(false);  // the designed sequences, as --no-verify keeps them
        ConfigModel &cfg = w.model();
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();
        cfg.Volt = 60.0;
        cfg.Mode = 3;
        cfg.StkTrim[2] = 240;

        WireRecorder cap(peer);
        QTimer::singleShot(0, button(w, "toolButton_Send"), &QAbstractButton::click);
        QVERIFY(cap.waitForBytes(327));
        QCOMPARE(cap.bytes.mid(77, 4), QByteArray("FF3Y"));
        QCOMPARE(cfg.Volt, 23.9);
        QCOMPARE(cap.bytes.mid(243, 5), QByteArray("I88FF"));
        QCOMPARE(cap.bytes.mid(243 + 80, 4), QByteArray("VWWW"));
    }

    void withoutAPortOnlyTheNoticeAppears()
    {
        MainWindow w;
        w.setVerifyWrites(false);  // the designed sequences, as --no-verify keeps them
        ConfigModel &cfg = w.model();
        PtyPeer peer;
        // Open and close again: the line stays, the window's port is closed.
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        QTest::mouseClick(button(w, "openButton"), Qt::LeftButton);
        QVERIFY(peer.waitFor("DIS"));
        peer.clearReceived();
        cfg.sub1 = 33;
        const ConfigModel before = cfg;

        ModalCloser closer;
        QTimer::singleShot(0, button(w, "toolButton_Send"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
        QCOMPARE(closer.lastTitle, QStringLiteral("提示"));
        QCOMPARE(closer.lastText, QStringLiteral("无法打开串口！"));
        QVERIFY2(closer.firstSeenAtMs >= commandtime::ms(190), qPrintable(QString::number(closer.firstSeenAtMs)));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(peer.collectFor(commandtime::ms(1000)), QByteArray());
        QCOMPARE(WindowProbe::frame(w, FrameS), frameTemplate(FrameS));
        QCOMPARE(WindowProbe::frame(w, FrameG), frameTemplate(FrameG));
        QCOMPARE(cfg.VoltTenths, before.VoltTenths);
        QCOMPARE(cfg.sub1, 33);
    }
};

QTEST_MAIN(TstWrite)
#include "tst_write.moc"
