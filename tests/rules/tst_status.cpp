// The status line's wording: which text for which outcome, the link and
// its packet rate, and why a port would not open.  In English, so a row
// reads as the user does.
#include "language.h"
#include "status.h"

#include <QtTest>

#include <algorithm>

namespace {

const QTime kAt(14, 2, 11);

CommandEnd ended(StatusCommand c, int frames, bool checked, int answers, int differences = 0)
{
    CommandEnd e;
    e.command = c;
    e.at = kAt;
    e.framesSent = frames;
    e.checked = checked;
    e.answers = answers;
    e.differences = differences;
    return e;
}

}  // namespace

Q_DECLARE_METATYPE(CommandEnd)

class TstStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useEnglishTexts(true)); }

    // The endings the window rows do not reach (tst_write, tst_link,
    // tst_unplug, tst_saveload drive the others).
    void endOfACommand_data()
    {
        QTest::addColumn<CommandEnd>("end");
        QTest::addColumn<QString>("text");
        QTest::newRow("reset declined: the line before stays") << ended(StatusCommand::Reset, 0, false, 0) << "";
        CommandEnd lost = ended(StatusCommand::Write, 0, false, 0);
        lost.lost = true;
        QTest::newRow("pulled before a frame")
            << lost << "Stopped before the first frame: the cable was pulled (14:02:11)";
        lost.framesSent = 4;
        QTest::newRow("pulled during the check") << lost << "Sent, not verified: the cable was pulled (14:02:11)";
        CommandEnd load = ended(StatusCommand::Load, 0, false, 0);
        load.portOpen = false;
        QTest::newRow("load cancelled without a port") << load << "";
        CommandEnd save = ended(StatusCommand::Save, 4, false, 0);
        save.file = "glider.txt";
        save.failed = true;
        QTest::newRow("not saved") << save << "Not saved: glider.txt could not be written (14:02:11)";
        save.failed = false;
        QTest::newRow("saved, the frames sent too")
            << save << "Saved glider.txt 14:02:11; the frames also went to the transmitter (not verified)";
        CommandEnd noise = ended(StatusCommand::Read, 0, false, 0);
        noise.heardOnly = true;
        QTest::newRow("a read that heard only noise")
            << noise << "Not read: the data that came held no usable answer (14:02:11)";
        CommandEnd refused = ended(StatusCommand::Load, 0, false, 0);
        refused.file = "photo.jpg";
        refused.failed = true;
        QTest::newRow("a refused file leaves a trace")
            << refused << "Not loaded: photo.jpg could not be read or is not a configuration file (14:02:11)";
        QTest::newRow("one setting held otherwise")
            << ended(StatusCommand::Write, 4, true, 19, 1)
            << "Written, but the transmitter holds 1 setting otherwise (14:02:11)";
        QTest::newRow("two settings held otherwise")
            << ended(StatusCommand::Write, 4, true, 19, 2)
            << "Written, but the transmitter holds 2 settings otherwise (14:02:11)";
    }
    void endOfACommand()
    {
        QFETCH(CommandEnd, end);
        QTEST(commandEndText(end), "text");
    }

    void framesLeftByAPull()
    {
        // What the frames carry, not their letters.
        QVERIFY(framesLeftText(3).startsWith("Sent: channel settings (reverse, sub-trim, end points, fail-safe"));
        QVERIFY(framesLeftText(3).contains(". Not sent: stick trims and trim steps. The transmitter may now"));
        QVERIFY(framesLeftText(0).startsWith("No frame was sent"));
        QVERIFY(framesLeftText(4).startsWith("All four frames were sent, but what"));
        QVERIFY(framesLeftText(4, false).contains("the closing word WWW was not"));
    }

    // The rate counts the last second only; the question comes at 3 s of
    // silence, not before.
    void linkAndRate()
    {
        PacketRate rate;
        for (qint64 t = 0; t < 2000; t += 20)
            rate.note(t);
        QCOMPARE(rate.perSecond(1990), 50.0);
        QCOMPARE(rate.perSecond(2500), 24.0);  // 1520..1980
        QCOMPARE(rate.perSecond(3000), 0.0);
        LinkFacts f;
        f.port = "ttyUSB0";
        f.packetsPerSecond = 49.6;
        f.quietForMs = 2999;
        QCOMPARE(linkStatusText(f), QStringLiteral("ttyUSB0: 50 packets/s"));
        f.quietForMs = 3000;
        QVERIFY(linkStatusText(f).startsWith("ttyUSB0: open, but nothing received for 3 s"));
        // A long name keeps its end, as the port box does, and the advice
        // after it; the tool tip has the whole path.
        f.port = "/dev/serial/by-id/usb-USB_Serial_Adapter_A50285BI-if00-port0";
        QCOMPARE(linkStatusText(f).section(':', 0, 0), QStringLiteral("…ter_A50285BI-if00-port0"));
        QCOMPARE(statusPortName(f.port).size(), kStatusPortChars);
        QVERIFY(linkStatusText(f).endsWith("is this its port?"));
        QVERIFY(linkStatusText(f, true).startsWith(f.port + ": open"));
        QCOMPARE(statusPortName("/dev/ttyUSB0"), QStringLiteral("ttyUSB0"));
    }

    // A checked write's bar: its frames, then the read-back, never back, full at the end.
    void progressNeverMovesBack()
    {
        CommandStep s;
        s.command = StatusCommand::Write;
        QList<int> done;
        for (s.frame = 0; s.frame <= 4; ++s.frame)
            done << commandStepDone(s);
        for (s.reading = true; s.answers <= 19; ++s.answers)
            done << commandStepDone(s);
        QVERIFY(std::is_sorted(done.begin(), done.end()));
        QCOMPARE(done.last(), commandStepTotal(s));
    }

    void whyAPortWouldNotOpen_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<bool>("characterDevice");
        QTest::addColumn<QString>("reason");
        // Those a pty or a file cannot give (tst_link has the rest).
        QTest::newRow("gone between the look and the open") << int(OpenAttempt::Other) << false << false << false
                                                            << "There is no port ttyUSB0: is the adapter plugged in?";
        QTest::newRow("not ours") << int(OpenAttempt::Permission) << true << false << true
                                  << "No permission to use the port ttyUSB0: add your user to the dialout group "
                                     "(sudo usermod -aG dialout $USER), then log out and in again.";
        QTest::newRow("a device without serial settings (/dev/null)")
            << int(OpenAttempt::NotSerial) << true << true << true << "ttyUSB0 is not a serial port.";
        QTest::newRow("anything else: plain words first")
            << int(OpenAttempt::Other) << true << true << true
            << "The system reported an error opening the port ttyUSB0: plug the adapter in again and retry.\n"
               "In the system's words: Input/output error";
    }
    void whyAPortWouldNotOpen()
    {
        OpenAttempt a;
        a.port = "ttyUSB0";
        QFETCH(int, error);
        a.error = OpenAttempt::Error(error);
        QFETCH(bool, exists);
        QFETCH(bool, accessible);
        QFETCH(bool, characterDevice);
        a.exists = exists, a.accessible = accessible, a.characterDevice = characterDevice;
        a.systemText = "Input/output error";
        QTEST(openFailureReason(a), "reason");
    }
};

QTEST_GUILESS_MAIN(TstStatus)
#include "tst_status.moc"
