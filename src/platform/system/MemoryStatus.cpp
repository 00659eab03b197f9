#include "platform/system/MemoryStatus.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <unistd.h>

namespace memorystatus {
namespace {

const Physical *installedPhysical = nullptr;

QByteArray memInfo()
{
    QFile info(QStringLiteral("/proc/meminfo"));
    return info.open(QIODevice::ReadOnly) ? info.readAll() : QByteArray();
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

} // namespace

// The kernel's own estimate counts caches it would give up; a kernel that
// makes none leaves the free pages.
qint64 available()
{
    const qint64 estimate = memInfoBytes(memInfo(), "MemAvailable:");
    return estimate >= 0 ? estimate : pagesInBytes(_SC_AVPHYS_PAGES);
}

Physical physical()
{
    if (installedPhysical)
        return *installedPhysical;
    Physical figures;
    figures.totalBytes = memInfoBytes(memInfo(), "MemTotal:");
    if (figures.totalBytes < 0)
        figures.totalBytes = pagesInBytes(_SC_PHYS_PAGES);
    const qint64 free = available();
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
