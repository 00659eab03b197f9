// Plays the translator program beside the editor: it holds the hot key
// Ctrl+F3 on the root window and, each time the key arrives, writes the
// text on the CLIPBOARD (UTF-8) to the file named on its command line. It
// says "ready" once it holds the key; the end of its input ends it.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString output = app.arguments().value(1);
    Display *display = XOpenDisplay(nullptr);
    if (!display || output.isEmpty())
        return 1;
    const KeyCode f3 = XKeysymToKeycode(display, XK_F3);
    // Caps Lock and Num Lock must not stand in the way of the grab.
    for (const unsigned locks :
         {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
        XGrabKey(display, f3, ControlMask | locks, DefaultRootWindow(display), True, GrabModeAsync,
                 GrabModeAsync);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);

    QSocketNotifier keys(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(&keys, &QSocketNotifier::activated, &app, [&] {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != KeyPress)
                continue;
            QFile file(output);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(QGuiApplication::clipboard()->text().toUtf8());
        }
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    const int result = app.exec();
    XCloseDisplay(display);
    return result;
}
