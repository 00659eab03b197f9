#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <stdexcept>

// A file could not be read or written; the message is the system's own.
class FileError : public std::runtime_error
{
public:
    explicit FileError(const QString &message)
        : std::runtime_error(message.toStdString())
    {}
    QString message() const { return QString::fromStdString(what()); }
};

namespace fileio {

// The content of a file, opened for reading without denying anything to
// other programs: all of it, or its first `maxBytes` bytes.
QByteArray read(const QString &path, qint64 maxBytes = -1);

// Replaces the file's content with the bytes, or creates it. The new content
// is written beside the file and moved over it only when complete, so a
// failed write leaves the old file as it was; a directory that cannot take
// that temporary file is written in place when the file itself is writable.
void write(const QString &path, QByteArrayView bytes);

} // namespace fileio
