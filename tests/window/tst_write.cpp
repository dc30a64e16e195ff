// The write sequence on a pseudo-terminal: four frames 800 ms apart and
// "WWW", or only the notice when no port is open.
#include "commandtime.h"
#include "configmodel.h"
#include "differences.h"
#include "frameencoder.h"
#include "mainwindow.h"
#include "marks.h"
#include "monitorstate.h"
#include "readback.h"
#include "readprogress.h"
#include "settingstable.h"
#include "simengine.h"
#include "testsupport.h"
#include "texts.h"
#include "windowprobe.h"
#include "wirecapture.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
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
            if (!question && box->icon() == QMessageBox::Warning)
                warned << box->informativeText();
            if (clock)
                (question ? askedAt : shownAt) << clock->elapsed();
            QAbstractButton *cancel = box->button(QMessageBox::Cancel);
            (cancel ? cancel : box->buttons().first())->click();
        });
        timer.start(10);
    }
    QTimer timer;
    QStringList shown, questions;
    QStringList warned;                    // the next step below each warning
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

// The marked editors by name, then the marked tabs' texts.
QString marks(MainWindow &w)
{
    QStringList names;
    for (QWidget *e : w.findChildren<QWidget *>())
        if (e->property(DifferenceMarks::kMarked).toBool())
            names << e->objectName();
    names.sort();
    auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i).endsWith(QLatin1String(DifferenceMarks::kTabMark)))
            names << tabs->tabText(i);
    return names.join(QLatin1Char(' '));
}

