// The status line's wording: which text for which outcome, the link and
// its packet rate, and why a port would not open.  In English, so a row
// reads as the user does.
#include "language.h"
#include "status.h"

#include <QtTest>

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

} // namespace

Q_DECLARE_METATYPE(CommandEnd)

class TstStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useEnglishTexts(true)); }

    void endOfACommand_data()
    {
        QTest::addColumn<CommandEnd>("end");
        QTest::addColumn<QString>("text");
        const auto w = StatusCommand::Write;
        QTest::newRow("verified") << ended(w, 4, true, 19) << "Written and verified 14:02:11";
        QTest::newRow("held otherwise") << ended(w, 4, true, 19, 2)
                                        << "Written, but the transmitter holds 2 setting(s) otherwise (14:02:11)";
        QTest::newRow("no answer") << ended(w, 4, true, 0) << "Sent, not verified: no answer (14:02:11)";
        QTest::newRow("part of the answer") << ended(StatusCommand::Reset, 4, true, 18)
                                            << "Sent, not verified: the answer was incomplete (14:02:11)";
        QTest::newRow("not checked") << ended(w, 4, false, 0) << "Sent (not verified) 14:02:11";
        QTest::newRow("reset declined") << ended(StatusCommand::Reset, 0, false, 0) << "";
        CommandEnd lost = ended(w, 2, false, 0);
        lost.lost = true;
        QTest::newRow("pulled after frame 2") << lost << "Stopped after frame 2 of 4: the cable was pulled (14:02:11)";
        lost.framesSent = 0;
        QTest::newRow("pulled before a frame") << lost << "Stopped before the first frame: the cable was pulled (14:02:11)";
        lost.framesSent = 4;
        QTest::newRow("pulled during the check") << lost << "Sent, not verified: the cable was pulled (14:02:11)";
        CommandEnd noPort = ended(w, 0, false, 0);
        noPort.portOpen = false;
        QTest::newRow("write without a port") << noPort << "Nothing sent: no port open (14:02:11)";
        CommandEnd load = ended(StatusCommand::Load, 0, false, 0);
        load.portOpen = false;
        load.file = "glider.txt";
        QTest::newRow("load without a port")
            << load << "Loaded glider.txt into the pages; not sent (no port open) 14:02:11";
        load.file.clear();
        QTest::newRow("load cancelled without a port") << load << "";
        const auto r = StatusCommand::Read;
        QTest::newRow("read") << ended(r, 0, false, 19) << "Read 14:02:11";
        QTest::newRow("read, silence") << ended(r, 0, false, 0) << "Not read: the transmitter did not answer (14:02:11)";
        QTest::newRow("read, part") << ended(r, 0, false, 12) << "Read incomplete: 12 of 19 answers (14:02:11)";
        CommandEnd save = ended(StatusCommand::Save, 4, false, 0);
        save.file = "glider.txt";
        QTest::newRow("saved") << save << "Saved glider.txt 14:02:11";
        save.failed = true;
        QTest::newRow("not saved") << save << "Not saved: glider.txt could not be written (14:02:11)";
    }
    void endOfACommand()
    {
        QFETCH(CommandEnd, end);
        QTEST(commandEndText(end), "text");
    }

    void stepsAndTheirProgress()
    {
        CommandStep s;
        s.command = StatusCommand::Write;
        s.frame = 2;
        QCOMPARE(commandStepText(s), QStringLiteral("Writing frame 2 of 4"));
        QCOMPARE(commandStepDone(s) * 100 / commandStepTotal(s), 50);
        s.reading = true;
        s.answers = 12;
        QCOMPARE(commandStepText(s), QStringLiteral("Checking what the transmitter holds"));
        s.command = StatusCommand::Read;
        QCOMPARE(commandStepText(s), QStringLiteral("Reading 12 of 19"));
        QCOMPARE(commandStepDone(s), 12);
        QCOMPARE(commandStepTotal(s), 19);
        s = CommandStep();
        s.command = StatusCommand::Load;
        s.portOpen = false;
        s.frame = 3;
        QCOMPARE(commandStepText(s), QStringLiteral("Loading frame 3 of 4"));
    }

    void framesLeftByAPull()
    {
        QCOMPARE(framesLeftText(2), QStringLiteral("Frames S, G were sent, frames H, I were not: the transmitter may now "
                                                   "hold a mix of new and old settings. Connect again and write once more."));
        QVERIFY(framesLeftText(0).startsWith("No frame was sent"));
        QVERIFY(framesLeftText(4).startsWith("All four frames were sent"));
    }

    // The rate counts the last second only; silence for 3 s since the open
    // or the last packet asks whether this is the transmitter's port.
    void linkAndRate()
    {
        PacketRate rate;
        for (qint64 t = 0; t < 2000; t += 20)
            rate.note(t);
        QCOMPARE(rate.perSecond(1990), 50.0);
        QCOMPARE(rate.perSecond(2500), 24.0);  // 1520..1980
        QCOMPARE(rate.perSecond(3000), 0.0);
        LinkFacts f;
        QCOMPARE(linkStatusText(f), QStringLiteral("No port open"));
        f.port = "ttyUSB0";
        f.quietForMs = 2999;
        QCOMPARE(linkStatusText(f), QStringLiteral("ttyUSB0: open"));
        f.packetsPerSecond = 49.6;
        QCOMPARE(linkStatusText(f), QStringLiteral("ttyUSB0: 50 packets/s"));
        f.quietForMs = 3000;
        QCOMPARE(linkStatusText(f), QStringLiteral("ttyUSB0: open, but nothing received for 3 s — is the transmitter "
                                                   "on, and is this its port?"));
    }

    void whyAPortWouldNotOpen_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<bool>("characterDevice");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << int(OpenAttempt::NotFound) << false << false << false
                                 << "There is no port ttyUSB0: is the adapter plugged in?";
        QTest::newRow("gone between the look and the open") << int(OpenAttempt::Other) << false << false << false
                                                            << "There is no port ttyUSB0: is the adapter plugged in?";
        QTest::newRow("not ours") << int(OpenAttempt::Permission) << true << false << true
                                  << "No permission to use the port ttyUSB0: add your user to the dialout group "
                                     "(sudo usermod -aG dialout $USER), then log out and in again.";
        QTest::newRow("held by another program") << int(OpenAttempt::Permission) << true << true << true
                                                 << "The port ttyUSB0 is in use by another program: close that program "
                                                    "and try again.";
        QTest::newRow("a plain file") << int(OpenAttempt::Other) << true << true << false
                                      << "ttyUSB0 is not a serial port.";
        QTest::newRow("anything else") << int(OpenAttempt::Other) << true << true << true
                                       << "The system says: Input/output error";
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
        a.port.clear();
        QVERIFY(openFailureReason(a).startsWith("No port to open"));
    }
};

QTEST_GUILESS_MAIN(TstStatus)
#include "tst_status.moc"
