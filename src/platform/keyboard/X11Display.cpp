#include "platform/keyboard/X11Display.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace x11 {

void DisplayCloser::operator()(_XDisplay *display) const
{
    if (display)
        XCloseDisplay(display);
}

Display *applicationDisplay()
{
    if (auto *app = qGuiApp) {
        if (auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>())
            return x11->display();
    }
    return nullptr;
}

QByteArray applicationDisplayName()
{
    if (Display *display = applicationDisplay())
        return QByteArray(DisplayString(display));
    return {};
}

DisplayPtr openXkbDisplay(const QByteArray &name)
{
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    DisplayPtr display(XkbOpenDisplay(name.isEmpty() ? nullptr : name.constData(), nullptr, nullptr,
                                      &major, &minor, &reason));
    if (reason != XkbOD_Success)
        return {};
    return display;
}

} // namespace x11
