#pragma once

#include <QByteArray>
#include <QByteArrayView>

class TRichEdit;

// Conversions between UTF-8 and Windows-1251 over the text as the editor
// holds it: a UTF-8 file loaded as Windows-1251 bytes becomes readable, and
// a document becomes UTF-8 bytes to be saved for programs that expect it.
namespace utf8 {

struct Decoded
{
    QByteArray text;    // Windows-1251
    int unmappable = 0; // characters Windows-1251 has no place for, now "?"
};

// Each well-formed UTF-8 sequence becomes its Windows-1251 byte, or "?"
// where the code page has none. Bytes that are not well-formed UTF-8 stay
// as they are, so text that is partly Windows-1251 already loses nothing; a
// byte-order mark at the start is dropped.
Decoded toWin1251(QByteArrayView bytes);

// Every byte as the UTF-8 form of its Windows-1251 character.
QByteArray fromWin1251(QByteArrayView bytes);

} // namespace utf8

// The two whole-text commands. UTF-8 to Windows-1251 asks before it turns
// characters into "?", and returns whether the text was converted.
bool convertUtf8ToWin1251(TRichEdit &edit);
void convertWin1251ToUtf8(TRichEdit &edit);
