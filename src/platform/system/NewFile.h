#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The pieces the file writer and the recovery copies share: descriptors,
// failures with the system's reason, and new files that have no name until
// they are complete.
namespace posixfile {

// Reads and writes go in pieces that the system takes whole.
inline constexpr qsizetype kPieceSize = qsizetype(1) << 30;

[[noreturn]] void fail(const QString &path, const QString &reason);
[[noreturn]] void failWithErrno(const QString &path, int error);

// Owns a descriptor; closing it is a step that can fail, so it is done by
// hand where it counts and only tidied up here.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd)
    {}
    ~Descriptor();
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    void reset(int fd);
    // The close's own result: a failing close may mean bytes that never
    // reached the disk.
    int close();

private:
    int m_fd;
};

// Every byte, or a failure with the system's reason.
void writeAll(const QString &path, int fd, QByteArrayView bytes);

// The whole content of `from` (read from its start) appended to `to`.
void copyAll(const QString &path, int from, int to);

// The bytes on the disk, or a failure.
void sync(const QString &path, int fd);

// The folder part of a file's path, as the system spells it.
QByteArray folderOf(const QByteArray &file);

// Letters and digits at random, for names that must not be taken.
QByteArray randomLetters(int count);

// A new file in a folder. It has no name while it is written (O_TMPFILE),
// so that a program killed meanwhile leaves nothing behind; where the file
// system cannot do that, it has a short name of fixed length beside the
// others, removed again when the file never gets placed.
class NewFile
{
public:
    // With errno set and isOpen() false when the folder takes no new file.
    explicit NewFile(const QByteArray &folder);
    ~NewFile();
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    bool isOpen() const { return m_file.get() >= 0; }
    int fd() const { return m_file.get(); }

    // Puts the file, its bytes on the disk, at `name` in its folder,
    // replacing what was there in one step. `path` names it in failures.
    void place(const QString &path, const QByteArray &name);

private:
    // A name of its own in the folder for the unnamed file.
    QByteArray link(const QString &path);

    QByteArray m_folder;
    QByteArray m_name; // empty while the file has none
    Descriptor m_file;
};

} // namespace posixfile
