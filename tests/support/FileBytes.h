#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's bytes as the tests see them, read and written around the
// program's own file code.
namespace testfiles {

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

[[nodiscard]] inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// Bytes that tell one version of a file from another at every position.
inline QByteArray version(qsizetype size, char letter)
{
    QByteArray bytes(size, letter);
    for (qsizetype i = 0; i < size; i += 7)
        bytes[i] = char('0' + i % 10);
    return bytes;
}

} // namespace testfiles
