#include "platform/richedit/PlainFile.h"

#include "platform/richedit/TextView.h"

#include <algorithm>

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
    // Paragraph by paragraph (a table's cells are paragraphs too): replacing
    // each break in the text would move the rest of a long text once for
    // every few of them.
    for (auto from = text.cbegin();;) {
        const auto at = std::find_if(from, text.cend(), textview::isBlockBreak);
        out += fileformat::encode(format.charset, QStringView(from, at));
        if (at == text.cend())
            return out;
        out += lineBreak;
        from = at + 1;
    }
}

} // namespace plainfile
