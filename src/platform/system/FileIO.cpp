#include "platform/system/FileIO.h"

#include "platform/system/MemoryStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {
namespace {

// What a file costs once it is a document on screen: its text at two bytes
// a character and the laid-out lines around it come to about ten times
// its size (the rich-edit benchmark's memory lines).
constexpr qint64 kMemoryPerFileByte = 10;
// Reads and writes go in pieces that the system takes whole.
constexpr qsizetype kPieceSize = qsizetype(1) << 30;

const QString kNotRegular = QStringLiteral("not a regular file");
const QString kTooLarge = QStringLiteral("too large for the memory available");

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw FileError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
}

[[noreturn]] void failWithErrno(const QString &path, int error)
{
    fail(path, QString::fromLocal8Bit(std::strerror(error)));
}

// Owns a descriptor; closing it is a step that can fail, so it is done by
// hand where it counts and only tidied up here.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    // The close's own result: a failing close may mean bytes that never
    // reached the disk.
    int close() { return ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

// The most bytes a file may have to be read: what the memory there is can
// hold of the document it becomes. No limit when the system cannot tell.
qint64 readLimit()
{
    const qint64 memory = memorystatus::available();
    return memory < 0 ? std::numeric_limits<qint64>::max() : memory / kMemoryPerFileByte;
}

// Reads to the end, or until `most` bytes are in: the end may lie past the
// size the file gave when it was opened (a file that grows, or one of the
// system's own that gives no size).
QByteArray readUpTo(const QString &path, int fd, qint64 size, qint64 most)
{
    QByteArray bytes(qsizetype(std::min(size, most - 1) + 1), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < most) {
        if (got == bytes.size())
            bytes.resize(qsizetype(std::min<qint64>(most, got + std::max<qsizetype>(got / 2, 64 * 1024))));
        const ssize_t n =
            ::read(fd, bytes.data() + got, size_t(std::min(bytes.size() - got, kPieceSize)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failWithErrno(path, errno);
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// Every byte, or a failure with the system's reason: a short write is
// followed by another, which tells why the first one stopped.
void writeAll(const QString &path, int fd, QByteArrayView bytes)
{
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min(left, kPieceSize)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failWithErrno(path, errno);
        if (n == 0)
            failWithErrno(path, ENOSPC); // the file takes nothing more
        p += n;
        left -= n;
    }
}

// The bytes on the disk and the file closed, or a failure.
void finish(const QString &path, Descriptor &file)
{
    if (::fsync(file.get()) != 0 && errno != EINVAL) // EINVAL: nothing to sync to
        failWithErrno(path, errno);
    if (file.close() != 0 && errno != EINTR)
        failWithErrno(path, errno);
}

// A folder where the user may change files but not add any.
bool folderTakesNoNewFile(int error)
{
    return error == EACCES || error == EPERM;
}

mode_t creationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The new content in a temporary file beside the target, renamed over it
// once it is complete. Returns false, with errno set, when the folder takes
// no temporary file.
bool writeBeside(const QString &path, const QByteArray &target, QByteArrayView bytes, mode_t mode)
{
    QByteArray name = target + ".XXXXXX";
    Descriptor temp(::mkostemp(name.data(), O_CLOEXEC));
    if (temp.get() < 0)
        return false;
    struct Remover
    {
        const QByteArray &name;
        bool done = false;
        ~Remover()
        {
            if (!done)
                ::unlink(name.constData());
        }
    } remover{name};

    writeAll(path, temp.get(), bytes);
    if (::fchmod(temp.get(), mode) != 0)
        failWithErrno(path, errno);
    finish(path, temp);
    if (::rename(name.constData(), target.constData()) != 0)
        failWithErrno(path, errno);
    remover.done = true;
    // The rename is on the disk once the folder is: a failure here leaves
    // the new file in place, only its survival of a power cut in doubt.
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).path());
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return true;
}

// Over the old bytes. The room is reserved before anything is written:
// without it the save fails with the old file as it was.
void writeInPlace(const QString &path, const QByteArray &target, QByteArrayView bytes)
{
    Descriptor file(::open(target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st = {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0)
        failWithErrno(path, errno);
    if (!S_ISREG(st.st_mode))
        fail(path, kNotRegular);
    if (!bytes.isEmpty()) {
        if (const int error = ::posix_fallocate(file.get(), 0, off_t(bytes.size()))) {
            // A reservation that got part of the way may have made the file
            // longer; its old bytes are untouched.
            [[maybe_unused]] const int ignored = ::ftruncate(file.get(), st.st_size);
            failWithErrno(path, error);
        }
    }
    writeAll(path, file.get(), bytes);
    if (::ftruncate(file.get(), off_t(bytes.size())) != 0)
        failWithErrno(path, errno);
    finish(path, file);
}

// A link is followed: the file it names gets the new content, and the link
// stays a link.
QByteArray targetOf(const QString &path)
{
    const QFileInfo info(path);
    QString target = info.canonicalFilePath();
    if (target.isEmpty()) // a new file, or one a link names before it exists
        target = info.isSymLink() ? info.symLinkTarget() : path;
    return QFile::encodeName(target);
}

} // namespace

QByteArray read(const QString &path, qint64 maxBytes)
{
    // Looked at before it is opened: opening a device may already act on it.
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0)
        failWithErrno(path, errno);
    if (S_ISDIR(st.st_mode))
        failWithErrno(path, EISDIR);
    if (!S_ISREG(st.st_mode))
        fail(path, kNotRegular);
    // Without blocking: a FIFO put in the file's place since would wait for
    // a writer for ever.
    Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0)
        failWithErrno(path, errno);
    if (!S_ISREG(st.st_mode))
        fail(path, kNotRegular);
    if (maxBytes >= 0)
        return readUpTo(path, file.get(), st.st_size, maxBytes);
    const qint64 limit = readLimit();
    if (st.st_size > limit)
        fail(path, kTooLarge);
    // One byte past the limit tells a file that grew beyond it.
    QByteArray bytes = readUpTo(path, file.get(), st.st_size,
                                limit == std::numeric_limits<qint64>::max() ? limit : limit + 1);
    if (bytes.size() > limit)
        fail(path, kTooLarge);
    return bytes;
}

void write(const QString &path, QByteArrayView bytes)
{
    const QByteArray target = targetOf(path);
    struct stat old = {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode))
            failWithErrno(path, EISDIR);
        if (!S_ISREG(old.st_mode))
            fail(path, kNotRegular);
        // A file the user may not change is not replaced behind its back.
        if (::access(target.constData(), W_OK) != 0)
            failWithErrno(path, errno);
    }
    if (writeBeside(path, target, bytes, exists ? old.st_mode & 07777 : creationMode()))
        return;
    const int error = errno;
    if (!exists || !folderTakesNoNewFile(error))
        failWithErrno(path, error);
    writeInPlace(path, target, bytes);
}

} // namespace fileio
