// The frame's windows among other programs' on an X display: the Find
// window kept above them, the calendar back to today when another program's
// window uncovers the frame, and a favourites menu that drops down after it
// was once opened empty.

#include "FrameFixture.h"
#include "controls/MonthCalendar.h"
#include "platform/keyboard/X11Display.h"
#include "search/uniFind.h"
#include "settings/OptionsPages.h"
#include "settings/uniOptions.h"

#include <QListWidget>
#include <QMenuBar>
#include <QWindow>

#include <memory>

namespace {

const QDate kToday(2026, 5, 20);

// Counts what the window system asks a window to draw again.
class RedrawCount : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// The states a window asks the window manager for, by their atoms' names.
QStringList windowStates(const QWidget &window);

// Another program's window over a part of the screen, gone when removed.
class Cover
{
public:
    explicit Cover(const QRect &area);
    ~Cover();
    void remove();

private:
    x11::DisplayPtr m_display;
    unsigned long m_window = 0;
};

void openFromTheMenuBar(FrameFixture &f, QMenu *menu)
{
    QMenuBar *bar = f.frame.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
}

} // namespace

class TestX11Windows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    void theFindWindowStaysAboveOtherPrograms()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Find1->trigger();
        QTRY_VERIFY(windowStates(*f.frame.frmFind).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    }

    void uncoveredTheCalendarComesBackToToday_data()
    {
        QTest::addColumn<bool>("byAnotherProgram");
        QTest::addColumn<bool>("backToToday");
        QTest::newRow("another program's window goes") << true << true;
        QTest::newRow("its own menu closes") << false << false;
    }

    void uncoveredTheCalendarComesBackToToday()
    {
        QFETCH(bool, byAnotherProgram);
        QFETCH(bool, backToToday);
        FrameFixture f;
        f.frame.Panel1->setClock([] { return QDateTime(kToday, QTime(10, 0)); });
        f.frame.TButtonClick();
        f.frame.PageControl2->setCurrentIndex(1); // as a click does: 2 February
        RedrawCount redraws;
        f.frame.windowHandle()->installEventFilter(&redraws);
        const QPoint over = f.frame.Calendar1->mapToGlobal(QPoint(20, 20));
        if (byAnotherProgram) {
            Cover cover({over, QSize(200, 120)});
            cover.remove();
        } else {
            f.frame.Window1->popup(over);
            QTRY_VERIFY(f.frame.Window1->windowHandle()->isExposed());
            f.frame.Window1->close();
        }
        QTRY_VERIFY(redraws.count > 0);
        QCOMPARE(f.frame.Calendar1->selectedDate(), backToToday ? kToday : QDate(2026, 2, 2));
        QCOMPARE(f.frame.PageControl2->currentIndex(), backToToday ? 4 : 1);
    }

    void theFavouritesMenuDropsDownOnceItHoldsEntries()
    {
        FrameFixture f;
        openFromTheMenuBar(f, f.frame.Favourites1);
        QTest::keyClick(f.frame.Favourites1, Qt::Key_Escape);
        QTRY_VERIFY(!f.frame.Favourites1->isVisible());

        TFavouritesPage &page = *f.frame.frmOptions->TSFavourites;
        page.ListBoxFav->addItem(f.write(QStringLiteral("a.txt"), "a"));
        page.btnOKFavClick();
        openFromTheMenuBar(f, f.frame.Favourites1);
        QTRY_VERIFY(f.frame.Favourites1->windowHandle()->isExposed());
        QVERIFY(f.frame.Favourites1->height() > 1);
    }
};

// Xlib's names come last: they clash with Qt's.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

QStringList windowStates(const QWidget &window)
{
    Display *display = x11::applicationDisplay();
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char *data = nullptr;
    QStringList names;
    if (XGetWindowProperty(display, window.winId(), state, 0, 64, False, XA_ATOM, &type, &format,
                           &count, &left, &data) != Success)
        return names;
    const auto *atoms = reinterpret_cast<const Atom *>(data);
    for (unsigned long i = 0; i < count; ++i) {
        char *name = XGetAtomName(display, atoms[i]);
        names << QString::fromLatin1(name);
        XFree(name);
    }
    XFree(data);
    return names;
}

Cover::Cover(const QRect &area)
    : m_display(XOpenDisplay(x11::applicationDisplayName().constData()))
{
    Display *display = m_display.get();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    m_window =
        XCreateWindow(display, DefaultRootWindow(display), area.x(), area.y(),
                      unsigned(area.width()), unsigned(area.height()), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapWindow(display, m_window);
    XSync(display, False);
}

Cover::~Cover()
{
    XDestroyWindow(m_display.get(), m_window);
}

void Cover::remove()
{
    XUnmapWindow(m_display.get(), m_window);
    XSync(m_display.get(), False);
}

} // namespace

QTEST_MAIN(TestX11Windows)
#include "tst_x11windows.moc"
