#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Date-and-time patterns in the classic pattern language of Windows
// programs: "c" is the locale's short date and long time, "tt" its long time
// and "t" its short time, "ddddd"/"dddddd" its short/long date; d, dd, ddd,
// dddd, m, mm, mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss, z, zzz, am/pm and
// ampm as usual ("m" right after an hour letter is the minute); text in
// single or double quotes and any other character stand for themselves.
// The locale's own formats and names supply the text of each token.
namespace datetimeformat {

QString format(const QString &pattern, const QDateTime &when, const QLocale &locale = QLocale());

} // namespace datetimeformat
