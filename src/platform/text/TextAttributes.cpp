#include "platform/text/TextAttributes.h"

#include "platform/text/WinColors.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>

CharAttributes merged(const CharAttributes &base, const CharAttributes &with, CharFields fields)
{
    CharAttributes a = base;
    if ((fields & CharField::Name) && !with.name.isEmpty())
        a.name = with.name;
    if ((fields & CharField::Size) && with.size > 0)
        a.size = std::min(with.size, kMaxPointSize);
    if (fields & CharField::Style)
        a.style = with.style;
    if (fields & CharField::Color)
        a.color = with.color;
    if (fields & CharField::Charset)
        a.charset = with.charset;
    return a;
}

ParaAttributes merged(const ParaAttributes &base, const ParaAttributes &with, ParaFields fields)
{
    ParaAttributes p = base;
    if (fields & ParaField::Alignment)
        p.alignment = with.alignment;
    if (fields & ParaField::Numbering)
        p.numbering = with.numbering;
    if (fields & ParaField::FirstIndent)
        p.firstIndent = with.firstIndent;
    if (fields & ParaField::LeftIndent)
        p.leftIndent = with.leftIndent;
    if (fields & ParaField::RightIndent)
        p.rightIndent = with.rightIndent;
    return p;
}

namespace textformat {
namespace {

constexpr double kTwipsPerPixel = 1440.0 / kDisplayDpi;
// Room between a bullet and its text when the indents leave none.
constexpr int kBulletRoomTwips = 360;

double pixels(int twips)
{
    return twips / kTwipsPerPixel;
}

int twips(double pixels)
{
    return int(std::lround(pixels * kTwipsPerPixel));
}

// Lines never start left of the margin. A bullet sits where the first line
// starts and its text at the other lines' indent, or a little further on
// when that indent leaves no room.
int bulletStart(const ParaAttributes &attrs)
{
    return std::max(0, attrs.firstIndent);
}

// Where the first line's text starts, in twips from the margin.
int textStart(const ParaAttributes &attrs)
{
    const int first = bulletStart(attrs);
    if (attrs.numbering != Numbering::Bullet)
        return first;
    const int rest = std::max(0, attrs.firstIndent + attrs.leftIndent);
    return rest > first ? rest : first + kBulletRoomTwips;
}

Qt::Alignment toQt(Alignment a)
{
    switch (a) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Justify:
        return Qt::AlignJustify;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

Alignment fromQt(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return Alignment::Center;
    if (a & Qt::AlignJustify)
        return Alignment::Justify;
    if (a & Qt::AlignRight)
        return Alignment::Right;
    return Alignment::Left;
}

} // namespace

int styleOf(const QFont &font)
{
    int style = 0;
    if (font.bold())
        style |= fontstyle::Bold;
    if (font.italic())
        style |= fontstyle::Italic;
    if (font.underline())
        style |= fontstyle::Underline;
    if (font.strikeOut())
        style |= fontstyle::StrikeOut;
    return style;
}

QFont toFont(const CharAttributes &attrs)
{
    QFont font(attrs.name);
    if (attrs.size > 0)
        font.setPointSize(std::min(attrs.size, kMaxPointSize));
    font.setBold(attrs.style & fontstyle::Bold);
    font.setItalic(attrs.style & fontstyle::Italic);
    font.setUnderline(attrs.style & fontstyle::Underline);
    font.setStrikeOut(attrs.style & fontstyle::StrikeOut);
    return font;
}

QString desktopFace()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QTextCharFormat toCharFormat(const CharAttributes &attrs, CharFields fields,
                             const QPalette &palette)
{
    QTextCharFormat f;
    if ((fields & CharField::Name) && !attrs.name.isEmpty())
        f.setFontFamilies({attrs.name});
    if ((fields & CharField::Size) && attrs.size > 0)
        f.setFontPointSize(std::min(attrs.size, kMaxPointSize));
    if (fields & CharField::Style) {
        f.setFontWeight(attrs.style & fontstyle::Bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(attrs.style & fontstyle::Italic);
        f.setFontUnderline(attrs.style & fontstyle::Underline);
        f.setFontStrikeOut(attrs.style & fontstyle::StrikeOut);
    }
    if (fields & CharField::Color) {
        f.setForeground(wincolors::toColor(attrs.color, palette));
        f.setProperty(kColorRefProperty, attrs.color);
    }
    if (fields & CharField::Charset)
        f.setProperty(kCharsetProperty, attrs.charset);
    return f;
}

CharAttributes fromCharFormat(const QTextCharFormat &format, const CharAttributes &defaults)
{
    CharAttributes a = defaults;
    const QFont font = format.font();
    const QFont::ResolveProperties set = QFont::ResolveProperties(font.resolveMask());
    if (format.hasProperty(QTextFormat::FontFamilies) ||
        format.hasProperty(QTextFormat::FontFamily))
        a.name = font.family();
    if (format.hasProperty(QTextFormat::FontPointSize))
        a.size = int(std::lround(format.fontPointSize()));
    const int explicitStyle = styleOf(font);
    const auto take = [&](QFont::ResolveProperties p, int bit) {
        if (set & p)
            a.style = (a.style & ~bit) | (explicitStyle & bit);
    };
    take(QFont::WeightResolved, fontstyle::Bold);
    take(QFont::StyleResolved, fontstyle::Italic);
    take(QFont::UnderlineResolved, fontstyle::Underline);
    take(QFont::StrikeOutResolved, fontstyle::StrikeOut);
    if (format.hasProperty(kColorRefProperty))
        a.color = format.property(kColorRefProperty).toUInt();
    else if (format.hasProperty(QTextFormat::ForegroundBrush))
        a.color = wincolors::fromColor(format.foreground().color());
    if (format.hasProperty(kCharsetProperty))
        a.charset = format.intProperty(kCharsetProperty);
    return a;
}

void applyParagraph(QTextBlockFormat &format, const ParaAttributes &attrs)
{
    format.setAlignment(toQt(attrs.alignment));
    format.setProperty(kFirstIndentProperty, attrs.firstIndent);
    format.setProperty(kLeftIndentProperty, attrs.leftIndent);
    format.setProperty(kRightIndentProperty, attrs.rightIndent);

    const int rest = std::max(0, attrs.firstIndent + attrs.leftIndent);
    format.setLeftMargin(pixels(rest));
    format.setTextIndent(pixels(textStart(attrs) - rest));
    format.setRightMargin(pixels(std::max(0, attrs.rightIndent)));
}

double bulletRoom(const QTextBlockFormat &format)
{
    if (!format.hasProperty(kFirstIndentProperty))
        return pixels(kBulletRoomTwips);
    const ParaAttributes p = fromBlockFormat(format, true);
    return pixels(textStart(p) - bulletStart(p));
}

ParaAttributes fromBlockFormat(const QTextBlockFormat &format, bool bulleted)
{
    ParaAttributes p;
    p.alignment = fromQt(format.alignment());
    p.numbering = bulleted ? Numbering::Bullet : Numbering::None;
    if (format.hasProperty(kFirstIndentProperty)) {
        p.firstIndent = format.intProperty(kFirstIndentProperty);
        p.leftIndent = format.intProperty(kLeftIndentProperty);
        p.rightIndent = format.intProperty(kRightIndentProperty);
    } else {
        p.firstIndent = twips(format.leftMargin() + format.textIndent());
        p.leftIndent = -twips(format.textIndent());
        p.rightIndent = twips(format.rightMargin());
    }
    return p;
}

QTextListFormat bulletListFormat()
{
    // The bullet is drawn in the room the indents leave, so the list adds none.
    QTextListFormat f;
    f.setStyle(QTextListFormat::ListDisc);
    f.setIndent(0);
    return f;
}

} // namespace textformat
