#pragma once

#include <QDateTime>

#include <functional>

// Where a control takes the current date and time from: the system's clock,
// or a fixed one, so that what it shows does not depend on the day it runs.
using ClockSource = std::function<QDateTime()>;

inline QDateTime systemNow()
{
    return QDateTime::currentDateTime();
}