void edit(ConfigModel &m, const QString &edits)
{
    for (const QString &e : edits.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        findSetting(e.section(QLatin1Char('='), 0, 0))->set(m, e.section(QLatin1Char('='), 1).toInt());
}

}  // namespace

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
        QTest::newRow("trims and channel choice alone") << "StkTrim[0]=130 DR_CH=2 DR_UP1=40 DR_DOWN1=30"
                                                        << "";
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

        // The pages' marks: the same settings, with both values; taking one
        // back leaves the others, taking all back leaves the trims and the
        // channel choice, which no answer carries.
        const QVector<HeldDifference> marked = heldDifferences(answers, sent);
        QCOMPARE(marked.size(), readBackDifferences(sent, answers).size());
        for (const HeldDifference &d : marked)
            QVERIFY2(d.shown == d.setting->get(answers) && d.held == d.setting->get(sent), qPrintable(d.setting->name));
        ConfigModel pages = answers;
        if (!marked.isEmpty()) {
            takeBack(pages, sent, marked.first().setting);
            QCOMPARE(heldDifferences(pages, sent), marked.mid(1));
        }
        takeBack(pages, sent);
        QCOMPARE(heldDifferences(pages, sent), QVector<HeldDifference>());
        QCOMPARE(pages.StkTrim[0], answers.StkTrim[0]);
        QCOMPARE(pages.DR_CH, answers.DR_CH);
        QCOMPARE(pages.DR_UP1, pages.DR_UpRate[pages.DR_CH]);  // the working rate follows its channel
    }

    // Every command that closes with "WWW", against a transmitter that
    // keeps, changes, drops or does not tell what it was sent; then a close.
    void readBackAfterEveryWrite_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("transmitter");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("box");     // also: the title marked, and closing asks
        QTest::addColumn<int>("answers");     // "WWW" after "RR"
        QTest::addColumn<QString>("status");  // the status line at the end
        QTest::addColumn<QString>("marks");   // what the pages mark afterwards
        // Unverified, the transmitter is still known by its start-up settings.
        const QString unsent = "doubleSpinBox_Volt 系统设置 *";
        const QString sub1 = "spinBox_sub1 基础菜单 *";
        const QString mismatch = verifyTexts().mismatch + QLatin1Char('\n');
        const QString misstored = mismatch + "中点微调 CH1: 0 % → 7 %";
        const QString verified = "已写入并校验 T", differs = "已写入，但遥控器保存的 1 项设置与发送的不同（T）",
                      noAnswer = "已发送，未校验：没有应答（T）", partly = "已发送，未校验：应答不完整（T）",
                      trusted = "已发送（未校验）T";
        // Every command reads back the same way: each shows a faithful
        // transmitter and one that stores a value differently; the rest, on
        // the link's own suite's rows, once here for what the window shows.
        for (const char *command : {"toolButton_Send", "toolButton_Load", "toolButton_Reset", "pushButton_Reset2"}) {
            const QByteArray c(command);
            QTest::newRow(c + ", faithful") << command << "" << true << "" << 19 << verified << "";
            QTest::newRow(c + ", stores one value differently")
                << command << "misstore" << true << misstored << 19 << differs << sub1;
        }
        const char *send = "toolButton_Send";
        QTest::newRow("ignores the H frame") << send << "ignore H" << true << mismatch + "油门曲线 曲线点4: 50 % → 60 %"
                                             << 19 << differs << "spinBox_THCURE_Data04 高级菜单2 *";
        QTest::newRow("silent") << send << "silent" << true << verifyTexts().unverified << 0 << noAnswer << unsent;
        // A reset, which does not ask, into a transmitter never read:
        // unverified, nothing is known to mark against.
        QTest::newRow("reset, silent") << "toolButton_Reset"
                                       << "silent" << true << verifyTexts().unverified << 0 << noAnswer << "";
        QTest::newRow("--no-verify") << send << "misstore" << false << "" << 0 << trusted << "";
        QTest::newRow("one answer per 400 ms")
            << send << "misstore, slow" << true << verifyTexts().unverified << 19 << partly << unsent;
        // The close question comes before any verdict.
        QTest::newRow("closed while answers come slowly")
            << send << "misstore, slow, closed" << true << "" << 19 << trusted << unsent;
    }

    void readBackAfterEveryWrite()
    {
        QFETCH(QString, transmitter);
        QFETCH(bool, verify);
        if (pinsTheWaits())
            commandtime::realTime();
        zqsim::SimEngine::Options opt;
        opt.intervalMs = transmitter.contains(QLatin1String("slow")) ? 400 : 0;
        opt.misstoreField = transmitter.startsWith(QLatin1String("misstore")) ? "sub1" : "";
        opt.misstoreValue = 7;
        opt.ignoreFrame = transmitter == QLatin1String("ignore H") ? 'H' : 0;
        opt.silentAfterWrite = transmitter == QLatin1String("silent");
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
        QFETCH(QString, command);
        // Known by its start-up settings; the resets do not ask either way.
        WindowProbe::heldKnown(*w) = !command.contains(QLatin1String("Reset"));
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
        QObject acts;
        QElapsedTimer txClock;
        txClock.start();
        const auto answer = [&](const std::vector<zqsim::Bytes> &packets) {
            for (const zqsim::Bytes &p : packets)
                peer.send(QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size())));
        };
        int fed = 0;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            answer(tx.receive(r.bytes.mid(fed).toStdString(), txClock.elapsed()));
            if (fed < 329 && r.bytes.size() >= 329 && transmitter.endsWith(QLatin1String("closed")))
                QTimer::singleShot(500, &acts, [&] { w->close(); });
            fed = r.bytes.size();
        });
        boxes.clock = &wire.clock;
        FrameClock frames(WindowProbe::link(*w), wire.clock);
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { answer(tx.tick(txClock.elapsed())); });
        ticker.start(10);
        QFETCH(int, answers);
        const int length = 327 + (verify ? 2 : 0) + 3 * answers;
        QVERIFY(QMetaObject::invokeMethod(button(*w, command.toLatin1()), "click", Qt::QueuedConnection));
        QVERIFY(
            waitUntil([&] { return wire.bytes.size() >= length && QApplication::overrideCursor() == nullptr; }, 20000));
        wire.collectFor(commandtime::ms(300));

        const int rr = 327;
        QCOMPARE(wire.bytes, kFactoryFrames + "WWW" + (verify ? "RR" : "") + QByteArray(answers * 3, 'W'));
        const QStringList shortWaitsSeen = shortWaits(wire, frames, verify);
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
            // What went out is not offered again.
            QCOMPARE(boxes.questions, QStringList{verifyTexts().closeUnverified + "|取消"});
            QVERIFY2(verdictAt < 500 + 1000, qPrintable(QString::number(verdictAt)));
        }
        QCOMPARE(cfg.sub1 + cfg.THCURE_Data04, 50);  // the pages keep what was sent
        const bool marked = !box.isEmpty() || closed;
        QVERIFY(waitForRefresh(w.get()));
        QCOMPARE(w->windowTitle(),
                 marked ? QStringLiteral("Zarvik&Quorel-V5.1 *") : QStringLiteral("Zarvik&Quorel-V5.1"));
        // The pages mark what the transmitter does not hold, and a verdict
        // that is not good warns and says what to do next.
        QTEST(marks(*w), "marks");
        const DifferenceTexts next = differenceTexts();
        QCOMPARE(boxes.warned, box.isEmpty() ? QStringList()
                               : box.startsWith(verifyTexts().mismatch)
                                   ? QStringList{next.mismatchNext.arg("Ctrl+Shift+R")}
                                   : QStringList{next.unverifiedNext});
        boxes.questions.clear();
        w->close();  // cancelled when asked, Cancel being the default
        // What went out whole but unchecked is not offered again.
        const QString question =
            box == verifyTexts().unverified || closed ? verifyTexts().closeUnverified : verifyTexts().closeQuestion;
        QCOMPARE(boxes.questions, marked ? QStringList{question + "|取消"} : QStringList());
        QCOMPARE(w->isVisible(), marked);
    }

    // Once the S frame is out, an edit (the read-back compares with the
    // frames, so no false alarm) or a close (it waits for the end, asks
    // once and shows no read-back box; Cancel leaves a working window).
    void editOrCloseDuringAWrite_data()
    {
        QTest::addColumn<bool>("close");
        QTest::addColumn<bool>("during");  // the edit during the write, else before it
        QTest::newRow("an edit") << false << true;
        QTest::newRow("a close, over a value stored differently") << true << true;
        // What went out whole is not offered again: no second write.
        QTest::newRow("a close, edited before the write") << true << false;
    }

    void editOrCloseDuringAWrite()
    {
        QFETCH(bool, close);
        QFETCH(bool, during);
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
        WindowProbe::heldKnown(w) = true;
        peer.clearReceived();
        BoxAnswer boxes;
        int fed = 0;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            for (const zqsim::Bytes &p : tx.receive(r.bytes.mid(fed).toStdString(), r.clock.elapsed()))
                peer.send(QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size())));
            if (fed < 81 && r.bytes.size() >= 81) {
                if (during)
                    cfg.FS1 = 20;  // unwritten now, so a close asks
                if (close)
                    w.close();
            }
            fed = r.bytes.size();
        });
        if (!during)
            cfg.sub2 = 5;
        QVERIFY(QMetaObject::invokeMethod(button(w, "toolButton_Send"), "click", Qt::QueuedConnection));
        // A close asked for during the write skips the read-back.
        QVERIFY(waitUntil(
            [&] {
                return wire.bytes.size() >= 324 && (close || wire.bytes.contains("RR"))
                       && !QApplication::overrideCursor();
            },
            20000));
        QCOMPARE(wire.bytes.contains("RR"), !close);
        if (!close)
            w.close();
        QCOMPARE(boxes.shown, QStringList());
        QCOMPARE(boxes.questions,
                 QStringList{(during ? verifyTexts().closeQuestion : verifyTexts().closeUnverified) + "|取消"});
        QVERIFY(w.isVisible());
        if (close)
            QCOMPARE(wire.bytes.size(), 327);  // one write, no read-back, none again
        const int before = wire.bytes.size();
        QVERIFY(QMetaObject::invokeMethod(button(w, "toolButton_Read"), "click", Qt::QueuedConnection));
        QVERIFY(waitUntil([&] { return wire.bytes.indexOf("RR", before) >= 0; }, 5000));
    }

    void init() { commandtime::scaled(); }

    // Edits mark their editors and pages, with the held value in the tool
    // tip; an editor's context menu or the shortcut takes them back, and
    // then the pages look as designed again.
    void marksFollowEditsAndTakeBack_data()
    {
        QTest::addColumn<QString>("edits");
        QTest::addColumn<QString>("take");    // "shortcut", or "<editor> one|all" from its context menu
        QTest::addColumn<QString>("marked");  // after the edits
        QTest::addColumn<QString>("tip");     // of the first marked editor
        QTest::addColumn<QString>("after");   // after taking back
        const DifferenceTexts t = differenceTexts();
        QTest::newRow("an edit") << "sub1=5"
                                 << ""
                                 << "spinBox_sub1 基础菜单 *" << t.holds.arg("0 %") << "spinBox_sub1 基础菜单 *";
        QTest::newRow("one of two edits, from its editor's menu")
            << "Lepa3=50 FS1=20"
            << "spinBox_Lepa3 one"
            << "spinBox_FS1 spinBox_Lepa3 基础菜单 *" << t.holds.arg("50 %") << "spinBox_FS1 基础菜单 *";
        // Against a file the marks are what differs from it, named in the
        // tips; the transmitter's key goes back.
        QTest::newRow("compared with a file")
            << "sub1=5 Lepa3=50"
            << "file sub1=5 FS1=20"
            << "spinBox_Lepa3 spinBox_sub1 基础菜单 *" << t.holds.arg("96 %") << "spinBox_FS1 spinBox_Lepa3 基础菜单 *";
        QTest::newRow("every page, from a selector's menu")
            << "AttiM=2 PRM02_Data2=-30"
            << "comboBox_AttiM all"
            << "comboBox_AttiM spinBox_PRM02_Data2 高级菜单1 * 混控设置 *" << t.holds.arg("关闭") << "";
        QTest::newRow("every page, by the shortcut in a box being typed in")
            << "DR_UpRate[0]=50 Volt=42"
            << "shortcut"
            << "doubleSpinBox_Volt spinBox_DR_RATE spinBox_DR_UP1 高级菜单1 * 高级菜单2 * 系统设置 *"
            << t.holds.arg("11.0 V") << "";
        QTest::newRow("another channel's entries mark its selectors")
            << "DR_DownRate[2]=40 DR_UpExp[3]=20"
            << "shortcut"
            << "comboBox_DR_CH1 comboBox_DR_CH2 高级菜单1 * 高级菜单2 *" << t.holdsList + "\n大小舵设置 下档 CH3: 100 %"
            << "";
        QTest::newRow("the other position's exponential marks the position")
            << "DR_DownExp[0]=-20"
            << ""
            << "comboBox_DR_POSI 高级菜单2 *" << t.holdsList + "\n大小舵曲线 指数 CH1 DOWN: 0 %"
            << "comboBox_DR_POSI 高级菜单2 *";
        QTest::newRow("a trim step, in its mode's row") << "StkStep[0]=5"
                                                        << "shortcut"
                                                        << "spinBox_step4 系统设置 *" << t.holds.arg("2 steps") << "";
        QTest::newRow("not read yet: nothing marked, nothing to take back") << "sub1=5"
                                                                            << "spinBox_sub1 all"
                                                                            << ""
                                                                            << ""
                                                                            << "";
        QTest::newRow("trims and the channel choice differ in nothing") << "StkTrim[0]=130 DR_CH=2"
                                                                        << ""
                                                                        << ""
                                                                        << ""
                                                                        << "";
    }

    void marksFollowEditsAndTakeBack()
    {
        QFETCH(QString, edits);
        QFETCH(QString, take);
        MainWindow w;
        const bool unread = QByteArray(QTest::currentDataTag()).startsWith("not read");
        WindowProbe::heldKnown(w) = !unread;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(waitForRefresh(&w));
        QVERIFY(!w.findChild<QAction *>("actionUndo")->isEnabled());  // nothing done yet
        auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QStringList designed;
        for (int i = 0; i < tabs->count(); ++i)
            designed << tabs->tabText(i);
        edit(w.model(), edits);
        selectDualRate(w.model());
        QVERIFY(waitForRefresh(&w));
        QTEST(marks(w), "marked");
        QFETCH(QString, marked);
        QWidget *first = marked.isEmpty() ? nullptr : w.findChild<QWidget *>(marked.section(QLatin1Char(' '), 0, 0));
        QTEST(first ? first->toolTip() : QString(), "tip");
        if (first && first->objectName() == QLatin1String("spinBox_sub1")) {
            // The mark keeps the editor's look inside it: its background
            // covers about as much of it as of an unmarked neighbour.
            const auto shareOf = [](const QImage &img, QRgb colour) {
                int n = 0;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = 0; x < img.width(); ++x)
                        n += img.pixel(x, y) == colour;
                return double(n) / (img.width() * img.height());
            };
            const QImage plain = w.findChild<QWidget *>(QStringLiteral("spinBox_sub2"))->grab().toImage();
            const QRgb background = plain.pixel(plain.width() / 2, 6);
            const double marked = shareOf(first->grab().toImage(), background);
            QVERIFY2(marked > 0.6 * shareOf(plain, background), qPrintable(QString::number(marked)));
        }

        QStringList entries;
        QTemporaryDir dir;
        const bool file = take.startsWith(QLatin1String("file"));
        if (file) {
            ConfigModel other;
            edit(other, take.mid(5));
            QFile glider(dir.filePath("glider.txt"));
            QVERIFY(glider.open(QIODevice::WriteOnly) && glider.write(historyContent(other)) == 324);
            glider.close();
            FileDialogAnswer answer(glider.fileName());
            QTest::keyClick(tabs, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(answer.answered);
        } else if (take == QLatin1String("shortcut")) {
            tabs->setCurrentIndex(1);
            QWidget *box = w.findChild<QWidget *>(QStringLiteral("spinBox_sub2"))->findChild<QLineEdit *>();
            box->setFocus();
            QVERIFY(waitUntil([&] { return box->hasFocus(); }, 2000));
            QTest::keyClick(box, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        } else if (!take.isEmpty()) {
            auto *editor = w.findChild<QWidget *>(take.section(QLatin1Char(' '), 0, 0));
            tabs->setCurrentWidget(tabs->widget(0));
            for (QWidget *p = editor; p; p = p->parentWidget())
                if (tabs->indexOf(p) >= 0)
                    tabs->setCurrentWidget(p);
            const bool one = take.endsWith(QLatin1String("one"));
            QTimer menuAnswer;
            connect(&menuAnswer, &QTimer::timeout, [&] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                if (!menu)
                    return;
                QAction *chosen = nullptr;
                for (QAction *a : menu->actions()) {
                    if (a->isSeparator())
                        continue;
                    entries << a->text() + (a->isEnabled() ? "" : " (off)");
                    if (one ? a->text().startsWith(differenceTexts().backOne.section("%1", 0, 0))
                            : a->text() == differenceTexts().backAll)
                        chosen = a;
                }
                menu->close();
                if (chosen)
                    chosen->trigger();
            });
            menuAnswer.start(10);
            // A spin box's right click lands on its line edit.
            QWidget *target = editor->findChild<QLineEdit *>() ? editor->findChild<QLineEdit *>() : editor;
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &click);
            QVERIFY(!entries.isEmpty());
            QVERIFY2(entries.contains(differenceTexts().backAll + (unread ? " (off)" : "")),
                     qPrintable(entries.join('|')));
            QCOMPARE(entries.contains(differenceTexts().notRead + " (off)"), unread);
            if (one)
                QVERIFY2(entries.contains(differenceTexts().backOne.arg("96 %")), qPrintable(entries.join('|')));
        }
        QVERIFY(waitForRefresh(&w));
        QTEST(marks(w), "after");
        QFETCH(QString, after);
        QCOMPARE(unwrittenSettings(w.model(), w.transmitterModel()), !after.isEmpty() || unread);
        if (after.isEmpty()) {
            // The designed look again: no frame, no tip, the tab texts byte for byte.
            QCOMPARE(w.findChildren<QWidget *>(QStringLiteral("differenceFrame")).size(), 0);
            QCOMPARE(first ? first->toolTip() : QString(), QString());
            for (int i = 0; i < tabs->count(); ++i)
                QCOMPARE(tabs->tabText(i), designed[i]);
        }
        // The keys reach the window again once the menu or dialog is gone.
        QApplication::setActiveWindow(&w);
        if (file) {
            QVERIFY(w.findChild<QWidget *>("spinBox_Lepa3")->toolTip().startsWith("glider.txt "));
            QTest::keyClick(tabs, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        } else if (!take.isEmpty() && !unread) {
            // Undo, from outside the editors' text, brings back what the
            // take-back took.
            tabs->setFocus();
            QTest::keySequence(tabs, QKeySequence::Undo);
        } else {
            return;
        }
        QVERIFY(waitForRefresh(&w));
        QCOMPARE(marks(w), marked);
    }

    // Closing over unwritten changes: Cancel (the default) keeps the
    // window, Close without writing sends nothing, Write and close closes
    // once the transmitter holds the pages and stays open when it does not.
    void closeQuestionOffersWriteAndClose_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("transmitter");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("marked");
        const QString sub1 = "spinBox_sub1 基础菜单 *";
        QTest::newRow("Cancel") << "取消"
                                << "" << false << false << sub1;
        QTest::newRow("Close without writing") << "不写入就关闭"
                                               << "" << true << false << sub1;
        QTest::newRow("Write and close") << "写入并关闭"
                                         << "" << true << true << "";
        QTest::newRow("Write and close, stored differently") << "写入并关闭"
                                                             << "misstore" << false << true << sub1;
    }

    void closeQuestionOffersWriteAndClose()
    {
        QFETCH(QString, answer);
        QFETCH(QString, transmitter);
        zqsim::SimEngine::Options opt;
        opt.intervalMs = 0;
        opt.misstoreField = transmitter.isEmpty() ? "" : "sub1";
        opt.misstoreValue = 7;
        zqsim::SimEngine tx(opt, zqsim::factorySettings());
        MainWindow w;
        w.show();
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        WindowProbe::heldKnown(w) = true;
        peer.clearReceived();
        w.setVerifyWrites(true);
        int fed = 0;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            for (const zqsim::Bytes &p : tx.receive(r.bytes.mid(fed).toStdString(), r.clock.elapsed()))
                peer.send(QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size())));
            fed = r.bytes.size();
        });
        QStringList buttons, verdicts;
        QString byDefault;
        QTimer answering;
        connect(&answering, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (box->buttons().size() == 1) {
                verdicts << box->text();
                box->buttons().first()->click();
                return;
            }
            for (QAbstractButton *b : box->buttons()) {
                buttons << QStringLiteral("%1 %2").arg(int(box->buttonRole(b))).arg(b->text());
                if (b->text() == answer)
                    QTimer::singleShot(0, b, &QAbstractButton::click);
            }
            byDefault = box->defaultButton()->text();
            answering.stop();
            QTimer::singleShot(20, &answering, qOverload<>(&QTimer::start));
        });
        answering.start(10);
        w.model().sub1 = 5;
        QVERIFY(waitForRefresh(&w));
        w.close();
        QFETCH(bool, written);
        QFETCH(bool, closed);
        QVERIFY(waitUntil([&] { return !buttons.isEmpty(); }, 5000));
        if (written)
            QVERIFY(waitUntil(
                [&] {
                    return wire.bytes.contains("RR") && !QApplication::overrideCursor()
                           && (closed ? !w.isVisible() : !verdicts.isEmpty());
                },
                20000));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"0 写入并关闭", "1 取消", "2 不写入就关闭"}));  // accept, reject, destructive
        QCOMPARE(byDefault, QStringLiteral("取消"));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(w.isVisible(), !closed);
        QCOMPARE(wire.bytes.contains("WWWRR"), written);
        QCOMPARE(verdicts.size(), transmitter.isEmpty() ? 0 : 1);
        if (!closed) {
            QVERIFY(waitForRefresh(&w));
            QTEST(marks(w), "marked");
        }
    }

    // Before the window knows what the transmitter holds, a write asks,
    // "read first" the default: that reads, keeps the edit on top (marked)
    // and sends nothing, and the next write goes ahead unasked; "write
    // anyway" writes; Cancel sends nothing.
    void writeIntoAnUnreadTransmitterAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("sent");  // after "OK"; "S…" for a write
        QTest::addColumn<QString>("marked");
        QTest::newRow("read first") << "先读取" << QByteArray("RR") + QByteArray(19 * 3, 'W')
                                    << "spinBox_sub1 基础菜单 *";
        QTest::newRow("write anyway") << "仍然写入" << QByteArray("S…") << "";
        QTest::newRow("cancel") << "取消" << QByteArray() << "";
    }

    void writeIntoAnUnreadTransmitterAsksFirst()
    {
        QFETCH(QString, answer);
        zqsim::SimEngine::Options opt;
        opt.intervalMs = 0;
        zqsim::TransmitterSettings held = zqsim::factorySettings();
        held.FS1 = 33;  // a setting the pages never showed
        zqsim::SimEngine tx(opt, held);
        MainWindow w;
        WindowProbe::heldKnown(w) = true;  // cancelled rows mark against the start-up settings
        w.show();
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        QVERIFY(!WindowProbe::heldKnown(w));  // a new port: nothing known of it
        peer.clearReceived();
        int fed = 0;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            for (const zqsim::Bytes &p : tx.receive(r.bytes.mid(fed).toStdString(), r.clock.elapsed()))
                peer.send(QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size())));
            fed = r.bytes.size();
        });
        QStringList asked;
        QTimer answering;
        connect(&answering, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (box->buttons().size() > 1)
                asked << box->defaultButton()->text();
            for (QAbstractButton *b : box->buttons())
                if (b->text() == answer || box->buttons().size() == 1)
                    b->click();
        });
        answering.start(10);
        w.model().sub1 = 5;
        button(w, "toolButton_Send")->click();
        QVERIFY(waitForCommandEnd());
        wire.collectFor(commandtime::ms(300));
        QCOMPARE(asked, QStringList{"先读取"});
        QFETCH(QByteArray, sent);
        QCOMPARE(sent.endsWith("…") ? wire.bytes.left(1) + "…" : wire.bytes, sent);
        QCOMPARE(w.model().sub1, 5);
        QCOMPARE(w.model().FS1, answer == QStringLiteral("先读取") ? 33 : 50);
        QVERIFY(waitForRefresh(&w));
        QTEST(marks(w), "marked");
        if (answer == QStringLiteral("先读取")) {
            button(w, "toolButton_Send")->click();
            QVERIFY(waitForCommandEnd());
            QCOMPARE(asked.size(), 1);
            QVERIFY(wire.bytes.contains("WWWRR"));
        }
    }

    void sendWritesTheFourFramesThenWWW()
    {
        MainWindow w;
        w.setVerifyWrites(false);  // the designed sequences, as --no-verify keeps them
        PtyPeer peer;
        QVERIFY(peer.isOpen());
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        WindowProbe::heldKnown(w) = true;
        peer.clearReceived();

        LogCapture log;
        QAbstractButton *send = button(w, "toolButton_Send");
        QVERIFY(send);
        WireRecorder cap(peer);
        FrameClock frames(WindowProbe::link(w), cap.clock);
        // The status line's steps with the progress bar, each once, in order.
        auto *bar = w.findChild<QProgressBar *>(QStringLiteral("statusProgress"));
        QStringList steps;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            const QString now =
                statusText(w)
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
        QCOMPARE(steps, QStringList({"正在写入… [0/4]", "正在写入第 1 帧（共 4 帧） [1/4]",
                                     "正在写入第 2 帧（共 4 帧） [2/4]", "正在写入第 3 帧（共 4 帧） [3/4]",
                                     "正在写入第 4 帧（共 4 帧） [4/4]", "已发送（未校验）T"}));

        QCOMPARE(cap.bytes, kInitialFrames + "WWW");
        const QStringList shortWaitsSeen = shortWaits(cap, frames, false);
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
        WindowProbe::heldKnown(w) = true;
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
        WindowProbe::heldKnown(w) = true;
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
