#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <stdexcept>

// A file could not be read or written. The message names the file and gives
// the reason, in the system's words where the system gave one
// ("/home/me/a.txt: No space left on device").
class FileError : public std::runtime_error
{
public:
    explicit FileError(const QString &message)
        : std::runtime_error(message.toStdString())
    {}
    QString message() const { return QString::fromStdString(what()); }
};

namespace fileio {

// The content of a regular file, opened for reading without denying
// anything to other programs: all of it, or its first `maxBytes` bytes. A
// FIFO, device, socket or folder is refused without waiting for it, and so
// is a whole file whose content would not fit in the memory there is.
QByteArray read(const QString &path, qint64 maxBytes = -1);

// Replaces the file's content with the bytes, or creates it. The new content
// is written beside the file and moved over it only when every byte of it
// is on the disk, so a failed write leaves the old file as it was. A folder
// that takes no new file is written in place when the file itself is
// writable: the room for the new content is reserved first, and a disk
// without that room leaves the old file untouched.
void write(const QString &path, QByteArrayView bytes);

} // namespace fileio
