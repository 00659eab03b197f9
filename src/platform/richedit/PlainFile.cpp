#include "platform/richedit/PlainFile.h"

#include "platform/richedit/TextView.h"

#include <algorithm>

namespace plainfile {
namespace {

// Bytes of the file that make one piece: some 30 thousand characters, what
// a document takes in a millisecond.
constexpr qsizetype kPieceBytes = 32 * 1024;

QByteArrayView withoutMark(QByteArrayView bytes, const FileFormat &format)
{
    if (format.byteOrderMark && bytes.startsWith(fileformat::kByteOrderMark))
        return bytes.sliced(fileformat::kByteOrderMark.size());
    return bytes;
}

bool isContinuationByte(char b)
{
    return (static_cast<unsigned char>(b) & 0xC0) == 0x80;
}

} // namespace

QString decode(QByteArrayView bytes, const FileFormat &format)
{
    return textview::foldLineBreaks(fileformat::decode(format.charset, withoutMark(bytes, format)));
}

Writer::Writer(const FileFormat &format, QList<int> continued)
    : m_format(format)
    , m_lineBreak(fileformat::bytesOf(format.lineBreak))
    , m_continued(std::move(continued))
    , m_out(format.byteOrderMark ? fileformat::kByteOrderMark.toByteArray() : QByteArray())
{}

void Writer::add(QStringView docText)
{
    m_out.reserve(m_out.size() + docText.size() + docText.count(QChar::ParagraphSeparator));
    // Line by line (a table's cells are paragraphs too), straight from the
    // document's text: replacing each break in a copy would move the rest of
    // a long text once for every few of them.
    const auto isBreak = [](QChar c) {
        return textview::isBlockBreak(c) || c == QChar::LineSeparator;
    };
    for (auto from = docText.begin();;) {
        const auto at = std::find_if(from, docText.end(), isBreak);
        m_out += fileformat::encode(m_format.charset, QStringView(from, at));
        if (at == docText.end())
            return;
        from = at + 1;
        // Every charset writes the line separator's byte as it is.
        if (*at == QChar::LineSeparator) {
            m_out += textview::kLineSeparatorByte;
            continue;
        }
        if (m_nextContinued < m_continued.size() && m_continued[m_nextContinued] == m_paragraph)
            ++m_nextContinued;
        else
            m_out += m_lineBreak;
        ++m_paragraph;
    }
}

Reader::Reader(QByteArray bytes, const FileFormat &format)
    : m_bytes(std::move(bytes))
    , m_format(format)
    , m_at(withoutMark(m_bytes, format).data() - m_bytes.constData())
{}

QString Reader::next()
{
    if (m_at == m_bytes.size())
        return {};
    const qsizetype end = pieceEnd();
    const QByteArrayView piece = QByteArrayView(m_bytes).sliced(m_at, end - m_at);
    m_at = end;
    return cutLongLines(textview::foldLineBreaks(fileformat::decode(m_format.charset, piece)));
}

int Reader::percentGiven() const
{
    return m_bytes.isEmpty() ? 100 : int(m_at * 100 / m_bytes.size());
}

qsizetype Reader::pieceEnd() const
{
    bool atLineEnd = false;
    qsizetype end = textview::pieceEnd(m_bytes, m_at, kPieceBytes, atLineEnd);
    // A long line is cut where a character starts.
    if (!atLineEnd && m_format.charset == Charset::Utf8) {
        while (end > m_at + 1 && isContinuationByte(m_bytes[end]))
            --end;
    }
    return end;
}

QString Reader::cutLongLines(const QString &text)
{
    QList<qsizetype> cuts;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype found = text.indexOf(u'\n', from);
        const qsizetype end = found < 0 ? text.size() : found;
        qsizetype cut = from + std::max<qsizetype>(0, kLongestLine - m_lineLength);
        while (cut < end) {
            // A character beyond U+FFFF stays in one piece.
            if (text[cut].isLowSurrogate()) {
                ++cut;
                continue;
            }
            cuts.append(cut);
            m_continued.append(m_paragraph++);
            m_lineLength = 0;
            from = cut;
            cut += kLongestLine;
        }
        m_lineLength += end - from;
        if (found < 0)
            break;
        ++m_paragraph;
        m_lineLength = 0;
        from = found + 1;
    }
    if (cuts.isEmpty())
        return text;
    QString out;
    out.reserve(text.size() + cuts.size());
    qsizetype copied = 0;
    for (const qsizetype cut : cuts) {
        out += QStringView(text).sliced(copied, cut - copied);
        out += u'\n';
        copied = cut;
    }
    out += QStringView(text).sliced(copied);
    return out;
}

} // namespace plainfile
