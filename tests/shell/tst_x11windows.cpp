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
#include <QProcess>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The states a window asks the window manager for.
bool asksFor(const QWidget &window, const char *state)
{
    Display *display = x11::applicationDisplay();
    const Atom wanted = XInternAtom(display, state, False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window.winId(), XInternAtom(display, "_NET_WM_STATE", False), 0,
                           64, False, XA_ATOM, &type, &format, &count, &left, &data) != Success)
        return false;
    const auto *atoms = reinterpret_cast<const Atom *>(data);
    const bool found = std::find(atoms, atoms + count, wanted) != atoms + count;
    XFree(data);
    return found;
}

// Counts what the window system asks a window to draw again.
struct RedrawCount : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
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
        QTRY_VERIFY(asksFor(*f.frame.frmFind, "_NET_WM_STATE_ABOVE"));
    }

    void uncoveredTheCalendarComesBackToToday_data()
    {
        QTest::addColumn<bool>("byAnotherProgram");
        QTest::newRow("another program's window goes") << true;
        QTest::newRow("its own menu closes: no") << false;
    }

    void uncoveredTheCalendarComesBackToToday()
    {
        QFETCH(bool, byAnotherProgram);
        FrameFixture f;
        const QDate today(2026, 5, 20);
        f.frame.Panel1->setClock([&] { return QDateTime(today, QTime(10, 0)); });
        f.frame.TButtonClick();
        f.frame.Panel1->PageControl2->setCurrentIndex(1); // as a click does: 2 February
        RedrawCount redraws;
        f.frame.windowHandle()->installEventFilter(&redraws);
        const QPoint over = f.frame.Panel1->Calendar1->mapToGlobal(QPoint(20, 20));
        if (byAnotherProgram) {
            // A window of the drag source's, which goes when its input ends.
            QProcess cover;
            cover.start(QStringLiteral(DRAG_SOURCE),
                        {QString::number(over.x()), QString::number(over.y())});
            QVERIFY(cover.waitForReadyRead());
            cover.closeWriteChannel();
            QVERIFY(cover.waitForFinished());
        } else {
            f.frame.Window1->popup(over);
            QTRY_VERIFY(f.frame.Window1->windowHandle()->isExposed());
            f.frame.Window1->close();
        }
        QTRY_VERIFY(redraws.count > 0);
        QCOMPARE(f.frame.Panel1->Calendar1->selectedDate(),
                 byAnotherProgram ? today : QDate(2026, 2, 2));
    }

    void theFavouritesMenuDropsDownOnceItHoldsEntries()
    {
        FrameFixture f;
        openFromTheMenuBar(f, f.frame.Favourites1);
        QTest::keyClick(f.frame.Favourites1, Qt::Key_Escape);
        QTRY_VERIFY(!f.frame.Favourites1->isVisible());

        FavouritesPage &page = *f.frame.frmOptions->TSFavourites;
        page.ListBoxFav->addItem(f.write(QStringLiteral("a.txt"), "a"));
        page.btnOKFavClick();
        openFromTheMenuBar(f, f.frame.Favourites1);
        QTRY_VERIFY(f.frame.Favourites1->windowHandle()->isExposed());
    }
};

QTEST_MAIN(TestX11Windows)
#include "tst_x11windows.moc"
