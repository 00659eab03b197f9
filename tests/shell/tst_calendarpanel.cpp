// The calendar panel: the calendar's date rules, month tabs, year box,
// the clock row and what the frame does with the panel.

#include "FrameFixture.h"
#include "controls/MonthCalendar.h"
#include "controls/TransBtn.h"

#include <QAccessible>
#include <QSpinBox>

namespace {

const QDate kToday(2026, 5, 20);

QDateTime today()
{
    return QDateTime(kToday, QTime(10, 0));
}

enum Field { Year, Month, Day };

} // namespace

class TestCalendarPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void calendarDate_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<bool>("fails");
        const QDate leapDay(2024, 2, 29);
        QTest::newRow("year 0: nothing") << kToday << int(Year) << 0 << kToday << false;
        QTest::newRow("same year: nothing") << kToday << int(Year) << 2026 << kToday << false;
        QTest::newRow("29 Feb, common year") << leapDay << int(Year) << 2023 << leapDay << true;
        QTest::newRow("past 9999") << kToday << int(Year) << 10000 << kToday << true;
        QTest::newRow("month 13: nothing") << kToday << int(Month) << 13 << kToday << false;
        QTest::newRow("31 March to April")
            << QDate(2026, 3, 31) << int(Month) << 4 << QDate(2026, 3, 31) << true;
        QTest::newRow("day 31 in April: nothing")
            << QDate(2026, 4, 30) << int(Day) << 31 << QDate(2026, 4, 30) << false;
        QTest::newRow("year") << leapDay << int(Year) << 2028 << QDate(2028, 2, 29) << false;
    }

    void calendarDate()
    {
        QFETCH(QDate, start);
        QFETCH(int, field);
        QFETCH(int, value);
        QFETCH(QDate, expected);
        QFETCH(bool, fails);
        MonthCalendar calendar(nullptr, today);
        QVERIFY(calendar.useCurrentDate());
        calendar.setSelectedDate(start);
        calendar.setUseCurrentDate(start == kToday);
        const auto set = [&] {
            field == Year    ? calendar.setYear(value)
            : field == Month ? calendar.setMonth(value)
                             : calendar.setDay(value);
        };
        if (fails)
            QVERIFY_THROWS_EXCEPTION(ConversionError, set());
        else
            set();
        QCOMPARE(calendar.selectedDate(), expected);
        // A new date is no longer today's.
        QCOMPARE(calendar.useCurrentDate(), start == kToday && expected == kToday);
    }

    void useCurrentDateFollowsTheDayPastMidnight()
    {
        QDateTime now = today();
        MonthCalendar calendar(nullptr, [&] { return now; });
        now = now.addDays(1);
        calendar.setUseCurrentDate(true);
        QCOMPARE(calendar.selectedDate(), kToday.addDays(1));
    }

    void monthTabs_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("March on 20 May") << kToday << 2 << QDate(2026, 3, 3);
        QTest::newRow("May again") << QDate(2026, 3, 3) << 4 << QDate(2026, 5, 5);
        QTest::newRow("April on 31 March") << QDate(2026, 3, 31) << 3 << QDate(2026, 4, 4);
    }

    void monthTabs()
    {
        QFETCH(QDate, start);
        QFETCH(int, tab);
        QFETCH(QDate, expected);
        CalendarPanel panel(nullptr, today);
        panel.Calendar1->setSelectedDate(start);
        panel.PageControl2->setCurrentIndex(tab); // as a click does
        QCOMPARE(panel.Calendar1->selectedDate(), expected);
        QCOMPARE(panel.PageControl2->currentIndex(), expected.month() - 1);
    }

    void yearBox_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("typing 0") << kToday << "0" << 0 << kToday;
        QTest::newRow("typing 1999") << kToday << "1999" << 0 << QDate(1999, 5, 20);
        QTest::newRow("29 Feb, one down") << QDate(2024, 2, 29) << "" << -1 << QDate(2024, 2, 29);
    }

    void yearBox()
    {
        QFETCH(QDate, start);
        QFETCH(QString, typed);
        QFETCH(int, steps);
        QFETCH(QDate, expected);
        CalendarPanel panel(nullptr, today);
        panel.Calendar1->setSelectedDate(start);
        if (typed.isEmpty()) {
            panel.CBoxYear->stepBy(steps);
        } else {
            panel.CBoxYear->selectAll();
            QTest::keyClicks(panel.CBoxYear, typed);
        }
        QCOMPARE(panel.Calendar1->selectedDate(), expected);
    }

    void clockRow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("yearBoxWidth");
        QTest::newRow("narrow: at least 55") << 300 << 55;
        QTest::newRow("wide: a tenth") << 1004 << 100;
    }

    void clockRow()
    {
        QFETCH(int, width);
        QFETCH(int, yearBoxWidth);
        CalendarPanel panel(nullptr, today);
        panel.resize(width, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.CBoxYear->geometry(), QRect(width - yearBoxWidth, 0, yearBoxWidth, 26));
        QCOMPARE(panel.TButton->geometry(), QRect(0, 0, width - yearBoxWidth, 26));

        // A click anywhere on the row but the year box comes back to today.
        for (const int x : {2, width / 2, width - yearBoxWidth - 1}) {
            panel.Calendar1->setSelectedDate(QDate(2001, 1, 1));
            QWidget *hit = panel.childAt(x, 13);
            QCOMPARE(hit, panel.TButton);
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&panel, QPoint(x, 13)));
            QCOMPARE(panel.Calendar1->selectedDate(), kToday);
            QCOMPARE(panel.CBoxYear->value(), 2026);
            QCOMPARE(panel.PageControl2->currentIndex(), 4);
        }
        QVERIFY(panel.CBoxYear->isAncestorOf(panel.childAt(width - 10, 13)));
    }

    void theFrameBringsTodayBack_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("backToToday");
        QTest::newRow("paint") << "paint" << true;
        QTest::newRow("show") << "show" << true;
        QTest::newRow("a toolbar repaint") << "toolbar" << false;
    }

    void theFrameBringsTodayBack()
    {
        QFETCH(QString, event);
        QFETCH(bool, backToToday);
        FrameFixture f;
        f.frame.Panel1->setClock(today);
        f.frame.TButtonClick();
        f.frame.Panel1->PageControl2->setCurrentIndex(1);
        const QDate chosen(2026, 2, 2);
        QCOMPARE(f.frame.Panel1->Calendar1->selectedDate(), chosen);
        if (event == QLatin1String("paint")) {
            f.frame.repaint();
        } else if (event == QLatin1String("show")) {
            f.frame.hide();
            f.frame.show();
        } else {
            f.frame.ToolBar->repaint();
        }
        QCOMPARE(f.frame.Panel1->Calendar1->selectedDate(), backToToday ? kToday : chosen);
        QCOMPARE(f.frame.Panel1->PageControl2->currentIndex(), backToToday ? 4 : 1);
    }

    // Tab goes from the document tab row to the clock row's button, which
    // the space bar and a screen reader click as the mouse does.
    void theKeyboardReachesTheDateButton_data()
    {
        QTest::addColumn<int>("key"); // none: a screen reader presses it
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("a screen reader") << 0;
    }

    void theKeyboardReachesTheDateButton()
    {
        QFETCH(int, key);
        FrameFixture f;
        f.frame.Panel1->setClock(today);
        f.frame.Panel1->PageControl2->setCurrentIndex(1);
        f.frame.PageControl1->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(f.frame.PageControl1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.frame.Panel1->TButton);
        QAccessibleInterface *button =
            QAccessible::queryAccessibleInterface(f.frame.Panel1->TButton);
        QCOMPARE(button->role(), QAccessible::Button);
        if (key)
            QTest::keyClick(f.frame.Panel1->TButton, Qt::Key(key));
        else
            button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.frame.Panel1->Calendar1->selectedDate(), kToday);
        QCOMPARE(f.frame.Panel1->PageControl2->currentIndex(), 4);
    }

    void windowCalendarShowsAndHidesThePanel()
    {
        FrameFixture f;
        f.frame.mnuCalendar2->trigger();
        QVERIFY(!f.frame.isCalendarView() && !f.frame.mnuCalendar2->isChecked());
        f.frame.mnuCalendar2->trigger();
        QVERIFY(f.frame.isCalendarView() && f.frame.mnuCalendar2->isChecked());
        QVERIFY(f.frame.Panel1->CBoxYear->isVisible());
    }
};

QTEST_MAIN(TestCalendarPanel)
#include "tst_calendarpanel.moc"
