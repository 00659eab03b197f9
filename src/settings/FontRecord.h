#pragma once

#include "platform/text/TextAttributes.h"
#include "platform/text/WinColors.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFont>
#include <QString>

#include <array>
#include <stdexcept>

// A font as the settings and the style set keep it. Its size is a character
// height in pixels at a resolution of its own, as Windows fonts are held,
// so that "13 pixels" and "10 points at 96 dots per inch" are the same
// font; the colour is a COLORREF or a system-colour reference (see
// WinColors.h), kept unresolved.
struct FontSpec
{
    QString name = QStringLiteral("MS Sans Serif");
    int height = 11; // pixels
    quint32 color = wincolors::kWindowText;
    int charset = charset::Default;
    int style = 0; // fontstyle bits
    int pixelsPerInch = screenPixelsPerInch();

    // Points, rounded as Windows rounds them.
    int size() const;
    // A negative size counts as its magnitude; sizes beyond what a
    // rich-edit control can show are cut to the largest it can.
    void setSize(int points);

    // The face, size, style, colour and character set as the rich-edit
    // control takes them.
    CharAttributes toCharAttributes() const;
    // The font of attributes as the control or a font dialog gives them.
    static FontSpec fromCharAttributes(const CharAttributes &attrs);
    QFont toQFont() const;
    // The colour the font shows in now: a system colour as the running
    // system paints it.
    QColor shownColor() const;

    bool operator==(const FontSpec &) const = default;

    // The logical resolution of the primary screen, 96 without one.
    static int screenPixelsPerInch();
};

// Windows' MulDiv: a * b / c rounded half away from zero, without overflow
// on the way; -1 when c is 0.
int mulDiv(int a, int b, int c);

// The 40-byte binary form in which the settings keep a font, multi-byte
// numbers little-endian:
//   0  name length (0 to 20)     1 face name, single-byte ANSI, 20 bytes
//   24 colour (32 bits)          28 character set
//   32 size in points (signed)   36 style bits
// The other bytes are padding and carry no meaning.
namespace fontrecord {

constexpr int kSize = 40;
constexpr int kMaxName = 20;

using Record = std::array<quint8, kSize>;

// A record that cannot be read: its name length exceeds the room for it.
class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The stored bytes in a zeroed record: a shorter value fills it as far as
// it goes. Bytes beyond the record's size are not taken.
Record fromBytes(QByteArrayView bytes);
QByteArray toBytes(const Record &record);

// Fills the record from the font: character set, colour, the name cut to
// 20 characters, size and style. Padding is left as it was.
void write(Record &record, const FontSpec &font);

// Sets the font from the record: name, character set, colour, size and
// style; a stored size of 0 gives a font 8 pixels high. A name cut short
// by a zero byte ends there. Throws Error, leaving the font as it was,
// when the name length is beyond 20.
void read(FontSpec &font, const Record &record);

} // namespace fontrecord

// The editor font's style is stored as one of sixteen codes, one for each
// combination of bold, italic, underline and strike-out.
namespace stylecode {

// The style bits of a code; a code outside 0 to 15 gives a regular style.
int toStyle(int code);
// The code of a combination of style bits (other bits are ignored).
int fromStyle(int style);

} // namespace stylecode
