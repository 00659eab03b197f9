#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <limits>

// The smallest pieces of RTF, shared by the reader and the parts that look
// into a group on their own.
namespace rtf {

inline bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct ControlWord
{
    QByteArrayView word;
    bool hasParam = false;
    int param = 0; // clamped to int; a longer number keeps its first ten digits
};

// Reads the control word whose letters start at `pos` (just after the
// backslash) and moves `pos` past it and the space that may end it.
inline ControlWord readControlWord(QByteArrayView in, qsizetype &pos)
{
    const qsizetype n = in.size();
    const qsizetype start = pos;
    while (pos < n && isLetter(in[pos]))
        ++pos;
    ControlWord w;
    w.word = in.sliced(start, pos - start);
    bool negative = false;
    if (pos + 1 < n && in[pos] == '-' && isDigit(in[pos + 1])) {
        negative = true;
        ++pos;
    }
    qint64 value = 0;
    int digits = 0;
    while (pos < n && isDigit(in[pos])) {
        if (digits < 10)
            value = value * 10 + (in[pos] - '0');
        ++digits;
        ++pos;
    }
    w.hasParam = digits > 0;
    value = negative ? -value : value;
    w.param = int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
    if (pos < n && in[pos] == ' ')
        ++pos;
    return w;
}

// Walks a group from `pos`, just after its opening brace, to past the brace
// that closes it (or to the end of the input), over nested groups, escaped
// braces and binary data. Calls `onWord` for every control word with its
// nesting depth (1: the group's own words), and `onData` for the group's own
// data: each byte of text (such as the hex digits of a picture) and binary
// data whole. Returns whether the group was closed.
template<typename OnWord, typename OnData>
bool walkGroup(QByteArrayView in, qsizetype &pos, OnWord onWord, OnData onData)
{
    const qsizetype n = in.size();
    int depth = 1;
    while (pos < n && depth > 0) {
        const char c = in[pos++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '\\' && pos < n) {
            if (!isLetter(in[pos])) {
                ++pos; // an escaped brace or backslash is no group
                continue;
            }
            const ControlWord w = readControlWord(in, pos);
            if (w.word == "bin" && w.param > 0) {
                const qsizetype end = pos + std::min<qsizetype>(w.param, n - pos);
                if (depth == 1)
                    onData(in.sliced(pos, end - pos), true);
                pos = end;
                continue;
            }
            onWord(w, depth);
        } else if (depth == 1) {
            onData(QByteArrayView(&c, 1), false);
        }
    }
    return depth == 0;
}

// Moves `pos`, just after a group's opening brace, past the group; returns
// whether it was closed.
inline bool skipGroup(QByteArrayView in, qsizetype &pos)
{
    return walkGroup(
        in, pos, [](const ControlWord &, int) {}, [](QByteArrayView, bool) {});
}

} // namespace rtf
