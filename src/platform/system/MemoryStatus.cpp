#include "platform/system/MemoryStatus.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>
#include <unistd.h>

namespace memorystatus {
namespace {

const Physical *installedPhysical = nullptr;
// A limit this high is none: the first version of control groups says
// "no limit" with the largest number it has.
constexpr qint64 kNoLimit = qint64(1) << 60;

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray memInfo()
{
    return fileText(QStringLiteral("/proc/meminfo"));
}

// A number of a control group's file; nothing for "max", or no file.
std::optional<qint64> groupNumber(const QString &path)
{
    bool ok = false;
    const qint64 n = fileText(path).trimmed().toLongLong(&ok);
    return ok && n < kNoLimit ? std::optional(n) : std::nullopt;
}

// Where the memory controller keeps the process's group, and the names of
// its limit and usage: a line "N:...memory...:/path" of the first version,
// else the "0::/path" of the second.
struct MemoryGroup
{
    QString folder; // the hierarchy's own folder
    QString path;   // the group's, below it
    QString limit;
    QString usage;
};

std::optional<MemoryGroup> memoryGroup(const QByteArray &membership, const QString &root)
{
    std::optional<MemoryGroup> group;
    for (const QByteArray &line : membership.split('\n')) {
        const qsizetype first = line.indexOf(':');
        const qsizetype second = line.indexOf(':', first + 1);
        if (first < 0 || second < 0)
            continue;
        const QString path = QString::fromUtf8(line.mid(second + 1));
        const QByteArray controllers = line.mid(first + 1, second - first - 1);
        if (controllers.split(',').contains("memory")) {
            return MemoryGroup{root + QStringLiteral("/memory"), path,
                               QStringLiteral("memory.limit_in_bytes"),
                               QStringLiteral("memory.usage_in_bytes")};
        }
        if (line.startsWith("0::"))
            group = MemoryGroup{root, path, QStringLiteral("memory.max"),
                                QStringLiteral("memory.current")};
    }
    return group;
}

// A line such as "MemAvailable:   23601234 kB" in bytes; -1 without one.
qint64 memInfoBytes(const QByteArray &text, const QByteArray &key)
{
    for (const QByteArray &line : text.split('\n')) {
        if (!line.startsWith(key))
            continue;
        bool ok = false;
        const qint64 kb = line.mid(key.size()).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kb * 1024 : -1;
    }
    return -1;
}

qint64 pagesInBytes(int pagesName)
{
    const long pages = sysconf(pagesName);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : -1;
}

// The machine's own estimate, in `info` (/proc/meminfo), counts caches it
// would give up; a kernel that makes none leaves the free pages.
qint64 machineAvailable(const QByteArray &info)
{
    const qint64 estimate = memInfoBytes(info, "MemAvailable:");
    return estimate >= 0 ? estimate : pagesInBytes(_SC_AVPHYS_PAGES);
}

} // namespace

qint64 controlGroupRoom(const QByteArray &membership, const QString &root)
{
    const std::optional<MemoryGroup> group = memoryGroup(membership, root);
    if (!group)
        return -1;
    qint64 room = -1;
    for (QString dir = QDir::cleanPath(group->folder + group->path); dir.startsWith(group->folder);
         dir = dir.left(dir.lastIndexOf(QLatin1Char('/')))) {
        if (const std::optional<qint64> limit =
                groupNumber(dir + QLatin1Char('/') + group->limit)) {
            const qint64 left = std::max<qint64>(
                0, *limit - groupNumber(dir + QLatin1Char('/') + group->usage).value_or(0));
            room = room < 0 ? left : std::min(room, left);
        }
    }
    return room;
}

qint64 available()
{
    const qint64 machine = machineAvailable(memInfo());
    const qint64 group = controlGroupRoom(fileText(QStringLiteral("/proc/self/cgroup")),
                                          QStringLiteral("/sys/fs/cgroup"));
    if (group < 0 || machine < 0)
        return std::max(group, machine);
    return std::min(group, machine);
}

Physical physical()
{
    if (installedPhysical)
        return *installedPhysical;
    Physical figures;
    const QByteArray info = memInfo();
    figures.totalBytes = memInfoBytes(info, "MemTotal:");
    if (figures.totalBytes < 0)
        figures.totalBytes = pagesInBytes(_SC_PHYS_PAGES);
    const qint64 free = machineAvailable(info);
    if (figures.totalBytes > 0 && free >= 0) {
        const qint64 used = std::clamp<qint64>(figures.totalBytes - free, 0, figures.totalBytes);
        figures.loadPercent = int(qRound64(100.0 * double(used) / double(figures.totalBytes)));
    }
    return figures;
}

void installPhysical(const Physical *figures)
{
    installedPhysical = figures;
}

} // namespace memorystatus
