#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <memory>

// One occurrence of a pattern in a text of ANSI bytes. Matching ignores case
// (both sides are upper-cased as the locale does it); the two flags say
// whether the occurrence also stands as a whole word and in exactly the
// pattern's case.
struct TMatchResult
{
    int Position = -1; // 0-based; -1: nothing found
    int Length = 0;
    bool WholeWord = false;
    bool ExactCase = false;
};

// Word characters are the ASCII digits, letters and the underscore only;
// every other byte, Cyrillic letters included, separates words.
bool isWordChar(char c);

// 1-based position of the first occurrence of pattern in text, 0 if none.
// A skip-table search; its results equal those of a plain search.
int FastPos(QByteArrayView pattern, QByteArrayView text);

QByteArray ReverseText(QByteArrayView text);

// The first occurrence within the count characters from start (count < 0:
// to the end). An empty pattern is never found.
TMatchResult MatchForward(QByteArrayView text, QByteArrayView pattern, int start, bool fast,
                          int count = -1);

// The same on the reversed text and pattern, turned back: among the
// occurrences that end at or before length - start, the one that ends last.
TMatchResult MatchBackward(QByteArrayView text, QByteArrayView pattern, int start, bool fast,
                           int count = -1);

// The skip-table search of FastPos, its table made once for many searches.
class FastSearch
{
public:
    explicit FastSearch(QByteArrayView pattern);
    // 0-based index of the first occurrence in text at or after from, or -1.
    qsizetype indexIn(QByteArrayView text, qsizetype from = 0) const;

private:
    QByteArrayView m_pattern;
    std::array<qsizetype, 256> m_shift{};
};

// One text searched again and again for one pattern: the upper-cased copies
// (and, for searching backwards, the reversed ones) are made only once.
// The text and pattern must outlive the matcher.
class TextMatcher
{
public:
    TextMatcher(QByteArrayView text, QByteArrayView pattern, bool fast);
    // The same with the text already upper-cased (ansiUpper), which a long
    // text is best a piece at a time.
    TextMatcher(QByteArrayView text, QByteArray upperText, QByteArrayView pattern, bool fast);
    ~TextMatcher();

    TMatchResult forward(qsizetype start, qsizetype count = -1) const;
    TMatchResult backward(qsizetype start, qsizetype count = -1) const;

    // Index of the first occurrence (case ignored) within [start, start +
    // count) or -1; the flags are left to the caller.
    qsizetype find(qsizetype start, qsizetype count = -1) const;
    // Whether the occurrence at pos reads exactly as the pattern.
    bool exactCaseAt(qsizetype pos) const;

private:
    struct Side;
    qsizetype findIn(const Side &side, qsizetype start, qsizetype count) const;
    TMatchResult result(qsizetype pos) const;
    const Side &reversed() const;

    QByteArrayView m_text;
    QByteArrayView m_pattern;
    bool m_fast;
    std::unique_ptr<Side> m_forward;
    mutable std::unique_ptr<Side> m_reversed;
};
