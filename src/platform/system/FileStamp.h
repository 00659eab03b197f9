#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// What tells one version of a file from another without reading it: where
// it lives on the disk, its size and when it was last written. A program
// that replaces a file atomically gives it a new inode; one that appends
// changes its size and time.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool operator==(const FileStamp &) const = default;
};

namespace filestamp {

// The stamp of the file at the path, or none when nothing is there.
std::optional<FileStamp> of(const QString &path);

} // namespace filestamp
