// The frame's title as the window manager shows it names the program once,
// with "*" while the active document has unsaved changes.

#include "FrameFixture.h"
#include "platform/keyboard/X11Display.h"
#include "shell/AppTitle.h"

#include <QMdiSubWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The title the window manager is given, as the X server holds it.
QString shownTitle(const QWidget &window)
{
    Display *display = x11::applicationDisplay();
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long left = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window.winId(), name, 0, 1024, False, utf8, &type, &format,
                           &items, &left, &data) != Success)
        return QStringLiteral("<no title>");
    const QString title = QString::fromUtf8(reinterpret_cast<const char *>(data), int(items));
    XFree(data);
    return title;
}

} // namespace

class TestFrameTitle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        setApplicationTitle();
    }

    void theTitleNamesTheProgramOnce()
    {
        FrameFixture f;
        QTRY_COMPARE(shownTitle(f.frame), QStringLiteral("Scrivlet"));
        const QString path = f.write(QStringLiteral("a.txt"), "a");
        f.open(path);
        QVERIFY(f.frame.MDIArea->activeSubWindow()->isMaximized());
        QTRY_COMPARE(shownTitle(f.frame), QStringLiteral("Scrivlet - [%1]").arg(path));
        // "*" while the active document has unsaved changes.
        QTest::keyClicks(f.active()->Editor->focusProxy(), QStringLiteral("x"));
        QTRY_COMPARE(shownTitle(f.frame), QStringLiteral("Scrivlet* - [%1]").arg(path));
        f.active()->Save1Click();
        QTRY_COMPARE(shownTitle(f.frame), QStringLiteral("Scrivlet - [%1]").arg(path));
    }
};

QTEST_MAIN(TestFrameTitle)
#include "tst_frametitle.moc"
