#include "transform/CaseConversion.h"

#include "platform/text/AnsiCodec.h"

#include <QChar>

char fromUpperToLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

const ByteTable &upperToLowerTable()
{
    static const ByteTable t = [] {
        ByteTable table;
        for (int b = 0; b < 256; ++b)
            table[b] = static_cast<unsigned char>(fromUpperToLower(char(b)));
        return table;
    }();
    return t;
}

const ByteTable &ansiUpperTable()
{
    // From Unicode's case mapping through the code page, so that the table
    // follows the code page rather than a hand-written list.
    static const ByteTable t = [] {
        ByteTable table = identityTable();
        for (int b = 0; b < 256; ++b) {
            const char16_t upper = QChar::toUpper(char32_t(ansi::toUnicode(uchar(b))));
            const int byte = ansi::fromUnicode(upper);
            if (byte >= 0)
                table[b] = static_cast<unsigned char>(byte);
        }
        return table;
    }();
    return t;
}

QByteArray ansiUpper(QByteArrayView text)
{
    return mapBytes(text.toByteArray(), ansiUpperTable());
}
