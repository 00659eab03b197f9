// Reading and writing files: a full disk, what is not a regular file, and
// what a save keeps of the file it replaces.

#include "FileBytes.h"
#include "SmallDisk.h"
#include "platform/system/FileIO.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

#include <sys/stat.h>

using testfiles::readAll;
using testfiles::writeAll;

namespace {

// Bytes that tell one version of a file from another at every position.
QByteArray content(qsizetype size, char version)
{
    QByteArray bytes(size, version);
    for (qsizetype i = 0; i < size; i += 7)
        bytes[i] = char('0' + i % 10);
    return bytes;
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
        const QByteArray old = content(oldSize, 'o');
        const QByteArray next = content(newSize, 'n');
        QVERIFY(writeAll(file, old));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadOther | QFile::WriteOther));
        QVERIFY(disk.fill(room));

        QString failure;
        {
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
};

QTEST_MAIN(TestFileIO)
#include "tst_fileio.moc"
