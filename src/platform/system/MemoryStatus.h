#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace memorystatus {

// Bytes of memory the system can still give the program without swapping,
// or -1 when it cannot tell: what the machine has free, or less where the
// program's control group (a container, a desktop slice) has a limit.
qint64 available();

// The room the control groups of a process leave it: the smallest of limit
// less usage over its group and the groups above it; -1 when none has a
// limit. `membership` is the text of /proc/<pid>/cgroup, `root` the folder
// where the groups are mounted (/sys/fs/cgroup).
qint64 controlGroupRoom(const QByteArray &membership, const QString &root);

// The machine's physical memory.
struct Physical
{
    qint64 totalBytes = -1; // -1: unknown
    int loadPercent = -1;   // the share in use, 0 to 100; -1: unknown
};

// The figures of the running system, or those a test installed.
Physical physical();

// Puts figures in place of the system's (not owned); nullptr brings the
// system's back.
void installPhysical(const Physical *figures);

} // namespace memorystatus
