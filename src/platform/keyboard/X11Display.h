#pragma once

#include <QByteArray>

#include <memory>

struct _XDisplay;

// Connections to the X server of our own, so that keystrokes and layout
// changes never interleave with the requests of Qt's connection.
namespace x11 {

struct DisplayCloser
{
    void operator()(_XDisplay *display) const;
};
using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

// The application's own connection, the one Qt's windows use; null when
// the application does not run on X11.
_XDisplay *applicationDisplay();

// The display the application's windows are on, in the form XOpenDisplay
// takes; empty for the one the environment names.
QByteArray applicationDisplayName();

// A connection with the keyboard extension (XKB) ready; null when the
// display cannot be opened or lacks XKB.
DisplayPtr openXkbDisplay(const QByteArray &name);

} // namespace x11
