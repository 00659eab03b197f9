#pragma once

#include <QIcon>

// The program's own icon, for the frame, the edit windows, the tray and the
// About box.
namespace appicon {

QIcon icon();

} // namespace appicon
