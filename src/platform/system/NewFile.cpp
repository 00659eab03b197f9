#include "platform/system/NewFile.h"

#include "platform/system/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace posixfile {
namespace {

constexpr qsizetype kCopyPieceSize = qsizetype(1) << 20;
// Short whatever the file's own name: a name near the system's limit still
// has room beside it.
constexpr char kTemporaryPrefix[] = "/.scrivlet-";

// A kernel or file system without unnamed files says so in one of these.
bool noUnnamedFiles(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

} // namespace

void fail(const QString &path, const QString &reason)
{
    throw FileError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
}

void failWithErrno(const QString &path, int error)
{
    fail(path, QString::fromLocal8Bit(std::strerror(error)));
}

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void Descriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

int Descriptor::close()
{
    return ::close(std::exchange(m_fd, -1));
}

// A short write is followed by another, which tells why the first one
// stopped.
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

void copyAll(const QString &path, int from, int to)
{
    QByteArray piece(kCopyPieceSize, Qt::Uninitialized);
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(from, piece.data(), size_t(piece.size()), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failWithErrno(path, errno);
        if (n == 0)
            return;
        writeAll(path, to, QByteArrayView(piece.constData(), n));
        offset += n;
    }
}

void sync(const QString &path, int fd)
{
    if (::fsync(fd) != 0 && errno != EINVAL) // EINVAL: nothing to sync to
        failWithErrno(path, errno);
}

QByteArray randomLetters(int count)
{
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name;
    for (int i = 0; i < count; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return name;
}

QByteArray folderOf(const QByteArray &file)
{
    return QFile::encodeName(QFileInfo(QFile::decodeName(file)).path());
}

NewFile::NewFile(const QByteArray &folder)
    : m_folder(folder)
    , m_file(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600))
{
    if (isOpen() || !noUnnamedFiles(errno))
        return;
    QByteArray name = folder + kTemporaryPrefix + "XXXXXX";
    m_file.reset(::mkostemp(name.data(), O_CLOEXEC));
    if (isOpen())
        m_name = name;
}

NewFile::~NewFile()
{
    if (!m_name.isEmpty())
        ::unlink(m_name.constData());
}

QByteArray NewFile::link(const QString &path)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.get());
    for (;;) {
        QByteArray name = m_folder + kTemporaryPrefix + randomLetters(6);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            return name;
        if (errno != EEXIST)
            failWithErrno(path, errno);
    }
}

void NewFile::place(const QString &path, const QByteArray &name)
{
    sync(path, m_file.get());
    if (m_name.isEmpty())
        m_name = link(path);
    if (m_file.close() != 0 && errno != EINTR)
        failWithErrno(path, errno);
    if (::rename(m_name.constData(), name.constData()) != 0)
        failWithErrno(path, errno);
    m_name.clear();
    // The new name is on the disk once the folder is: a failure here leaves
    // the file in place, only its survival of a power cut in doubt.
    const Descriptor dir(::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

} // namespace posixfile
