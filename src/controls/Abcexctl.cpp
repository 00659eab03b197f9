#include "controls/Abcexctl.h"

#include "controls/DateTimeFormat.h"

#include <QTimer>

namespace {

constexpr int kDefaultInterval = 1000;

} // namespace

TClockLabel::TClockLabel(QWidget *parent, ClockSource clock)
    : QLabel(parent)
    , m_timer(new QTimer(this))
    , m_clock(std::move(clock))
{
    setTextFormat(Qt::PlainText);
    m_timer->setInterval(kDefaultInterval);
    connect(m_timer, &QTimer::timeout, this, [this] { TimerTick(); });
    showNow();
    m_timer->start();
}

bool TClockLabel::isTimerEnabled() const
{
    return m_timer->isActive();
}

void TClockLabel::setTimerEnabled(bool enabled)
{
    if (enabled == m_timer->isActive())
        return;
    if (enabled)
        m_timer->start();
    else
        m_timer->stop();
}

quint16 TClockLabel::interval() const
{
    return quint16(m_timer->interval());
}

void TClockLabel::setInterval(quint16 milliseconds)
{
    if (milliseconds != m_timer->interval())
        m_timer->setInterval(milliseconds);
}

void TClockLabel::TimerTick()
{
    showNow();
    Q_EMIT timer();
}

void TClockLabel::showNow()
{
    setText(datetimeformat::format(m_format, m_clock()));
}
