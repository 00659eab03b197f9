// Reading and writing files: a full disk, what is not a regular file, what
// a save keeps of the file it replaces, and saves killed half-way.

#include "FileBytes.h"
#include "OwnFolder.h"
#include "SmallDisk.h"
#include "platform/system/FileIO.h"
#include "platform/system/MemoryStatus.h"
#include "platform/system/RecoveryCopies.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using testfiles::readAll;
using testfiles::version;
using testfiles::writeAll;

namespace {

QByteArray attribute(const QString &path, const QByteArray &name)
{
    char value[256];
    const ssize_t size =
        ::getxattr(QFile::encodeName(path).constData(), name.constData(), value, sizeof value);
    return size < 0 ? QByteArray("<none>") : QByteArray(value, size);
}

// An access control list as the system keeps it: a version and entries of
// tag, permissions and id; this one lets user 1234 read and write.
QByteArray accessList()
{
    QByteArray acl;
    const auto add = [&acl](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl.append(char((value >> (8 * i)) & 0xFF));
    };
    add(2, 4);
    const quint32 none = 0xFFFFFFFF;
    for (const auto &[tag, perm, id] :
         {std::tuple{0x01u, 6u, none}, std::tuple{0x02u, 6u, 1234u}, std::tuple{0x04u, 4u, none},
          std::tuple{0x10u, 6u, none}, std::tuple{0x20u, 4u, none}}) {
        add(tag, 2);
        add(perm, 2);
        add(id, 4);
    }
    return acl;
}

QString noSpace()
{
    return QString::fromLocal8Bit(std::strerror(ENOSPC));
}

// What fileio refuses with, or an empty text when it takes the path.
QString refusal(const std::function<void()> &step)
{
    try {
        step();
    } catch (const FileError &e) {
        return e.message();
    }
    return {};
}

constexpr int kTimeoutMs = 60000;
// A folder for the recovery copies of saves made as another user.
constexpr QFileDevice::Permissions kAnyone(0x7777);
// A save of this size takes long enough for a kill at a random moment to
// land in the middle of it, and short enough for twenty trials.
constexpr qsizetype kKillSize = 16 << 20;
constexpr int kKillTrials = 10;

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestFileIO : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A save beside the file (a temporary file renamed over it) and one in
    // place (by a user who may write the file but not add to its folder),
    // of a file below and above what a write buffer holds, on a disk with
    // less room than the new content needs, or with enough.
    void aFullDiskLeavesTheOldFile_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("fits");
        const bool beside = false;
        const bool inPlace = true;
        QTest::newRow("beside, small") << beside << 4000 << 4212 << 0 << false;
        QTest::newRow("beside, large") << beside << 20000 << 60000 << 16384 << false;
        QTest::newRow("beside, fits") << beside << 4000 << 4212 << 8192 << true;
        QTest::newRow("in place, small") << inPlace << 4000 << 4212 << 0 << false;
        QTest::newRow("in place, large") << inPlace << 20000 << 60000 << 16384 << false;
        QTest::newRow("in place, fits") << inPlace << 4000 << 4212 << 4096 << true;
        QTest::newRow("in place, shorter") << inPlace << 20000 << 3000 << 0 << true;
    }

    void aFullDiskLeavesTheOldFile()
    {
        QFETCH(bool, inPlace);
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        QFETCH(int, room);
        QFETCH(bool, fits);
        SmallDisk disk(QStringLiteral("size=64k,mode=0755"));
        if (!disk.isReady())
            QSKIP(qPrintable(disk.whyNot()));
        const QString file = disk.path(QStringLiteral("doc.txt"));
        const QByteArray old = version(oldSize, 'o');
        const QByteArray next = version(newSize, 'n');
        QVERIFY(writeAll(file, old));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadOther | QFile::WriteOther));
        QVERIFY(disk.fill(room));

        QString failure;
        {
            const OwnFolder cache("XDG_CACHE_HOME", kAnyone);
            std::optional<SmallDisk::Stranger> stranger;
            if (inPlace)
                stranger.emplace();
            failure = refusal([&] { fileio::write(file, next); });
        }
        if (fits) {
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            QCOMPARE(readAll(file), next);
        } else {
            QVERIFY2(failure.contains(noSpace()), qPrintable(failure));
            QVERIFY(readAll(file) == old);
        }
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files),
                 QStringList({QStringLiteral("doc.txt"), QStringLiteral("filler")}));
    }

    // Nothing that is not a regular file is read, and nothing is waited for:
    // a FIFO without a writer would block, a device would never end.
    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        const QString notRegular = QStringLiteral("not a regular file");
        QTest::newRow("FIFO") << "fifo" << notRegular;
        QTest::newRow("device") << "device" << notRegular;
        QTest::newRow("socket") << "socket" << notRegular;
        QTest::newRow("folder") << "folder" << QString::fromLocal8Bit(std::strerror(EISDIR));
        QTest::newRow("larger than the memory")
            << "sparse" << QStringLiteral("too large for the memory available");
    }

    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString target = dir.filePath(kind);
        QLocalServer server;
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        } else if (kind == QLatin1String("device")) {
            target = QStringLiteral("/dev/zero");
        } else if (kind == QLatin1String("socket")) {
            QVERIFY(server.listen(target));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(kind));
        } else {
            // A terabyte that takes no room on the disk.
            QFile sparse(target);
            QVERIFY(sparse.open(QIODevice::WriteOnly));
            if (!sparse.resize(qint64(1) << 40))
                QSKIP("the file system here keeps no sparse files this large");
        }
        const QString failure = refusal([&] { (void)fileio::read(target); });
        QVERIFY2(failure.contains(reason), qPrintable(failure));
        QVERIFY2(failure.contains(target), qPrintable(failure));
    }

    void aSaveNeverReplacesWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("socket") << "socket";
    }

    void aSaveNeverReplacesWhatIsNotARegularFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString target = dir.filePath(kind);
        QLocalServer server;
        if (kind == QLatin1String("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else
            QVERIFY(server.listen(target));
        const QString failure = refusal([&] { fileio::write(target, "text"); });
        QVERIFY2(failure.contains(QStringLiteral("not a regular file")), qPrintable(failure));
        struct stat st = {};
        QCOMPARE(stat(QFile::encodeName(target).constData(), &st), 0);
        QVERIFY(!S_ISREG(st.st_mode));
    }

    // A file of the system's that gives no size is read to its end.
    void aFileIsReadToItsEndWhateverSizeItGave()
    {
        const QByteArray status = fileio::read(QStringLiteral("/proc/self/status"));
        QVERIFY(status.startsWith("Name:"));
        QVERIFY(status.endsWith('\n'));
    }

    // The new file takes the old one's permissions (a temporary file is
    // made private), a new one what the user's mask allows; a link stays
    // a link to the file that got the new content.
    void aSaveKeepsWhatTheOldFileWas_data()
    {
        QTest::addColumn<int>("oldMode");
        QTest::addColumn<int>("newMode");
        const mode_t mask = umask(0);
        umask(mask);
        QTest::newRow("group may read") << 0640 << 0640;
        QTest::newRow("everybody may write") << 0666 << 0666;
        QTest::newRow("new file") << -1 << int(0666 & ~mask);
    }

    void aSaveKeepsWhatTheOldFileWas()
    {
        QFETCH(int, oldMode);
        QFETCH(int, newMode);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("file.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        if (oldMode >= 0) {
            QVERIFY(writeAll(file, "old"));
            QCOMPARE(chmod(QFile::encodeName(file).constData(), mode_t(oldMode)), 0);
        }
        QVERIFY(QFile::link(file, link));
        fileio::write(link, "new");
        QCOMPARE(readAll(file), QByteArray("new"));
        QVERIFY(QFileInfo(link).isSymLink());
        struct stat st = {};
        QCOMPARE(stat(QFile::encodeName(file).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), newMode);
    }

    // Saves killed at random moments: the file is the old one or the new
    // one, nothing else is left in its folder, and a save in place (the
    // file has a second name) killed while it wrote left a copy of the old
    // content for the next start.
    void aKilledSaveLeavesTheOldFileOrTheNew_data()
    {
        QTest::addColumn<bool>("secondName");
        QTest::newRow("beside") << false;
        QTest::newRow("in place") << true;
    }

    void aKilledSaveLeavesTheOldFileOrTheNew()
    {
        QFETCH(bool, secondName);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("doc.txt"));
        const QString other = dir.filePath(QStringLiteral("second name.txt"));
        const QByteArray old = version(kKillSize, 'o');
        const QByteArray next = version(kKillSize, 'n');
        QVERIFY(writeAll(file, old));
        if (secondName)
            QCOMPARE(
                ::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()),
                0);
        const QStringList names = filesIn(dir.path());

        qint64 span = -1; // how long a whole save takes: the first one tells
        for (int trial = 0; trial <= kKillTrials; ++trial) {
            QVERIFY(writeAll(file, old));
            QProcess child;
            QSignalSpy ended(&child, &QProcess::finished);
            child.start(QStringLiteral(SAVE_CHILD), {file, QString::number(kKillSize), "n"});
            QVERIFY(child.waitForReadyRead(kTimeoutMs));
            QElapsedTimer clock;
            clock.start();
            if (span >= 0)
                QTimer::singleShot(QRandomGenerator::global()->bounded(int(span) + 1), &child,
                                   [&child] { child.kill(); });
            QVERIFY(ended.wait(kTimeoutMs));
            if (span < 0) {
                span = clock.elapsed();
                QVERIFY(readAll(file) == next);
            }

            const QByteArray now = readAll(file);
            QCOMPARE(filesIn(dir.path()), names);
            const QList<recovery::LeftCopy> left = recovery::leftCopies();
            for (const recovery::LeftCopy &copy : left) {
                QCOMPARE(copy.file, file);
                QVERIFY(readAll(copy.copy) == old);
            }
            QVERIFY2(now == old || now == next || (secondName && !left.isEmpty()),
                     qPrintable(QStringLiteral("trial %1 left neither version").arg(trial)));
            if (secondName)
                QVERIFY(readAll(other) == now);
            QVERIFY(QDir(recovery::folder()).removeRecursively());
        }
    }

    // Saved as the superuser, or by another member of the file's group,
    // whose save goes in place because it cannot give the file away: the
    // file keeps its owner, group, mode, extended attributes and other
    // names.
    void aSaveKeepsOwnerGroupAttributesAndLinks_data()
    {
        QTest::addColumn<int>("owner");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("saver"); // -1: the superuser, else a member of the group
        QTest::addColumn<QByteArray>("attribute");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("secondName");
        const QByteArray none;
        QTest::newRow("another user's file") << 1234 << 4321 << -1 << none << none << false;
        QTest::newRow("a group's file, saved by another member")
            << 1234 << 4321 << 5678 << none << none << false;
        QTest::newRow("an extended attribute")
            << 0 << 0 << -1 << QByteArray("user.note") << QByteArray("kept") << false;
        QTest::newRow("an access control list")
            << 0 << 0 << -1 << QByteArray("system.posix_acl_access") << accessList() << false;
        QTest::newRow("a second name") << 0 << 0 << -1 << none << none << true;
    }

    void aSaveKeepsOwnerGroupAttributesAndLinks()
    {
        QFETCH(int, owner);
        QFETCH(int, group);
        QFETCH(int, saver);
        QFETCH(QByteArray, attribute);
        QFETCH(QByteArray, value);
        QFETCH(bool, secondName);
        if (geteuid() != 0)
            QSKIP("files are given to other users by the superuser only");
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), kAnyone));
        const OwnFolder cache("XDG_CACHE_HOME", kAnyone);
        const QString file = dir.filePath(QStringLiteral("doc.txt"));
        const QString other = dir.filePath(QStringLiteral("other.txt"));
        const QByteArray name = QFile::encodeName(file);
        QVERIFY(writeAll(file, "old"));
        QCOMPARE(::chown(name.constData(), uid_t(owner), gid_t(group)), 0);
        QCOMPARE(::chmod(name.constData(), 0664), 0);
        if (!attribute.isEmpty() && ::setxattr(name.constData(), attribute.constData(),
                                               value.constData(), size_t(value.size()), 0) != 0)
            QSKIP(qPrintable("the file system here keeps no such attribute: " +
                             QString::fromLocal8Bit(std::strerror(errno))));
        if (secondName)
            QCOMPARE(::link(name.constData(), QFile::encodeName(other).constData()), 0);
        const QByteArray kept = ::attribute(file, attribute);
        const QStringList names = filesIn(dir.path());

        {
            std::optional<SmallDisk::Stranger> member;
            if (saver >= 0)
                member.emplace(unsigned(saver), unsigned(group));
            fileio::write(file, "new");
        }
        struct stat st = {};
        QCOMPARE(::stat(name.constData(), &st), 0);
        QCOMPARE(int(st.st_uid), owner);
        QCOMPARE(int(st.st_gid), group);
        QCOMPARE(int(st.st_mode & 07777), 0664);
        QCOMPARE(readAll(file), QByteArray("new"));
        QCOMPARE(::attribute(file, attribute), kept);
        if (secondName)
            QCOMPARE(readAll(other), QByteArray("new"));
        QCOMPARE(filesIn(dir.path()), names);
    }

    // The name of the file may use up what the system allows of a name:
    // nothing the save makes beside it is named after it.
    void aNameAsLongAsTheSystemAllowsSaves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("250 Latin letters") << QString(246, QLatin1Char('a')) + ".txt";
        QTest::newRow("123 Cyrillic letters, 250 bytes") << QString(123, QChar(0x0416)) + ".txt";
    }

    void aNameAsLongAsTheSystemAllowsSaves()
    {
        QFETCH(QString, name);
        QCOMPARE(QFile::encodeName(name).size(), 250);
        QTemporaryDir dir;
        const QString file = dir.filePath(name);
        QVERIFY(writeAll(file, "old"));
        fileio::write(file, "new");
        QCOMPARE(readAll(file), QByteArray("new"));
        QCOMPARE(filesIn(dir.path()), QStringList{name});
    }

    // A file is read only when its document fits in what the program's
    // control groups (a container, a desktop slice) leave it, too.
    void controlGroupsLimitTheMemory_data()
    {
        QTest::addColumn<QByteArray>("membership");
        QTest::addColumn<QStringList>("files"); // "path=content" below the groups' root
        QTest::addColumn<qint64>("room");
        QTest::newRow("second version, a limit on the group")
            << QByteArray("0::/app.scope\n")
            << QStringList{"app.scope/memory.max=1000", "app.scope/memory.current=300"} << 700LL;
        QTest::newRow("second version, a tighter slice above")
            << QByteArray("0::/user.slice/app.scope\n")
            << QStringList{"user.slice/app.scope/memory.max=max",
                           "user.slice/app.scope/memory.current=100", "user.slice/memory.max=500",
                           "user.slice/memory.current=450"}
            << 50LL;
        QTest::newRow("second version, no limit")
            << QByteArray("0::/app.scope\n") << QStringList{"app.scope/memory.max=max"} << -1LL;
        QTest::newRow("first version") << QByteArray("5:devices:/\n4:memory:/box\n0::/\n")
                                       << QStringList{"memory/box/memory.limit_in_bytes=2000",
                                                      "memory/box/memory.usage_in_bytes=500"}
                                       << 1500LL;
        QTest::newRow("first version, no limit")
            << QByteArray("4:memory:/box\n")
            << QStringList{"memory/box/memory.limit_in_bytes=9223372036854771712"} << -1LL;
        QTest::newRow("used beyond the limit")
            << QByteArray("0::/g\n") << QStringList{"g/memory.max=100", "g/memory.current=120"}
            << 0LL;
        QTest::newRow("no groups") << QByteArray() << QStringList() << -1LL;
    }

    void controlGroupsLimitTheMemory()
    {
        QFETCH(QByteArray, membership);
        QFETCH(QStringList, files);
        QFETCH(qint64, room);
        QTemporaryDir root;
        for (const QString &file : files) {
            const QString path = root.filePath(file.section(QLatin1Char('='), 0, 0));
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QVERIFY(writeAll(path, file.section(QLatin1Char('='), 1).toUtf8() + '\n'));
        }
        QCOMPARE(memorystatus::controlGroupRoom(membership, root.path()), room);
    }
};

QTEST_MAIN(TestFileIO)
#include "tst_fileio.moc"
