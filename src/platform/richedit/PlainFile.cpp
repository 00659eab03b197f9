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
    text.replace(QChar::LineSeparator, QLatin1Char(textview::kLineSeparatorByte))
        .replace(QChar::ParagraphSeparator,
                 QLatin1StringView(fileformat::bytesOf(format.lineBreak)));
    QByteArray out = fileformat::encode(format.charset, text);
    if (format.byteOrderMark)
        out.prepend(fileformat::kByteOrderMark);
    return out;
}

} // namespace plainfile
