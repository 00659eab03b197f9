#pragma once

#include "controls/ClockSource.h"

#include <QLabel>

class QTimer;

// A label that shows the current date and time in a pattern of its own
// (see DateTimeFormat.h) and renews the text on a timer of its own. The
// text is there from the start, before the first tick.
class TClockLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TClockLabel(QWidget *parent = nullptr, ClockSource clock = systemNow);

    // The clock's Enabled: whether the timer runs. It leaves the label's
    // own enabled state, and so its look, alone.
    bool isTimerEnabled() const;
    void setTimerEnabled(bool enabled);

    // "c" (short date and long time) at first; a new pattern shows at the
    // next tick.
    QString format() const { return m_format; }
    void setFormat(const QString &format) { m_format = format; }

    // Milliseconds between ticks. Setting the present value leaves the
    // running timer alone, where setting it anew would restart its count.
    quint16 interval() const;
    void setInterval(quint16 milliseconds);

    // The text last shown.
    QString caption() const { return text(); }

    void setClock(ClockSource clock) { m_clock = std::move(clock); }

Q_SIGNALS:
    // Raised after each tick has renewed the text.
    void timer();

private:
    void TimerTick();
    void showNow();

    QTimer *m_timer;
    ClockSource m_clock;
    QString m_format = QStringLiteral("c");
};
