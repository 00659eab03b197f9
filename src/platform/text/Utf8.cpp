#include "platform/text/Utf8.h"

namespace utf8 {
namespace {

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

} // namespace

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

bool isWellFormed(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        if (decodeAt(bytes, i, length) == kInvalid)
            return false;
        i += length;
    }
    return true;
}

} // namespace utf8
