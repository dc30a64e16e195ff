// Saving over an existing configuration file where the new one cannot be
// written: a full disk, a read-only folder.  The user's previous file must
// survive whole, the error box must show, and no half-written temporary
// file may be left behind.  Where only the folder is read-only the file is
// written in place; the file's permissions stay as they were.
//
// A full disk is a small tmpfs filled up, which takes root (the tests run
// as root in CI); the test mounts in a private mount namespace where it
// can, so nothing leaks to the machine.  A read-only folder is a read-only
// tmpfs as root (root ignores permission bits) and a mode-0555 folder
// otherwise.
#include "commandtime.h"
#include "configmodel.h"
#include "filereport.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QByteArray kPrevious("the user's previous settings, to be kept whole");

bool privateMounts = false;

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() && f.flush();
}

// Writes until the filesystem refuses; true when it ran out of space.
bool fillUp(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    for (int k = 0; k < 100000; ++k) {
        if (f.write(block) != block.size())
            return true;
    }
    return false;
}

class Tmpfs
{
public:
    Tmpfs(const QString &where, const char *options) : path(where)
    {
        ok = ::mount("tmpfs", QFile::encodeName(where).constData(), "tmpfs", 0, options) == 0;
        if (!ok)
            why = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~Tmpfs()
    {
        if (ok)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    bool remount(unsigned long flags, const char *options)
    {
        return ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", MS_REMOUNT | flags, options) == 0;
    }
    bool ok = false;
    QString why;

private:
    QString path;
};

}  // namespace

class TestSaveFailure : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;

    // Clicks Save with the dialog answered by `path`, with a transmitter
    // on the port; returns once the save is over (it sends its frames
    // whether or not the file can be written).
    void saveTo(const QString &path, const ConfigModel &settings = ConfigModel())
    {
        MainWindow w;
        w.model() = settings;
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        FileDialogAnswer answer(path);
        w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Save"))->click();
        QVERIFY(answer.answered);
    }

    static void expectErrorBox(const ModalCloser &closer)
    {
        QCOMPARE(closer.count, 1);
        QCOMPARE(closer.lastTitle, QStringLiteral("错误"));
        QCOMPARE(closer.lastText, QStringLiteral("不能读取指定的文件!"));
    }

private slots:
    void initTestCase()
    {
        qInfo("%s", privateMounts ? "test mounts stay in a private mount namespace"
                                  : "no private mount namespace: the test undoes its own mounts, if any");
    }

    void init()
    {
        commandtime::scaled();
        QVERIFY(scratch.isValid());
    }

