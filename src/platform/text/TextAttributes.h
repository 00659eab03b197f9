#pragma once

#include <QFlags>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

// Style bits of character attributes.
namespace fontstyle {
constexpr int Bold = 1;
constexpr int Italic = 2;
constexpr int Underline = 4;
constexpr int StrikeOut = 8;
} // namespace fontstyle

// Windows character sets that the program names.
namespace charset {
constexpr int Ansi = 0;
constexpr int Default = 1;
constexpr int Symbol = 2;
constexpr int Russian = 204;
} // namespace charset

// The largest font size the control holds, in points: sizes above it are
// taken as this size.
constexpr int kMaxPointSize = 1638;

// Character attributes: of a selection, or the control's defaults. An
// empty face name or a size below 1 leaves the face or size as it was.
struct CharAttributes
{
    QString name;                   // face name
    int size = 10;                  // points
    int style = 0;                  // fontstyle bits
    quint32 color = 0x80000008u;    // COLORREF or system-colour reference
    int charset = charset::Default; // Windows character set

    bool operator==(const CharAttributes &) const = default;
};

enum class CharField { Name = 1, Size = 2, Style = 4, Color = 8, Charset = 16 };
Q_DECLARE_FLAGS(CharFields, CharField)
Q_DECLARE_OPERATORS_FOR_FLAGS(CharFields)
constexpr CharFields kAllCharFields{0x1F};

enum class Alignment { Left = 0, Right = 1, Center = 2, Justify = 3 };
enum class Numbering { None = 0, Bullet = 1 };

// Paragraph attributes. Indents are kept in twips (20 to the point): the
// first line starts firstIndent from the left margin, the other lines at
// firstIndent + leftIndent; rightIndent is the distance from the right margin.
struct ParaAttributes
{
    Alignment alignment = Alignment::Left;
    Numbering numbering = Numbering::None;
    int firstIndent = 0;
    int leftIndent = 0;
    int rightIndent = 0;

    bool operator==(const ParaAttributes &) const = default;
};

enum class ParaField {
    Alignment = 1,
    Numbering = 2,
    FirstIndent = 4,
    LeftIndent = 8,
    RightIndent = 16
};
Q_DECLARE_FLAGS(ParaFields, ParaField)
Q_DECLARE_OPERATORS_FOR_FLAGS(ParaFields)
constexpr ParaFields kAllParaFields{0x1F};

// `base` with the given fields taken from `with`.
CharAttributes merged(const CharAttributes &base, const CharAttributes &with, CharFields fields);
ParaAttributes merged(const ParaAttributes &base, const ParaAttributes &with, ParaFields fields);

// Mapping between the attribute structs and Qt's text formats.
namespace textformat {

// Lengths in the text formats (indents, margins) are display units:
// pixels at this many to the inch, whatever the screen's resolution.
constexpr int kDisplayDpi = 96;

// Custom format properties that Qt has no room for.
constexpr int kCharsetProperty = QTextFormat::UserProperty + 1;
constexpr int kColorRefProperty = QTextFormat::UserProperty + 2;
constexpr int kFirstIndentProperty = QTextFormat::UserProperty + 3;
constexpr int kLeftIndentProperty = QTextFormat::UserProperty + 4;
constexpr int kRightIndentProperty = QTextFormat::UserProperty + 5;

// A font with the face, size and style of the attributes.
QFont toFont(const CharAttributes &attrs);

// The face of the desktop's general font. It stands in for MS Sans Serif,
// the Windows face the program's defaults name, which Linux lacks.
QString desktopFace();

// The style bits of a font.
int styleOf(const QFont &font);

// The format that carries the given fields of the attributes; colours
// are resolved through the palette.
QTextCharFormat toCharFormat(const CharAttributes &attrs, CharFields fields,
                             const QPalette &palette);

// The attributes of a character format, taking what it leaves unset from
// the defaults.
CharAttributes fromCharFormat(const QTextCharFormat &format, const CharAttributes &defaults);

// Writes alignment and indents into a block format: the indents are kept
// in twips and laid out for display, leaving room for a bullet when the
// attributes ask for one. List membership is the document's business.
void applyParagraph(QTextBlockFormat &format, const ParaAttributes &attrs);

ParaAttributes fromBlockFormat(const QTextBlockFormat &format, bool bulleted);

// The room a bulleted paragraph's first line leaves between where its bullet
// sits and where its text starts, in display units.
double bulletRoom(const QTextBlockFormat &format);

// The list format of bulleted paragraphs.
QTextListFormat bulletListFormat();

} // namespace textformat
