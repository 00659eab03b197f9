#include "transform/Utf8Conversion.h"

#include "platform/richedit/TRichEdit.h"
#include "platform/system/Prompts.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/Utf8.h"
#include "transform/WholeText.h"

#include <QCoreApplication>

namespace utf8 {
namespace {

constexpr char32_t kByteOrderMark = 0xFEFF;

int win1251ByteOf(char32_t cp)
{
    return cp <= 0xFFFF ? ansi::fromUnicode(char16_t(cp)) : -1;
}

} // namespace

Decoded toWin1251(QByteArrayView bytes)
{
    Decoded out;
    out.text.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        int length = 1;
        const char32_t cp =
            static_cast<unsigned char>(c) < 0x80 ? char32_t(c) : decodeAt(bytes, i, length);
        if (cp == kInvalid) {
            out.text += c;
            ++i;
            continue;
        }
        if (!(i == 0 && cp == kByteOrderMark)) {
            const int b = win1251ByteOf(cp);
            if (b < 0)
                ++out.unmappable;
            out.text += b < 0 ? '?' : char(b);
        }
        i += length;
    }
    return out;
}

QByteArray fromWin1251(QByteArrayView bytes)
{
    return ansi::decode(bytes).toUtf8();
}

} // namespace utf8

namespace {

QString lossQuestion(int count)
{
    return count == 1 ? QCoreApplication::translate(
                            "Utf8Conversion",
                            "1 character of the text is not in Windows-1251 and will become \"?\".")
                      : QCoreApplication::translate("Utf8Conversion",
                                                    "%1 characters of the text are not in "
                                                    "Windows-1251 and will become \"?\".")
                            .arg(count);
}

} // namespace

bool convertUtf8ToWin1251(TRichEdit &edit)
{
    const utf8::Decoded decoded = utf8::toWin1251(edit.wholeText());
    if (decoded.unmappable > 0 && !prompts().confirm(lossQuestion(decoded.unmappable)))
        return false;
    replaceWholeText(edit, decoded.text);
    return true;
}

void convertWin1251ToUtf8(TRichEdit &edit)
{
    replaceWholeText(edit, utf8::fromWin1251(edit.wholeText()));
}
