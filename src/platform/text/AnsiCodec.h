#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class SingleByteCodec;

// The ANSI code page in which documents are held: Windows-1251. It is made
// total and lossless: each of the 256 byte values has a character of its own
// (0x98, unassigned in Windows-1251, becomes U+0098) and maps back to itself.
namespace ansi {

// The code page's tables.
const SingleByteCodec &codec();

// The character that stands for a byte.
char16_t toUnicode(unsigned char byte);

// The byte that stands for a character, or -1 when the code page has none.
int fromUnicode(char16_t ch);

// Bytes to text, one character per byte.
QString decode(QByteArrayView bytes);

// Text to bytes, one byte per UTF-16 unit, so that positions in the text and
// in the bytes agree; a unit outside the code page becomes "?" (a character
// beyond the 16-bit range, stored as a surrogate pair, becomes "??").
QByteArray encode(QStringView text);

// The text as the code page can hold it: characters outside it become "?".
QString fold(QStringView text);

} // namespace ansi
