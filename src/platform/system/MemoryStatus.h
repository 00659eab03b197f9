#pragma once

#include <QtGlobal>

namespace memorystatus {

// Bytes of memory the system can still give the program without swapping,
// or -1 when it cannot tell.
qint64 available();

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
