#include "platform/system/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fileio {
namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw FileError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

QByteArray read(const QString &path, qint64 maxBytes)
{
    if (QFileInfo(path).isDir())
        fail(path, QStringLiteral("Is a directory"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        fail(path, file.errorString());
    return bytes;
}

void write(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(path, reason);
    }
    if (!file.commit())
        fail(path, file.errorString());
}

} // namespace fileio
