#include "platform/system/FileIO.h"

#include "platform/system/MemoryStatus.h"
#include "platform/system/NewFile.h"
#include "platform/system/RecoveryCopies.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fileio {
namespace {

using posixfile::Descriptor;
using posixfile::fail;
using posixfile::failWithErrno;
using posixfile::kPieceSize;

// What a file costs once it is a document on screen: its text at two bytes
// a character and the laid-out lines around it come to about ten times
// its size (the rich-edit benchmark's memory lines).
constexpr qint64 kMemoryPerFileByte = 10;

const QString kNotRegular = QStringLiteral("not a regular file");
const QString kTooLarge = QStringLiteral("too large for the memory available");

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
            bytes.resize(
                qsizetype(std::min<qint64>(most, got + std::max<qsizetype>(got / 2, 64 * 1024))));
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

// A list or value of extended attributes, read by `get(buffer, size)`;
// nothing, with errno set, when it cannot be read.
template<typename Get>
std::optional<QByteArray> attributeValue(Get get)
{
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray value(size, Qt::Uninitialized);
        const ssize_t got = get(value.data(), size_t(size));
        if (got >= 0)
            return value.left(got);
        if (errno != ERANGE) // grown since it was measured
            return std::nullopt;
    }
}

// The old file's extended attributes, access control lists among them, on
// the new file. One the new file already has (a security label that the
// folder gives every file) is left as it is.
bool copyAttributes(const QByteArray &target, int fd)
{
    const std::optional<QByteArray> names = attributeValue(
        [&](char *buffer, size_t size) { return ::listxattr(target.constData(), buffer, size); });
    if (!names)
        return errno == ENOTSUP;
    for (const QByteArray &name : names->split('\0')) {
        if (name.isEmpty())
            continue;
        const auto old = attributeValue([&](char *buffer, size_t size) {
            return ::getxattr(target.constData(), name.constData(), buffer, size);
        });
        if (!old)
            return false;
        const auto now = attributeValue([&](char *buffer, size_t size) {
            return ::fgetxattr(fd, name.constData(), buffer, size);
        });
        if (now != old &&
            ::fsetxattr(fd, name.constData(), old->constData(), size_t(old->size()), 0) != 0)
            return false;
    }
    return true;
}

// The old file's owner and group on the new file: what the superuser may
// give, and a user the group of a file of their own.
bool keepOwner(int fd, const struct stat &old)
{
    struct stat now = {};
    if (::fstat(fd, &now) != 0)
        return false;
    return (now.st_uid == old.st_uid && now.st_gid == old.st_gid) ||
           ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

enum class Beside { Written, NoNewFile, CannotKeepOwner };

// The new content in a new file beside the target, put in its place once
// it is complete. The new file takes the old one's owner, group, extended
// attributes and mode; NoNewFile (errno set) when the folder takes no new
// file, CannotKeepOwner when the new file could not be the old one's like.
Beside writeBeside(const QString &path, const QByteArray &target, QByteArrayView bytes,
                   const struct stat *old)
{
    posixfile::NewFile file(posixfile::folderOf(target));
    if (!file.isOpen())
        return Beside::NoNewFile;
    if (old && (!copyAttributes(target, file.fd()) || !keepOwner(file.fd(), *old)))
        return Beside::CannotKeepOwner;
    posixfile::writeAll(path, file.fd(), bytes);
    // After the write, which takes the set-user-ID bit from a file.
    if (::fchmod(file.fd(), old ? old->st_mode & 07777 : creationMode()) != 0)
        failWithErrno(path, errno);
    file.place(path, target);
    return Beside::Written;
}

// Over the old bytes, with a copy of them kept until the new ones are on
// the disk. The room is reserved before anything is written: without it
// the save fails with the old file as it was.
void writeInPlace(const QString &path, const QByteArray &target, QByteArrayView bytes)
{
    Descriptor file(::open(target.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    struct stat st = {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0)
        failWithErrno(path, errno);
    if (!S_ISREG(st.st_mode))
        fail(path, kNotRegular);
    recovery::KeptCopy kept(path, file.get(), target);
    if (!bytes.isEmpty()) {
        if (const int error = ::posix_fallocate(file.get(), 0, off_t(bytes.size()))) {
            // A reservation that got part of the way may have made the file
            // longer; its old bytes are untouched.
            [[maybe_unused]] const int ignored = ::ftruncate(file.get(), st.st_size);
            kept.discard();
            failWithErrno(path, error);
        }
    }
    posixfile::writeAll(path, file.get(), bytes);
    if (::ftruncate(file.get(), off_t(bytes.size())) != 0)
        failWithErrno(path, errno);
    posixfile::sync(path, file.get());
    if (file.close() != 0 && errno != EINTR)
        failWithErrno(path, errno);
    kept.discard();
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
        // A new file in its place would leave the file's other names with
        // the old content.
        if (old.st_nlink > 1)
            return writeInPlace(path, target, bytes);
    }
    switch (writeBeside(path, target, bytes, exists ? &old : nullptr)) {
    case Beside::Written:
        return;
    case Beside::CannotKeepOwner:
        return writeInPlace(path, target, bytes);
    case Beside::NoNewFile:
        break;
    }
    const int error = errno;
    if (!exists || !folderTakesNoNewFile(error))
        failWithErrno(path, error);
    writeInPlace(path, target, bytes);
}

} // namespace fileio
