// zqconfig-file: the conversions at the function level, the program's
// output, exit codes and refusals by running it.
#include "filereport.h"
#include "filesaver.h"
#include "language.h"
#include "sanity.h"
#include "settingstable.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kFactoryFile =
    "S0010000078787878787878787070707070707070707070707070707042421042424242421302352Y"
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z"
    "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X"
    "I8888888812121212000000000000000000000000000000000000000000000000000000000000000V";

struct Run
{
    int status = -1;
    QByteArray out, err;
};

// Without a display: the program must not need one.
Run run(const QStringList &args, const QByteArray &input = QByteArray(),
        const QString &program = QStringLiteral(ZQCONFIG_FILE))
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("ZQCONFIG_LANG"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QByteArray linesWith(const QByteArray &text, const QByteArray &mark)
{
    QByteArray out;
    for (const QByteArray &l : text.split('\n'))
        if (l.contains(mark))
            out += l + '\n';
    return out;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

}  // namespace

class TstFileTool : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    // Each test writes the file it reads, so it runs alone as well.
    QString factoryFile() const
    {
        return writeFile(path("factory.txt"), kFactoryFile) ? path("factory.txt") : QString();
    }

private slots:
    // Any model a load keeps survives file -> JSON -> file byte for byte,
    // and the table places every field where the window's encoder puts it.
    // Short of frames or repaired, it comes back as a load of it takes it.
    void exportImportKeepsEveryByte()
    {
        QRandomGenerator rng(13);
        for (int round = 0; round < 300; ++round) {
            ConfigModel m;
            for (const Setting &s : settingsTable())
                s.set(m, int(rng.bounded(s.lo, s.hi + 1)));
            const QByteArray file = configFileOf(m);
            for (const Setting &s : settingsTable())
                QCOMPARE(s.get(readConfigFile(file).file), s.get(m));
            QByteArray back;
            QString error;
            QVERIFY2(importJson(exportJson(readConfigFile(file)), back, error), qPrintable(error));
            QCOMPARE(back, file);

            const Setting &odd = settingsTable().at(int(rng.bounded(settingsTable().size())));
            odd.set(m, rng.bounded(2) ? odd.lo - 1 : odd.hi + 1);
            QByteArray damaged = configFileOf(m);
            const int kept = 1 + int(rng.bounded(15));
            for (int k = 0; k < 4; ++k)
                if (!(kept >> k & 1))
                    damaged[k * 81] = '?';
            const ConfigFileRead before = readConfigFile(damaged);
            QVERIFY2(importJson(exportJson(before), back, error), qPrintable(error));
            const ConfigFileRead after = readConfigFile(back);
            QCOMPARE(after.missingFrames(), before.missingFrames());
            for (const Setting &s : settingsTable())
                QCOMPARE(s.get(after.afterLoad), s.get(before.afterLoad));
        }
    }

    // Every value an editor on the pages takes, as the window then holds
    // it, passes the sanity pass and comes back from the frames unchanged:
    // no setting is cut short on its way to the transmitter.
    void everyEditorValueSurvivesTheFrames()
    {
        for (const Setting &s : settingsTable()) {
            const bool choice = s.shown == Shown::Choice;
            if (!choice && s.shown != Shown::Number && s.shown != Shown::Volts)
                continue;
            for (int v = choice ? 0 : s.editLo; v <= (choice ? s.items.size() - 1 : s.editHi); ++v) {
                ConfigModel m;
                s.set(m, v);
                applySanity(m);
                ConfigModel back;
                decodeConfigText(QString::fromLatin1(configFileOf(m)), back);
                QVERIFY2(s.get(back) == v, qPrintable(s.name + QStringLiteral(" = %1").arg(v)));
            }
        }
    }

    void factoryAndShow()
    {
        QVERIFY(dir.isValid());
        QCOMPARE(run({"factory", path("factory.txt")}).status, 0);
        QFile f(path("factory.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), kFactoryFile);

        const Run r = run({"show", path("factory.txt")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        QVERIFY(!r.out.contains("->"));
        QCOMPARE(r.out.count('\n'), 1 + 5 + settingsTable().size());
        QCOMPARE(r.out.mid(r.out.indexOf("[系统设置]")), QByteArray("[系统设置]\n"
                                                                    "  报警设置 遥控器电压          3.7 V\n"
                                                                    "  报警设置 接收机电压          4.0 V\n"
                                                                    "  报警设置 动力电池电压        11.0 V\n"
                                                                    "  报警设置 RSSI信号            -100 dBm\n"
                                                                    "  版本 / 模式 遥控器摇杆模式   2\n"
                                                                    "  版本 / 模式 步阶微调一       2 steps\n"
                                                                    "  版本 / 模式 步阶微调一 微调  (0)\n"
                                                                    "  版本 / 模式 步阶微调二       2 steps\n"
                                                                    "  版本 / 模式 步阶微调二 微调  (0)\n"
                                                                    "  版本 / 模式 步阶微调三       2 steps\n"
                                                                    "  版本 / 模式 步阶微调三 微调  (0)\n"
                                                                    "  版本 / 模式 步阶微调四       2 steps\n"
                                                                    "  版本 / 模式 步阶微调四 微调  (0)\n"));
    }

    // Labels are the window's words: each setting its own in both
    // languages, and no model name, index or English word among Chinese.
    void labelsAreTheWindowsWords()
    {
        for (const bool english : {false, true, false}) {  // and back
            QVERIFY(useEnglishTexts(english));
            QSet<QString> seen;
            for (const Setting &s : settingsTable()) {
                const QString label = settingLabel(s, 1);
                QVERIFY2(!seen.contains(label), qPrintable(label));
                seen << label;
                QVERIFY2(!label.contains(QRegularExpression(english ? "[_\\[\\]]" : "[_\\[\\]a-z]")),
                         qPrintable(label));
            }
        }
        useEnglishTexts(false);
    }

    // Every label and item goes through the window's English catalogue.
    void englishHasNoChineseLeft()
    {
        const Run r = run({"--lang", "en", "show", factoryFile()});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("[Basic]\n  Reverse CH1 "));
        for (const QByteArray &line : r.out.split('\n'))
            QVERIFY2(std::none_of(line.begin(), line.end(), [](char c) { return c & 0x80; }), line.constData());
    }

    // S and G only; sub1 not hex, Mode and a mix master read from "A".
    void showMarksRepairsAndMissingFrames()
    {
        QByteArray hand = kFactoryFile.left(162);
        hand.replace(9, 2, "zz");
        hand[79] = 'A';
        hand[81 + 71] = 'A';
        QVERIFY(writeFile(path("hand.txt"), hand));
        const Run r = run({"show", path("hand.txt")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.left(r.out.indexOf('\n')),
                 path("hand.txt").toUtf8() + ": 162 characters, frames S G; missing H I (a load keeps the current "
                                             "settings of those frames); a load changes 3 settings (marked ->)");
        QCOMPARE(linesWith(r.out, "->").mid(linesWith(r.out, "->").indexOf('\n') + 1),
                 QByteArray("  中点微调 CH1                 -120 %  -> 0 %\n"
                            "  可编程混控一 主控            10  -> CH1\n"
                            "  版本 / 模式 遥控器摇杆模式   10  -> 1\n"));
        QCOMPARE(linesWith(r.out, "(not in file)").count('\n'), 42 + 8);  // every H and I field
        QCOMPARE(run({"check", factoryFile(), path("hand.txt")}).status, 1);
        // An unreadable file outweighs a short one after it; an empty one is named so.
        QVERIFY(writeFile(path("empty.txt"), ""));
        const Run empty = run({"check", path("empty.txt"), path("hand.txt")});
        QCOMPARE(empty.status, 2);
        QVERIFY2(empty.err.endsWith(": unreadable: empty file\n"), empty.err.constData());
        QCOMPARE(run({"show", "-"}).err, QByteArray("zqconfig-file: -: empty input\n"));
    }

    void diffExitCodes()
    {
        QByteArray other = kFactoryFile;
        other.replace(9, 2, "8C");  // sub1 = 20
        QVERIFY(writeFile(path("other.txt"), other));
        const QString factory = factoryFile();
        const Run same = run({"diff", factory, factory});
        QCOMPARE(same.status, 0);
        QVERIFY(same.out.isEmpty());
        const Run differ = run({"diff", factory, path("other.txt")});
        QCOMPARE(differ.status, 1);
        QCOMPARE(differ.out,
                 "--- " + factory.toUtf8() + "\n+++ " + path("other.txt").toUtf8() + "\n中点微调 CH1  0 %  20 %\n");
        QCOMPARE(run({"diff", factory, path("nothing.txt")}).status, 2);
    }

    // The recipe in docs/zqconfig-file.md: git diffs two commits of a file,
    // both handed over as temporary copies, as exactly the settings that
    // changed.
    void gitTextconvRecipe()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("git")).isEmpty())
            QSKIP("git is not installed");
        QFile doc(QStringLiteral(ZQ_FILETOOL_DOC));
        QVERIFY(doc.open(QIODevice::ReadOnly));
        const QByteArray text = doc.readAll();
        const int start = text.indexOf("```sh\n", text.indexOf("**Version control.**")) + 6;
        const QByteArray recipe = text.mid(start, text.indexOf("```", start) - start);
        QVERIFY(recipe.contains("textconv"));

        QTemporaryDir repo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", QFileInfo(QStringLiteral(ZQCONFIG_FILE)).absolutePath() + ':' + env.value("PATH"));
        env.insert("HOME", repo.path());  // no user's git configuration
        env.insert("GIT_CONFIG_NOSYSTEM", "1");
        const auto shell = [&](const QByteArray &script) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(repo.path());
            p.start("sh", {"-ec", QString::fromUtf8(script)});
            return p.waitForFinished(60000) && p.exitCode() == 0 ? p.readAllStandardOutput() : "sh failed: " + script;
        };
        const QByteArray commit = "git add . && git -c user.name=t -c user.email=t@t commit -qm x\n";
        QVERIFY(writeFile(repo.filePath("glider.txt"), kFactoryFile));
        shell("git init -q\n" + recipe + commit);
        QByteArray edited = kFactoryFile;
        edited.replace(9, 2, "8C");  // sub1 = 20
        QVERIFY(writeFile(repo.filePath("glider.txt"), edited));
        shell(commit);
        QByteArray changed;
        for (const QByteArray &l : shell("git diff HEAD~ HEAD").split('\n'))
            if ((l.startsWith('-') || l.startsWith('+')) && !l.startsWith("---") && !l.startsWith("+++"))
                changed += l + '\n';
        QCOMPARE(changed, QByteArray("-  中点微调 CH1                 0 %\n"
                                     "+  中点微调 CH1                 20 %\n"));
    }

    void importRejects_data()
    {
        QTest::addColumn<QByteArray>("edit");  // from -> to, applied to the factory export
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("out of range") << QByteArray("\"sub3\": 0|\"sub3\": 130")
                                      << QByteArray("field \"sub3\": 130 is out of range (accepted -100..100)");
        QTest::newRow("below range") << QByteArray("\"Atti2\": 29|\"Atti2\": -1")
                                     << QByteArray("field \"Atti2\": -1 is out of range (accepted 0..100)");
        QTest::newRow("not whole") << QByteArray("\"FS1\": 50|\"FS1\": 50.5")
                                   << QByteArray("field \"FS1\" must be an integer in 0..100, not 50.5");
        QTest::newRow("wrong type") << QByteArray("\"Mode\": 2|\"Mode\": \"2\"")
                                    << QByteArray("field \"Mode\" must be an integer in 1..4");
        QTest::newRow("two decimals") << QByteArray("\"Volt\": 3.7|\"Volt\": 3.75")
                                      << QByteArray(
                                             "field \"Volt\" must be a voltage with at most one decimal "
                                             "in 0.0..23.9, not 3.75");
        QTest::newRow("missing") << QByteArray("\"AUX5\": 1,|") << QByteArray("missing field \"AUX5\" (accepted 0..5)");
        QTest::newRow("unknown") << QByteArray("\"AUX5\": 1,|\"AUX5\": 1, \"AUX9\": 1,")
                                 << QByteArray("unknown field \"AUX9\"");
        QTest::newRow("unknown, with a line break")
            << QByteArray("\"AUX5\": 1,|\"AUX5\": 1, \"a\\nb\": 1,") << QByteArray("unknown field \"a\\u000ab\"");
        QTest::newRow("short array") << QByteArray("\"StkStep\": [|\"StkStep\": [ 2,")
                                     << QByteArray("field \"StkStep\" must be an array of 4 integers in 1..20");
        QTest::newRow("not JSON") << QByteArray("{|") << QByteArray("not JSON: ");
    }

    // Nothing is written, and an existing output stays as it was.
    void importRejects()
    {
        QFETCH(QByteArray, edit);
        QFETCH(QByteArray, message);
        QByteArray json = run({"export", factoryFile()}).out;
        const QList<QByteArray> fromTo = edit.split('|');
        QVERIFY(json.contains(fromTo[0]));
        json.replace(json.indexOf(fromTo[0]), fromTo[0].size(), fromTo[1]);
        QFile::remove(path("out.txt"));
        const Run r = run({"import", "-", path("out.txt")}, json);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.startsWith("zqconfig-file: -: " + message), r.err.constData());
        QVERIFY(!QFile::exists(path("out.txt")));
        QVERIFY(writeFile(path("out.txt"), "old"));
        QCOMPARE(run({"import", "-", path("out.txt")}, json).status, 2);
        QFile f(path("out.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter("out").size(), 1);
    }

    // Not a regular file: the bytes go into it in place and it stays what it
    // was (a pipe's reader gets them; a device that refuses them is an error).
    void specialOutputs_data()
    {
        QTest::addColumn<QByteArray>("script");  // in an empty folder; $0 is the program
        QTest::addColumn<QByteArray>("out");     // with standard error
        const QByteArray pipe = "; echo $?; [ -p p ] && echo pipe", node = "; echo $?; [ -c n ] && echo node";
        QTest::newRow("named pipe, late reader") << QByteArray(
            "mkfifo p; (sleep 0.5; exec cat p) & \"$0\" factory p; s=$?; wait; echo $s; [ -p p ] && echo pipe")
                                                 << kFactoryFile + "0\npipe\n";
        QTest::newRow("named pipe, no reader") << "mkfifo p; \"$0\" factory p" + pipe
                                               << QByteArray("zqconfig-file: p: no such device or address\n2\npipe\n");
        QTest::newRow("pipe as /dev/fd/3, like >(...)")
            << QByteArray("\"$0\" factory /dev/fd/3 3>&1 >/dev/null; echo $?") << kFactoryFile + "0\n";
        QTest::newRow("node like /dev/null") << "mknod n c 1 3 && \"$0\" factory n" + node << QByteArray("0\nnode\n");
        QTest::newRow("node like /dev/full") << "mknod n c 1 7 && \"$0\" factory n" + node
                                             << QByteArray("zqconfig-file: n: no space left on device\n2\nnode\n");
    }
    void specialOutputs()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, out);
        if (script.startsWith("mknod") && geteuid() != 0)
            QSKIP("making a device node takes root");
        QTemporaryDir here;
        const QString cd = "cd '" + here.path() + "' && exec 2>&1; ";
        QCOMPARE(run({"-c", cd + script, ZQCONFIG_FILE}, {}, QStringLiteral("sh")).out, out);
    }

    // A reader that leaves before the bytes come is an error, not the end
    // of the program that saves.  Saved in a child with SIGPIPE neither
    // ignored nor blocked, whatever the suite inherited.
    void pipeReaderGone()
    {
        const QString fifo = path("gone");
        QFile::remove(fifo);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        FileSaver saver(fifo);
        QVERIFY(reader >= 0 && saver.open());
        ::close(reader);
        const pid_t child = ::fork();
        if (child == 0) {
            sigset_t pipe;
            sigemptyset(&pipe), sigaddset(&pipe, SIGPIPE), sigprocmask(SIG_UNBLOCK, &pipe, nullptr);
            std::signal(SIGPIPE, SIG_DFL);
            _exit(!saver.commit(kFactoryFile) && saver.errorString() == qt_error_string(EPIPE) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), qPrintable(QString("killed by signal %1").arg(WTERMSIG(status))));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void hostileInputs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QByteArray binary(4096, '\0');
        for (int k = 0; k < binary.size(); ++k)
            binary[k] = char(k * 37 + 11);
        QTest::newRow("binary") << "binary.bin" << binary;
        // Valid frames at the start, far too long in all.
        QTest::newRow("huge") << "huge.txt" << kFactoryFile + QByteArray(2 << 20, 'x');
        QTest::newRow("directory") << "." << QByteArray();
        QTest::newRow("missing") << "missing.txt" << QByteArray();
    }

    void hostileInputs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString p = dir.filePath(name);
        if (!content.isEmpty())
            QVERIFY(writeFile(p, content));
        for (const char *command : {"show", "export", "check"}) {
            const Run r = run({command, p});
            QCOMPARE(r.status, 2);
            QVERIFY(r.out.isEmpty());
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY(r.err.contains(p.toUtf8()));
        }
    }
};

QTEST_GUILESS_MAIN(TstFileTool)
#include "tst_filetool.moc"
