#pragma once

#include "controls/ClockSource.h"

#include <QWidget>

class QSpinBox;
class TClockLabel;
class MonthCalendar;
class PageControl;
class TTransparentButton;

// What the frame shows while no document is open: a clock across the top
// with the year box at its right end, the twelve month tabs under it and
// the month calendar below. The rest of the clock row is one transparent
// button, through which the time shows, that brings the calendar back to
// today.
class CalendarPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CalendarPanel(QWidget *parent = nullptr, const ClockSource &clock = systemNow);

    // Where the clock and the calendar take the time and today from.
    void setClock(const ClockSource &clock);

    TClockLabel *ClockLabel1 = nullptr;
    TTransparentButton *TButton = nullptr;
    PageControl *PageControl2 = nullptr;
    MonthCalendar *Calendar1 = nullptr;
    QSpinBox *CBoxYear = nullptr;

    // The calendar goes to today; the year box and the month tab follow.
    void backToToday();
    void TButtonClick() { backToToday(); }
    // A month tab was chosen: that month, with the day of its number.
    void PageControl2Change();
    // Each change of the year box's text, keystroke by keystroke.
    void CBoxYearChange();
    // The clock row: the button over all of it but the year box, which
    // takes a tenth of it and at least 55 pixels.
    void Panel1Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls(const ClockSource &clock);
    void createClockRow(const ClockSource &clock);
    // The year box and the month tab show the calendar's year and month.
    void showCalendarMonth();
    // The clock, the tabs and the calendar fill the panel from the top.
    void alignRows();
};
