#include "controls/DateTimeFormat.h"

namespace datetimeformat {
namespace {

// Reads a pattern token by token and writes each token's text. Each token
// is formatted on its own, so that literal text never mixes with the
// locale's format strings.
class Formatter
{
public:
    Formatter(const QString &pattern, const QDateTime &when, const QLocale &locale)
        : m_in(pattern)
        , m_when(when)
        , m_locale(locale)
        , m_twelveHour(pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
                       pattern.contains(QLatin1String("ampm"), Qt::CaseInsensitive))
    {}

    QString run()
    {
        while (m_pos < m_in.size())
            step();
        return m_out;
    }

private:
    void step()
    {
        const QChar c = m_in.at(m_pos);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quotedText(c);
            return;
        }
        if (takeAmPm())
            return;
        const QChar letter = c.toLower();
        if (!letter.isLetter()) {
            m_out += c;
            ++m_pos;
            return;
        }
        const qsizetype start = m_pos;
        const int count = run(letter);
        // "m" right after an hour stands for the minute.
        const QChar token = letter == u'm' && m_lastLetter == u'h' ? QChar(u'n') : letter;
        m_lastLetter = letter;
        m_out += tokenText(token, count, m_in.mid(start, count));
    }

    int run(QChar letter)
    {
        int count = 0;
        while (m_pos < m_in.size() && m_in.at(m_pos).toLower() == letter) {
            ++m_pos;
            ++count;
        }
        return count;
    }

    // Qt's format for the count-th form of a token (the last one for more).
    QString qt(int count, std::initializer_list<const char *> forms) const
    {
        const auto i = std::min<qsizetype>(count, qsizetype(forms.size())) - 1;
        return m_locale.toString(m_when, QString::fromLatin1(*(forms.begin() + i)));
    }

    QString tokenText(QChar token, int count, const QString &text) const
    {
        switch (token.unicode()) {
        case u'c':
            return m_locale.toString(m_when, m_locale.dateFormat(QLocale::ShortFormat) +
                                                 QLatin1Char(' ') +
                                                 m_locale.timeFormat(QLocale::LongFormat));
        case u'd':
            if (count >= 5)
                return m_locale.toString(m_when.date(),
                                         count == 5 ? QLocale::ShortFormat : QLocale::LongFormat);
            return qt(count, {"d", "dd", "ddd", "dddd"});
        case u'm':
            return qt(count, {"M", "MM", "MMM", "MMMM"});
        case u'n':
            return qt(count, {"m", "mm"});
        case u'y':
            return qt(count, {"yy", "yy", "yyyy"});
        case u'h':
            return hour(count);
        case u's':
            return qt(count, {"s", "ss"});
        case u'z':
            return count >= 3 ? m_locale.toString(m_when, QStringLiteral("zzz"))
                              : QString::number(m_when.time().msec());
        case u't':
            return m_locale.toString(m_when.time(),
                                     count == 1 ? QLocale::ShortFormat : QLocale::LongFormat);
        default:
            return text;
        }
    }

    // With am/pm anywhere in the pattern the hours count from 1 to 12.
    QString hour(int count) const
    {
        int h = m_when.time().hour();
        if (m_twelveHour)
            h = (h + 11) % 12 + 1;
        return QStringLiteral("%1").arg(h, count >= 2 ? 2 : 1, 10, QLatin1Char('0'));
    }

    bool takeAmPm()
    {
        for (const QLatin1String form : {QLatin1String("am/pm"), QLatin1String("ampm")}) {
            if (!QStringView(m_in).mid(m_pos).startsWith(form, Qt::CaseInsensitive))
                continue;
            // "am/pm" takes the pattern's letter case; "ampm" the locale's.
            const bool lower = form.size() == 5 && m_in.at(m_pos).isLower();
            m_out += m_locale.toString(m_when, lower ? QStringLiteral("ap") : QStringLiteral("AP"));
            m_pos += form.size();
            return true;
        }
        return false;
    }

    void quotedText(QChar quote)
    {
        const qsizetype end = m_in.indexOf(quote, m_pos + 1);
        const qsizetype stop = end < 0 ? m_in.size() : end;
        m_out += m_in.mid(m_pos + 1, stop - m_pos - 1);
        m_pos = end < 0 ? m_in.size() : end + 1;
    }

    const QString &m_in;
    const QDateTime &m_when;
    const QLocale &m_locale;
    const bool m_twelveHour;
    qsizetype m_pos = 0;
    QChar m_lastLetter;
    QString m_out;
};

} // namespace

QString format(const QString &pattern, const QDateTime &when, const QLocale &locale)
{
    return Formatter(pattern, when, locale).run();
}

} // namespace datetimeformat
