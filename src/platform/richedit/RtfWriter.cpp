#include "platform/richedit/RtfWriter.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/WinColors.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <optional>

namespace rtf {
namespace {

// A character run as it is written: the font by its table index, the colour
// by its table index (0 for the default colour).
struct RunFormat
{
    int font = 0;
    int halfPoints = 0;
    int style = 0;
    int color = 0;
    bool operator==(const RunFormat &) const = default;
};

// Text in these character sets is written in the ANSI code page.
bool usesAnsiCodePage(int charset)
{
    return charset == charset::Default || charset == charset::Russian;
}

// The character set a font is declared with: the one its text is written
// in. Readers take "default" (1) as their own code page and then ignore
// \ansicpg, so the ANSI code page's fonts are named Russian.
int declaredCharset(int charset)
{
    return usesAnsiCodePage(charset) ? charset::Russian : charset;
}

class Writer
{
public:
    Writer(const QTextDocument &doc, const CharAttributes &defaults, const QPalette &palette)
        : m_doc(doc)
        , m_defaults(defaults)
        , m_palette(palette)
    {}

    QByteArray write();

private:
    void collectTables();
    int fontIndex(const CharAttributes &a);
    int colorIndex(const QTextCharFormat &format, const CharAttributes &a);
    RunFormat runFormat(const QTextCharFormat &format);
    void writeHeader();
    void writeParagraph(const QTextBlock &block);
    void writeRunFormat(const RunFormat &f);
    void writeText(QStringView text, int charset);
    void writeHexByte(uchar b);

    const QTextDocument &m_doc;
    const CharAttributes m_defaults;
    const QPalette m_palette;
    QByteArray m_out;

    struct FontKey
    {
        QString name;
        int charset;
        bool operator==(const FontKey &) const = default;
    };
    QList<FontKey> m_fonts;
    QList<QColor> m_colors; // from index 1
    int m_symbolFont = -1;
    std::optional<RunFormat> m_last;
};

int Writer::fontIndex(const CharAttributes &a)
{
    const FontKey key{a.name, a.charset};
    const qsizetype i = m_fonts.indexOf(key);
    if (i >= 0)
        return int(i);
    m_fonts.append(key);
    return int(m_fonts.size()) - 1;
}

int Writer::colorIndex(const QTextCharFormat &format, const CharAttributes &a)
{
    // Text without a colour of its own keeps the reader's default colour.
    if (!format.hasProperty(QTextFormat::ForegroundBrush) &&
        !format.hasProperty(textformat::kColorRefProperty))
        return 0;
    const QColor c = wincolors::toColor(a.color, m_palette);
    const qsizetype i = m_colors.indexOf(c);
    if (i >= 0)
        return int(i) + 1;
    m_colors.append(c);
    return int(m_colors.size());
}

RunFormat Writer::runFormat(const QTextCharFormat &format)
{
    const CharAttributes a = textformat::fromCharFormat(format, m_defaults);
    return {fontIndex(a), a.size * 2, a.style, colorIndex(format, a)};
}

void Writer::collectTables()
{
    fontIndex(m_defaults);
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        if (b.textList() && m_symbolFont < 0) {
            m_symbolFont = fontIndex({QStringLiteral("Symbol"), 0, 0, 0, charset::Symbol});
        }
        for (auto it = b.begin(); !it.atEnd(); ++it)
            runFormat(it.fragment().charFormat());
    }
}

void Writer::writeHeader()
{
    m_out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\r\n{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" +
                 QByteArray::number(declaredCharset(m_fonts[i].charset)) + ' ';
        // A semicolon ends the name, whatever escapes it.
        QString name = m_fonts[i].name;
        writeText(name.remove(QLatin1Char(';')), m_fonts[i].charset);
        m_out += ";}";
    }
    m_out += "}\r\n{\\colortbl ;";
    for (const QColor &c : std::as_const(m_colors)) {
        m_out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) +
                 "\\blue" + QByteArray::number(c.blue()) + ';';
    }
    m_out += "}\r\n";
}

