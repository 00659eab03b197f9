#include "platform/system/MemoryStatus.h"

#include <QByteArray>
#include <QFile>

#include <unistd.h>

namespace memorystatus {
namespace {

// The kernel's own estimate, which counts caches it would give up; -1 on a
// kernel that does not make one.
qint64 fromMemInfo()
{
    QFile info(QStringLiteral("/proc/meminfo"));
    if (!info.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = "MemAvailable:";
    for (const QByteArray &line : info.readAll().split('\n')) {
        if (!line.startsWith(key))
            continue;
        // "MemAvailable:   23601234 kB"
        bool ok = false;
        const qint64 kb = line.mid(key.size()).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kb * 1024 : -1;
    }
    return -1;
}

} // namespace

qint64 available()
{
    const qint64 estimate = fromMemInfo();
    if (estimate >= 0)
        return estimate;
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : -1;
}

} // namespace memorystatus
