#include "platform/text/AnsiCodec.h"

#include "platform/text/SingleByteCodec.h"

namespace ansi {

const SingleByteCodec &codec()
{
    static const SingleByteCodec windows1251("windows-1251");
    return windows1251;
}

char16_t toUnicode(unsigned char byte)
{
    return codec().toUnicode(byte);
}

int fromUnicode(char16_t ch)
{
    return codec().fromUnicode(ch);
}

QString decode(QByteArrayView bytes)
{
    return codec().decode(bytes);
}

QByteArray encode(QStringView text)
{
    return codec().encode(text, '?');
}

QString fold(QStringView text)
{
    return decode(encode(text));
}

} // namespace ansi
