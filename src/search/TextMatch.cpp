#include "search/TextMatch.h"

#include "transform/CaseConversion.h"

#include <algorithm>
#include <optional>
#include <utility>

bool isWordChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// FastSearch ------------------------------------------------------------------

FastSearch::FastSearch(QByteArrayView pattern)
    : m_pattern(pattern)
{
    const qsizetype m = pattern.size();
    for (qsizetype k = 0; k < m; ++k)
        m_shift[static_cast<unsigned char>(pattern[k])] = m - 1 - k;
}

qsizetype FastSearch::indexIn(QByteArrayView text, qsizetype from) const
{
    const qsizetype m = m_pattern.size();
    const qsizetype n = text.size();
    if (m == 0 || from < 0)
        return -1;
    const char *t = text.data();
    const char *p = m_pattern.data();
    qsizetype i = from + m - 1;
    qsizetype j = m - 1;
    while (i < n) {
        if (t[i] == p[j]) {
            if (j == 0)
                return i;
            --i;
            --j;
        } else {
            i += std::max(m_shift[static_cast<unsigned char>(t[i])], m - j);
            j = m - 1;
        }
    }
    return -1;
}

int FastPos(QByteArrayView pattern, QByteArrayView text)
{
    return int(FastSearch(pattern).indexIn(text) + 1);
}

QByteArray ReverseText(QByteArrayView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    std::reverse_copy(text.begin(), text.end(), out.begin());
    return out;
}

// TextMatcher -----------------------------------------------------------------

struct TextMatcher::Side
{
    Side(QByteArray text, QByteArray pattern)
        : upperText(std::move(text))
        , upperPattern(std::move(pattern))
        , fast(upperPattern)
    {}

    QByteArray upperText;
    QByteArray upperPattern;
    FastSearch fast; // refers to upperPattern, which never moves again
};

TextMatcher::TextMatcher(QByteArrayView text, QByteArrayView pattern, bool fast)
    : TextMatcher(text, pattern.isEmpty() ? QByteArray() : ansiUpper(text), pattern, fast)
{}

TextMatcher::TextMatcher(QByteArrayView text, QByteArray upperText, QByteArrayView pattern,
                         bool fast)
    : m_text(text)
    , m_pattern(pattern)
    , m_fast(fast)
{
    if (!pattern.isEmpty())
        m_forward = std::make_unique<Side>(std::move(upperText), ansiUpper(pattern));
}

TextMatcher::~TextMatcher() = default;

const TextMatcher::Side &TextMatcher::reversed() const
{
    if (!m_reversed)
        m_reversed = std::make_unique<Side>(ReverseText(m_forward->upperText),
                                            ReverseText(m_forward->upperPattern));
    return *m_reversed;
}

qsizetype TextMatcher::findIn(const Side &side, qsizetype start, qsizetype count) const
{
    const qsizetype n = side.upperText.size();
    start = std::max<qsizetype>(start, 0);
    if (start > n)
        return -1;
    const qsizetype end = count < 0 ? n : std::min(n, start + count);
    const QByteArrayView part = QByteArrayView(side.upperText).sliced(start, end - start);
    const qsizetype at =
        m_fast ? side.fast.indexIn(part) : part.indexOf(QByteArrayView(side.upperPattern));
    return at < 0 ? -1 : start + at;
}

qsizetype TextMatcher::find(qsizetype start, qsizetype count) const
{
    return m_forward ? findIn(*m_forward, start, count) : -1;
}

bool TextMatcher::exactCaseAt(qsizetype pos) const
{
    return m_text.sliced(pos, m_pattern.size()) == m_pattern;
}

TMatchResult TextMatcher::result(qsizetype pos) const
{
    TMatchResult r;
    if (pos < 0)
        return r;
    const qsizetype end = pos + m_pattern.size();
    r.Position = int(pos);
    r.Length = int(m_pattern.size());
    r.WholeWord = (pos == 0 || !isWordChar(m_text[pos - 1])) &&
                  (end == m_text.size() || !isWordChar(m_text[end]));
    r.ExactCase = exactCaseAt(pos);
    return r;
}

TMatchResult TextMatcher::forward(qsizetype start, qsizetype count) const
{
    return result(find(start, count));
}

TMatchResult TextMatcher::backward(qsizetype start, qsizetype count) const
{
    if (!m_forward)
        return {};
    const qsizetype at = findIn(reversed(), start, count);
    return result(at < 0 ? -1 : m_text.size() - at - m_pattern.size());
}

TMatchResult MatchForward(QByteArrayView text, QByteArrayView pattern, int start, bool fast,
                          int count)
{
    return TextMatcher(text, pattern, fast).forward(start, count);
}

TMatchResult MatchBackward(QByteArrayView text, QByteArrayView pattern, int start, bool fast,
                           int count)
{
    return TextMatcher(text, pattern, fast).backward(start, count);
}
