#include "platform/system/RecoveryCopies.h"

#include "platform/system/NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace recovery {
namespace {

// A link beside the copy, pointing at the file the copy was made of.
constexpr char kMarkerSuffix[] = ".origin";
constexpr qsizetype kLongestSuffix = 16;

// Short whatever the file's own name, and with its suffix, which tells how
// the copy opens (".rtf").
QByteArray copyName(const QString &path)
{
    QByteArray name = posixfile::randomLetters(8);
    const QString suffix = QFileInfo(path).suffix();
    if (!suffix.isEmpty() && suffix.size() <= kLongestSuffix)
        name += '.' + QFile::encodeName(suffix);
    return name;
}

QByteArray madeFolder()
{
    const QString dir = folder();
    QDir().mkpath(QFileInfo(dir).path());
    const QByteArray name = QFile::encodeName(dir);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        posixfile::failWithErrno(dir, errno);
    return name;
}

} // namespace

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Scrivlet/recovery");
}

// The marker is made before the copy gets its name, so that a copy never
// goes without one; a marker without its copy is a save stopped before it
// touched the file.
KeptCopy::KeptCopy(const QString &path, int fd, const QByteArray &target)
{
    const QByteArray dir = madeFolder();
    posixfile::NewFile copy(dir);
    if (!copy.isOpen())
        posixfile::failWithErrno(folder(), errno);
    posixfile::copyAll(QFile::decodeName(target), fd, copy.fd());
    const QByteArray origin = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    for (;;) {
        m_copy = dir + '/' + copyName(path);
        m_marker = m_copy + kMarkerSuffix;
        struct stat st = {};
        if (::lstat(m_copy.constData(), &st) == 0)
            continue;
        if (::symlink(origin.constData(), m_marker.constData()) == 0)
            break;
        if (errno != EEXIST)
            posixfile::failWithErrno(folder(), errno);
    }
    auto unmark = qScopeGuard([this] { ::unlink(m_marker.constData()); });
    copy.place(folder(), m_copy);
    unmark.dismiss();
}

void KeptCopy::discard()
{
    ::unlink(m_copy.constData());
    ::unlink(m_marker.constData());
}

QList<LeftCopy> leftCopies()
{
    QList<LeftCopy> left;
    const QDir dir(folder());
    const QStringList markers = dir.entryList({QStringLiteral("*") + QLatin1String(kMarkerSuffix)},
                                              QDir::Files | QDir::System | QDir::Hidden);
    for (const QString &name : markers) {
        const QFileInfo marker(dir.filePath(name));
        if (!marker.isSymLink()) // a copy of a file whose suffix is the marker's
            continue;
        const QFileInfo copy(marker.filePath().chopped(int(sizeof kMarkerSuffix) - 1));
        if (copy.isFile() && !copy.isSymLink())
            left.append({marker.symLinkTarget(), copy.filePath()});
        else
            QFile::remove(marker.filePath());
    }
    return left;
}

void forget(const LeftCopy &left)
{
    QFile::remove(left.copy + QLatin1String(kMarkerSuffix));
}

} // namespace recovery
