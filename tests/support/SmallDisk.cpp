#include "SmallDisk.h"

#include <QDir>
#include <QFile>

#include <sys/fsuid.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int kMountTimeoutMs = 30000;

} // namespace

SmallDisk::SmallDisk(const QString &options)
{
    if (geteuid() != 0) {
        m_whyNot = QStringLiteral("a disk of the test's own needs the superuser");
        return;
    }
    // The holder mounts the disk in a namespace of its own and then waits
    // for its input to close.
    m_holder.start(
        QStringLiteral("unshare"),
        {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
         QStringLiteral("mount -t tmpfs -o \"$1\" tmpfs \"$2\" && echo ready && exec cat"),
         QStringLiteral("sh"), options, m_mountPoint.path()});
    if (!m_holder.waitForStarted(kMountTimeoutMs)) {
        m_whyNot = QStringLiteral("unshare cannot be run: ") + m_holder.errorString();
        return;
    }
    if (!m_holder.waitForReadyRead(kMountTimeoutMs) ||
        !m_holder.readAllStandardOutput().startsWith("ready")) {
        m_holder.waitForFinished(kMountTimeoutMs);
        m_whyNot = QStringLiteral("no private mount: ") +
                   QString::fromLocal8Bit(m_holder.readAllStandardError()).trimmed();
        return;
    }
    m_root = QStringLiteral("/proc/%1/root%2").arg(m_holder.processId()).arg(m_mountPoint.path());
}

SmallDisk::~SmallDisk()
{
    if (m_holder.state() == QProcess::NotRunning)
        return;
    m_holder.closeWriteChannel();
    if (!m_holder.waitForFinished(kMountTimeoutMs))
        m_holder.kill();
}

QString SmallDisk::path(const QString &name) const
{
    return name.isEmpty() ? m_root : m_root + QLatin1Char('/') + name;
}

void SmallDisk::startInside(QProcess &process, const QString &program,
                            const QStringList &args) const
{
    process.start(QStringLiteral("nsenter"),
                  QStringList{QStringLiteral("--mount=/proc/%1/ns/mnt").arg(m_holder.processId()),
                              QStringLiteral("--"), program} +
                      args);
}

qint64 SmallDisk::freeBytes() const
{
    struct statvfs s = {};
    if (statvfs(QFile::encodeName(m_root).constData(), &s) != 0)
        return -1;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

bool SmallDisk::fill(qint64 room) const
{
    QFile filler(path(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    return filler.resize(filler.size() - room) && freeBytes() == room;
}

// The file-system user id is the thread's own: other threads, and every
// other check, go on as the superuser.
SmallDisk::Stranger::Stranger(unsigned user, unsigned group)
{
    setfsgid(group);
    setfsuid(user);
}

SmallDisk::Stranger::~Stranger()
{
    setfsuid(0);
    setfsgid(0);
}