    void diskFull()
    {
        if (geteuid() != 0)
            QSKIP("filling a disk takes a small tmpfs, which only root can mount");
        const QString mnt = scratch.filePath("full");
        QVERIFY(QDir().mkpath(mnt));
        Tmpfs fs(mnt, "size=64k,mode=0755");
        if (!fs.ok)
            QSKIP(qPrintable("cannot mount a tmpfs here: " + fs.why));
        const QString path = mnt + "/settings.txt";
        QVERIFY(writeFile(path, kPrevious));
        QVERIFY(fillUp(mnt + "/filler"));

        ConfigModel edited;
        edited.sub1 = 42;
        {
            ModalCloser closer;
            saveTo(path, edited);
            if (QTest::currentTestFailed())
                return;
            expectErrorBox(closer);
        }
        QCOMPARE(readFile(path), kPrevious);
        QCOMPARE(QDir(mnt).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "settings.txt"}));

        // With room again the same save goes through: the failure was the
        // full disk, nothing else.
        QVERIFY(QFile::remove(mnt + "/filler"));
        {
            ModalCloser closer;
            saveTo(path, edited);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(closer.count, 0);
        }
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.size(), 324);
        QCOMPARE(saved.mid(9, 2), QByteArray("A2"));  // sub1 = 42, plus 120
    }

    void readOnlyFolder()
    {
        const QString dir = scratch.filePath("readonly");
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + "/settings.dat";
        std::unique_ptr<Tmpfs> fs;
        if (geteuid() == 0) {
            fs = std::make_unique<Tmpfs>(dir, "size=64k,mode=0755");
            if (!fs->ok)
                QSKIP(qPrintable("cannot mount a tmpfs here (and root ignores folder permissions): " + fs->why));
            QVERIFY(writeFile(path, kPrevious));
            QVERIFY(fs->remount(MS_RDONLY, "size=64k,mode=0755"));
        } else {
            QVERIFY(writeFile(path, kPrevious));
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                                   | QFile::ReadOther | QFile::ExeOther));
        }
        QVERIFY(!QFile(dir + "/probe").open(QIODevice::WriteOnly));

        {
            ModalCloser closer;
            saveTo(path);
            if (QTest::currentTestFailed())
                return;
            expectErrorBox(closer);
        }
        QCOMPARE(readFile(path), kPrevious);
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList({"settings.dat"}));

        if (fs)
            QVERIFY(fs->remount(0, "size=64k,mode=0755"));
        else
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void keepsPermissions_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("oldSize");      // 0: the usual short old file
        QTest::addColumn<bool>("byFileTool");  // zqconfig-file's output instead of the window's save
        const int readOnly = int(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QTest::newRow("private file") << true << int(QFile::ReadOwner | QFile::WriteOwner) << 0 << false;
        // Root may write it and does; anyone else gets the error box.
        QTest::newRow("read-only file") << true << readOnly << 0 << false;
        const int rw = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QTest::newRow("read-only folder") << false << rw << 0 << false;
        QTest::newRow("read-only folder, longer old file") << false << rw << 400 << false;
        QTest::newRow("read-only file, zqconfig-file") << true << readOnly << 0 << true;
    }

    void keepsPermissions()
    {
        QFETCH(bool, folderWritable);
        QFETCH(int, mode);
        QFETCH(int, oldSize);
        QFETCH(bool, byFileTool);
        const QByteArray previous = oldSize ? QByteArray(oldSize, '#') : kPrevious;
        const QString dir = scratch.filePath(QTest::currentDataTag());
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + "/settings.txt";
        std::unique_ptr<Tmpfs> fs;
        std::unique_ptr<Tmpfs> bound;
        if (!folderWritable && geteuid() == 0) {
            // Root ignores folder permissions: a read-only mount, with the
            // file bound in from a writable one.
            const QString outside = scratch.filePath("outside.txt");
            QVERIFY(writeFile(outside, previous));
            fs = std::make_unique<Tmpfs>(dir, "size=64k,mode=0755");
            if (!fs->ok)
                QSKIP(qPrintable("cannot mount a tmpfs here: " + fs->why));
            QVERIFY(writeFile(path, QByteArray()));
            QVERIFY(fs->remount(MS_RDONLY, "size=64k,mode=0755"));
            QCOMPARE(::mount(QFile::encodeName(outside).constData(), QFile::encodeName(path).constData(), nullptr,
                             MS_BIND, nullptr),
                     0);
        } else {
            QVERIFY(writeFile(path, previous));
        }
        QVERIFY(QFile::setPermissions(path, QFile::Permissions(mode)));
        if (!folderWritable && !fs)
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        const bool refused = !(mode & QFile::WriteOwner) && geteuid() != 0;

        ConfigModel edited;
        edited.sub1 = 42;
        if (byFileTool) {
            QString error;
            QCOMPARE(writeOutput(path, configFileOf(edited), error), !refused);
        } else {
            ModalCloser closer;
            saveTo(path, edited);
            if (QTest::currentTestFailed())
                return;
            if (refused)
                expectErrorBox(closer);
            else
                QCOMPARE(closer.count, 0);
        }
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.size(), refused ? previous.size() : 324);
        if (!refused)
            QCOMPARE(saved.mid(9, 2), QByteArray("A2"));
        QCOMPARE(int(QFile::permissions(path) & 0x7077), mode);  // owner, group, other
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList({"settings.txt"}));

        if (fs)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
        else
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
};

int main(int argc, char **argv)
{
    // Mounts made from here on stay in this process (before any thread
    // exists, which unshare needs).
    if (geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0)
        privateMounts = ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QApplication app(argc, argv);
    TestSaveFailure t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_savefailure.moc"
