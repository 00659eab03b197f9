#pragma once

#include <QtGlobal>

namespace memorystatus {

// Bytes of memory the system can still give the program without swapping,
// or -1 when it cannot tell.
qint64 available();

} // namespace memorystatus
