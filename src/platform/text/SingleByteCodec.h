#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

// A single-byte code page made total and lossless: each of the 256 byte
// values has a character of its own and maps back to itself. A byte the
// code page leaves unassigned (0x98 in Windows-1251) keeps the C1 control
// of the same value, so no byte is lost.
class SingleByteCodec
{
public:
    // Built from the system's converter of that name ("windows-1251").
    explicit SingleByteCodec(const char *name);

    char16_t toUnicode(unsigned char byte) const { return m_toUnicode[byte]; }
    // The byte that stands for a UTF-16 unit, or -1 when the code page has none.
    int fromUnicode(char16_t unit) const { return m_fromUnicode[unit]; }

    // One character per byte.
    QString decode(QByteArrayView bytes) const;
    // One byte per UTF-16 unit, so that positions in the text and in the
    // bytes agree; a unit the code page lacks becomes `missing`.
    QByteArray encode(QStringView text, char missing) const;

private:
    std::array<char16_t, 256> m_toUnicode{};
    std::array<qint16, 0x10000> m_fromUnicode{};
};
