#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Copies of a file's old content, kept while the file is written over in
// place: a save stopped half-way (the program killed, the machine off)
// leaves the copy, and the next start offers it. They live in the user's
// own cache folder, which nobody else can read.
namespace recovery {

// The folder of the copies: "Scrivlet/recovery" under the user's cache
// folder.
QString folder();

// The old content of the file open at `fd` (the file at `target`, which
// the user knows as `path`), on the disk before the file is written over.
// Throws FileError when no copy can be made.
class KeptCopy
{
public:
    KeptCopy(const QString &path, int fd, const QByteArray &target);
    // A copy not discarded stays for the next start.
    ~KeptCopy() = default;
    KeptCopy(const KeptCopy &) = delete;
    KeptCopy &operator=(const KeptCopy &) = delete;

    // The save ended, well or without touching the file: the copy goes.
    void discard();

private:
    QByteArray m_copy;
    QByteArray m_marker;
};

// A copy left by a save that never ended.
struct LeftCopy
{
    QString file; // the file that was being saved
    QString copy; // its old content
};

// The copies left behind.
QList<LeftCopy> leftCopies();

// The copy was offered: it stays where the user was told it is, but is
// offered no more.
void forget(const LeftCopy &left);

} // namespace recovery
