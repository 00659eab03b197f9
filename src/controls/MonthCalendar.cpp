#include "controls/MonthCalendar.h"

#include <QAbstractItemView>

namespace {

const QDate kFirstDay(1, 1, 1);
const QDate kLastDay(9999, 12, 31);

} // namespace

MonthCalendar::MonthCalendar(QWidget *parent, ClockSource clock)
    : QCalendarWidget(parent)
    , m_clock(std::move(clock))
{
    setDateRange(kFirstDay, kLastDay);
    setFirstDayOfWeek(Qt::Sunday);
    setVerticalHeaderFormat(NoVerticalHeader);
    // The month tabs and the year box beside the grid move between months.
    setNavigationBarVisible(false);
    // The grid of days inside is what takes the focus.
    if (auto *days = findChild<QAbstractItemView *>())
        days->setAccessibleName(tr("Days"));
    setSelectedDate(m_clock().date());
    connect(this, &QCalendarWidget::selectionChanged, this, [this] { m_useCurrentDate = false; });
}

void MonthCalendar::setYear(int year)
{
    if (year >= 1 && year != this->year())
        setDate(year, month(), day());
}

void MonthCalendar::setMonth(int month)
{
    if (month >= 1 && month <= 12 && month != this->month())
        setDate(year(), month, day());
}

void MonthCalendar::setDay(int day)
{
    if (day >= 1 && day <= selectedDate().daysInMonth() && day != this->day())
        setDate(year(), month(), day);
}

void MonthCalendar::setDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid() || date > kLastDay)
        throw ConversionError(
            QStringLiteral("%1-%2-%3 is not a date").arg(year).arg(month).arg(day).toStdString());
    setSelectedDate(date);
}

// Setting it again while it is set still moves to today: the day may have
// changed since, at midnight.
void MonthCalendar::setUseCurrentDate(bool use)
{
    if (use)
        setSelectedDate(m_clock().date());
    m_useCurrentDate = use;
}