void Writer::writeParagraph(const QTextBlock &block)
{
    const ParaAttributes p =
        textformat::fromBlockFormat(block.blockFormat(), block.textList() != nullptr);
    m_out += "\\pard";
    switch (p.alignment) {
    case Alignment::Right:
        m_out += "\\qr";
        break;
    case Alignment::Center:
        m_out += "\\qc";
        break;
    case Alignment::Justify:
        m_out += "\\qj";
        break;
    case Alignment::Left:
        break;
    }
    // The other lines start at \li, the first line \fi from there.
    m_out += "\\fi" + QByteArray::number(-p.leftIndent) + "\\li" +
             QByteArray::number(p.firstIndent + p.leftIndent) + "\\ri" +
             QByteArray::number(p.rightIndent);
    if (p.numbering == Numbering::Bullet) {
        const QByteArray f = QByteArray::number(m_symbolFont);
        m_out += "{\\pntext\\f" + f + "\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + f +
                 "\\pnindent0{\\pntxtb\\'b7}}";
    }
    m_last.reset(); // a paragraph's runs state their format afresh
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const RunFormat f = runFormat(format);
        if (f != m_last) {
            writeRunFormat(f);
            m_last = f;
        }
        writeText(fragment.text(), m_fonts[f.font].charset);
    }
}

void Writer::writeRunFormat(const RunFormat &f)
{
    m_out += "\\plain\\f" + QByteArray::number(f.font) + "\\fs" + QByteArray::number(f.halfPoints);
    if (f.style & fontstyle::Bold)
        m_out += "\\b";
    if (f.style & fontstyle::Italic)
        m_out += "\\i";
    if (f.style & fontstyle::Underline)
        m_out += "\\ul";
    if (f.style & fontstyle::StrikeOut)
        m_out += "\\strike";
    if (f.color > 0)
        m_out += "\\cf" + QByteArray::number(f.color);
    m_out += ' ';
}

void Writer::writeHexByte(uchar b)
{
    static const char digits[] = "0123456789abcdef";
    m_out += "\\'";
    m_out += digits[b >> 4];
    m_out += digits[b & 15];
}

void Writer::writeText(QStringView text, int charset)
{
    const bool ansiBytes = usesAnsiCodePage(charset);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'\\':
            m_out += "\\\\";
            continue;
        case u'{':
            m_out += "\\{";
            continue;
        case u'}':
            m_out += "\\}";
            continue;
        case u'\t':
            m_out += "\\tab ";
            continue;
        case QChar::LineSeparator:
            m_out += "\\line ";
            continue;
        case 0x00A0:
            m_out += "\\~";
            continue;
        case 0x00AD:
            m_out += "\\-";
            continue;
        case 0x2011:
            m_out += "\\_";
            continue;
        default:
            break;
        }
        if (c >= 0x20 && c < 0x7F) {
            m_out += char(c);
            continue;
        }
        // Everything else goes out as Unicode, which readers that ignore
        // \ansicpg read right, with a stand-in for readers that know no
        // Unicode: the byte of the ANSI code page, or "?". Control
        // characters (DEL among them) go out this way too: code pages other
        // than the ANSI one do not all keep them as they are. \u takes a
        // signed 16-bit number.
        m_out += "\\u" + QByteArray::number(qint16(c));
        if (const int b = ansi::fromUnicode(c); c >= 0x80 && ansiBytes && b >= 0)
            writeHexByte(uchar(b));
        else
            m_out += '?';
    }
}

QByteArray Writer::write()
{
    collectTables();
    writeHeader();
    // Every paragraph ends with a break; readers take the last one as the
    // end of the text rather than the start of another paragraph.
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        writeParagraph(b);
        m_out += "\\par\r\n";
    }
    m_out += "}\r\n";
    return m_out;
}

} // namespace

QByteArray write(const QTextDocument &doc, const CharAttributes &defaults, const QPalette &palette)
{
    return Writer(doc, defaults, palette).write();
}

} // namespace rtf
