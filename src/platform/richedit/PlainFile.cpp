#include "platform/richedit/PlainFile.h"

#include "platform/richedit/TextView.h"

namespace plainfile {

QString decode(QByteArrayView bytes, const FileFormat &format)
{
    if (format.byteOrderMark && bytes.startsWith(fileformat::kByteOrderMark))
        bytes = bytes.sliced(fileformat::kByteOrderMark.size());
    return textview::foldLineBreaks(fileformat::decode(format.charset, bytes));
}

QByteArray encode(QStringView docText, const FileFormat &format)
{
    QString text = docText.toString();
    text.replace(QChar::LineSeparator, QLatin1Char(textview::kLineSeparatorByte));
    const QByteArray lineBreak = fileformat::bytesOf(format.lineBreak);
    QByteArray out = format.byteOrderMark ? fileformat::kByteOrderMark.toByteArray() : QByteArray();
    out.reserve(out.size() + text.size() + text.count(QChar::ParagraphSeparator));
    // Paragraph by paragraph: replacing each break in the text would move
    // the rest of a long text once for every few of them.
    for (qsizetype from = 0;;) {
        const qsizetype at = text.indexOf(QChar::ParagraphSeparator, from);
        const qsizetype end = at < 0 ? text.size() : at;
        out += fileformat::encode(format.charset, QStringView(text).sliced(from, end - from));
        if (at < 0)
            return out;
        out += lineBreak;
        from = at + 1;
    }
}

} // namespace plainfile
