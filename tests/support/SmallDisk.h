#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A small disk of the test's own, to fill for a real "No space left on
// device": a tmpfs mounted in a private mount namespace that a child
// process holds open, reached from this process through the child's view
// of the file tree (/proc/<pid>/root/...). It needs the superuser and
// unshare(1); isReady() says whether it is there, whyNot() why not.
// The disk goes away with the object.
class SmallDisk
{
public:
    // Mount options of tmpfs, for example "size=64k,nr_inodes=3".
    explicit SmallDisk(const QString &options);
    ~SmallDisk();

    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isReady() const { return m_whyNot.isEmpty(); }
    QString whyNot() const { return m_whyNot; }

    // A path on the disk; its root for an empty name.
    QString path(const QString &name = {}) const;

    // Starts a program in the disk's own namespace, where the disk lies at
    // insidePath() (paths that resolve links, such as the temporary
    // folder's, do not reach it from here).
    void startInside(QProcess &process, const QString &program, const QStringList &args) const;
    QString insidePath() const { return m_mountPoint.path(); }

    // Fills the disk with a file named "filler" until it takes no more,
    // then gives back `room` bytes. Returns whether exactly that room is
    // left.
    bool fill(qint64 room) const;

    // Bytes the disk can still take.
    qint64 freeBytes() const;

    // While it lives, this thread's file access is that of a user without
    // rights of its own ("nobody", or the user and group given): the
    // superuser then meets the folders and files as an ordinary user does.
    class Stranger
    {
    public:
        explicit Stranger(unsigned user = 65534, unsigned group = 65534);
        ~Stranger();
        Stranger(const Stranger &) = delete;
        Stranger &operator=(const Stranger &) = delete;
    };

private:
    QTemporaryDir m_mountPoint;
    QProcess m_holder;
    QString m_root;
    QString m_whyNot;
};
