#include "transform/Utf8Conversion.h"

#include "platform/richedit/TRichEdit.h"
#include "platform/system/Prompts.h"
#include "platform/text/AnsiCodec.h"
#include "transform/WholeText.h"

#include <QCoreApplication>

namespace utf8 {
namespace {

constexpr char32_t kByteOrderMark = 0xFEFF;
constexpr char32_t kInvalid = 0xFFFFFFFF;

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The code point of the well-formed sequence at `at` and its length in
// bytes, or kInvalid: overlong forms, surrogates and values past U+10FFFF
// are not well-formed.
char32_t decodeAt(QByteArrayView bytes, qsizetype at, int &length)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        least = 0x10000;
    } else {
        return kInvalid;
    }
    char32_t cp = lead & (0x7F >> length);
    if (at + length > bytes.size())
        return kInvalid;
    for (int i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[at + i]);
        if (!isContinuation(b))
            return kInvalid;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kInvalid;
    return cp;
}

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
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("Utf8Conversion", text);
    };
    return count == 1
               ? tr("1 character of the text is not in Windows-1251 and will become \"?\".")
               : tr("%1 characters of the text are not in Windows-1251 and will become \"?\".")
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
