#include "platform/richedit/TextView.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/SingleByteCodec.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace textview {
namespace {

// View position where a block starts: its document position plus one extra
// character for each paragraph break before it.
int viewStart(const QTextBlock &block)
{
    return block.position() + block.blockNumber();
}

} // namespace

bool isForeign(QChar c)
{
    if (isBlockBreak(c) || c == QChar::LineSeparator)
        return false;
    const int b = ansi::fromUnicode(c.unicode());
    return b < 0 || b == kForeignByte;
}

int length(const QTextDocument &doc)
{
    // characterCount() counts the final paragraph separator, which the text
    // does not show; each of the other separators is two bytes.
    return doc.characterCount() - 1 + doc.blockCount() - 1;
}

int fromDocument(const QTextDocument &doc, int docPos)
{
    docPos = std::clamp(docPos, 0, doc.characterCount() - 1);
    return docPos + doc.findBlock(docPos).blockNumber();
}

int toDocument(const QTextDocument &doc, int viewPos)
{
    viewPos = std::clamp(viewPos, 0, length(doc));
    // The last block that starts at or before viewPos.
    int lo = 0;
    int hi = doc.blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (viewStart(doc.findBlockByNumber(mid)) <= viewPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc.findBlockByNumber(lo);
    const int offset = std::min(viewPos - viewStart(block), block.length() - 1);
    return block.position() + offset;
}

QByteArray text(const QTextDocument &doc)
{
    return encode(doc.toRawText());
}

QByteArray encode(QStringView docText)
{
    // One pass over the text for its length, one to write it: a long text
    // is read out at every whole-text command.
    const SingleByteCodec &codec = ansi::codec();
    const qsizetype breaks = std::count_if(docText.begin(), docText.end(), isBlockBreak);
    QByteArray out(docText.size() + breaks, Qt::Uninitialized);
    char *d = out.data();
    for (const QChar c : docText) {
        if (isBlockBreak(c)) {
            *d++ = '\r';
            *d++ = '\n';
        } else if (c == QChar::LineSeparator) {
            *d++ = kLineSeparatorByte;
        } else {
            const int b = codec.fromUnicode(c.unicode());
            *d++ = b < 0 ? kForeignByte : char(b);
        }
    }
    return out;
}

QString decode(QByteArrayView bytes)
{
    return foldLineBreaks(ansi::decode(bytes));
}

qsizetype pieceEnd(QByteArrayView bytes, qsizetype from, qsizetype length, bool &atLineEnd)
{
    const qsizetype size = bytes.size();
    const qsizetype end = std::min(size, from + length);
    atLineEnd = end == size;
    if (atLineEnd)
        return end;
    const char *const data = bytes.data();
    const char *const limit = data + std::min(size, end + length);
    const char *lineEnd =
        std::find_if(data + end, limit, [](char c) { return c == '\n' || c == '\r'; });
    atLineEnd = lineEnd != limit;
    if (!atLineEnd)
        return end;
    qsizetype after = lineEnd - data + 1;
    if (*lineEnd == '\r' && after < size && data[after] == '\n')
        ++after;
    return after;
}

QString foldLineBreaks(QString out)
{
    QChar *d = out.data();
    const QChar *s = d;
    const QChar *const end = s + out.size();
    while (s != end) {
        const QChar c = *s++;
        if (c == u'\r') {
            if (s != end && *s == u'\n')
                ++s;
            *d++ = u'\n';
        } else if (c == QLatin1Char(kLineSeparatorByte)) {
            *d++ = QChar::LineSeparator;
        } else {
            *d++ = c;
        }
    }
    out.truncate(d - out.constData());
    return out;
}

} // namespace textview
