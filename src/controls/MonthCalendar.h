#pragma once

#include "controls/ClockSource.h"

#include <QCalendarWidget>

#include <stdexcept>

// A date that does not exist, such as 29 February of a common year.
class ConversionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The month calendar: a grid of one month, its date read and set as Year,
// Month and Day each on its own. A value out of range or equal to the
// present one changes nothing; one that would make a date that does not
// exist throws ConversionError and changes nothing either. Dates run from
// the year 1 to 9999.
class MonthCalendar : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit MonthCalendar(QWidget *parent = nullptr, ClockSource clock = systemNow);

    int year() const { return selectedDate().year(); }
    int month() const { return selectedDate().month(); }
    int day() const { return selectedDate().day(); }
    void setYear(int year);
    void setMonth(int month);
    void setDay(int day);

    // Whether the calendar shows today as its date. Setting it moves the
    // date to today; any other change of the date, the user's too, clears
    // it.
    bool useCurrentDate() const { return m_useCurrentDate; }
    void setUseCurrentDate(bool use);

    void setClock(ClockSource clock) { m_clock = std::move(clock); }

private:
    void setDate(int year, int month, int day);

    ClockSource m_clock;
    bool m_useCurrentDate = true;
};
