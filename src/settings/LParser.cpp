#include "settings/LParser.h"

#include "platform/richedit/TRichEdit.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kShortString = 2;

// The colours that prefixes name by number, from 1.
constexpr std::array<quint32, 20> kColorTable = {
    0xFFFFFF, // white
    0x000000, // black
    0xC0C0C0, // silver
    0x808080, // grey
    0x0000FF, // red
    0x000080, // maroon
    0x00FFFF, // yellow
    0x008080, // olive
    0x00FF00, // lime
    0x008000, // green
    0xFFFF00, // aqua
    0x808000, // teal
    0xFF0000, // blue
    0x800000, // navy
    0xFF00FF, // fuchsia
    0x800080, // purple
    0xC6DEC6, // light green-grey
    0xF7CEA5, // light blue
    0xF7FFFF, // cream
    0x808080, // grey again: never found, the first one is
};

constexpr quint32 kNavy = 0x800000;
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kOlive = 0x008080;

// The built-in prefixes are fixed texts of their own; their colour numbers
// refer to another table than the one above.
const std::array<QString, TLangParser::kStyleCount> kBuiltInPrefixes = {
    QStringLiteral("\\f0\\fs20 "), // normal
    QStringLiteral("{\\b "),       // keyword
    QStringLiteral("{\\cf3 "),     // number
    QStringLiteral("{\\cf10 "),    // string
    QStringLiteral("{\\cf5\\i "),  // comment
};

} // namespace

TLangParser::TLangParser(QObject *owner)
    : QObject(owner)
    , m_stringDelimiter(u'\'')
    , m_oneLineComment(QStringLiteral("//"))
    , m_commentStart(QStringLiteral("{"))
    , m_commentEnd(QStringLiteral("}"))
{
    m_normalFaceName = QStringLiteral("Courier New");
    m_prefixes = kBuiltInPrefixes;
    setUseDefaults(true);
    m_useCase = false;
}

int TLangParser::colorIndex(quint32 color)
{
    const auto it = std::find(kColorTable.begin(), kColorTable.end(), color);
    return it == kColorTable.end() ? 0 : int(it - kColorTable.begin()) + 1;
}

TRichEdit *TLangParser::RichEdit() const
{
    return m_richEdit.data();
}

void TLangParser::setRichEdit(TRichEdit *richEdit)
{
    m_richEdit = richEdit;
}

void TLangParser::setKeywords(const QStringList &keywords)
{
    m_keywords = keywords;
    if (m_parseType == ptOwn)
        m_ownKeywords = keywords;
}

void TLangParser::setCommentEnd(const QString &text)
{
    m_commentEnd = text.left(kShortString);
}

void TLangParser::setCommentStart(const QString &text)
{
    m_commentStart = text.left(kShortString);
}

void TLangParser::setOneLineComment(const QString &text)
{
    m_oneLineComment = text.left(kShortString);
}

void TLangParser::setUseDefaults(bool useDefaults)
{
    m_useDefaults = useDefaults;
    if (useDefaults)
        applyBuiltInStyles();
}

void TLangParser::applyBuiltInStyles()
{
    FontSpec &normal = m_fonts[Normal];
    normal.name = QStringLiteral("Courier New");
    normal.setSize(10);
    normal.style = 0;

    const auto derive = [&normal](int style, std::optional<quint32> color) {
        FontSpec font = normal;
        font.style = style;
        if (color)
            font.color = *color;
        return font;
    };
    m_fonts[Comment] = derive(fontstyle::Italic, kNavy);
    m_fonts[String] = derive(0, kRed);
    m_fonts[Keyword] = derive(fontstyle::Bold, std::nullopt);
    m_fonts[Number] = derive(0, kOlive);

    m_prefixes = kBuiltInPrefixes;
    for (int s = 0; s < kStyleCount; ++s)
        m_prefixLengths[size_t(s)] = int(m_prefixes[size_t(s)].size());
}

void TLangParser::setStyle(Style style, const FontSpec &font)
{
    m_useDefaults = false;
    QString prefix;
    if (style == Normal) {
        prefix = QStringLiteral("\\f0");
        m_normalFaceName = font.name;
    } else {
        prefix = QStringLiteral("{");
    }
    prefix += QStringLiteral("\\fs%1").arg(2 * font.size());
    prefix += QStringLiteral("\\cf%1").arg(colorIndex(font.color));
    if (font.style & fontstyle::Bold)
        prefix += QStringLiteral("\\b");
    if (font.style & fontstyle::Italic)
        prefix += QStringLiteral("\\i");
    if (font.style & fontstyle::Underline)
        prefix += QStringLiteral("\\ul");
    if (font.style & fontstyle::StrikeOut)
        prefix += QStringLiteral("\\strike");
    prefix += QLatin1Char(' ');

    m_fonts[style] = font;
    m_prefixes[style] = prefix;
    m_prefixLengths[style] = int(prefix.size());
}

void TLangParser::load(const Resource &resource)
{
    m_fonts[Comment] = resource.CommentStyle;
    m_fonts[Keyword] = resource.KeywordStyle;
    m_fonts[Normal] = resource.NormalStyle;
    m_fonts[Number] = resource.NumberStyle;
    m_fonts[String] = resource.StringStyle;
    m_useDefaults = resource.UseDefaults;
    setCommentEnd(resource.CommentEnd);
    setCommentStart(resource.CommentStart);
    setOneLineComment(resource.OneLineComment);
    m_stringDelimiter = resource.StringDelimiter;
    Loaded();
}

void TLangParser::Loaded()
{
    if (m_useDefaults) {
        applyBuiltInStyles();
        return;
    }
    for (const Style s : {Normal, Keyword, String, Comment, Number})
        setStyle(s, FontSpec(m_fonts[s]));
}
