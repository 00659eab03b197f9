#include "platform/richedit/RtfWriter.h"

#include "platform/richedit/Pictures.h"
#include "platform/richedit/RtfObjects.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/WinColors.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

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

bool isCyrillic(QChar c)
{
    return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF;
}

// The width a table's text takes when nothing says otherwise: A4 paper less
// margins of 2 cm.
constexpr double kTextWidthTwips = 9638;
constexpr int kBulletRoomTwips = 360;

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
    int declaredCharset(int font) const;
    void writeHeader();
    void writeListTable();
    void writeFrame(const QTextFrame &frame, bool inTable);
    void writeTable(const QTextTable &table);
    void writeRowDefinition(const QTextTable &table, int row, const QList<double> &widths);
    void writeParagraph(const QTextBlock &block, bool inTable);
    void writeBullet(const ParaAttributes &p);
    void writeRuns(const QTextBlock &block);
    void writeObject(const QTextCharFormat &format);
    void writeRunFormat(const RunFormat &f);
    void writeText(QStringView text, int font);
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
    // Fonts with Cyrillic text, whatever character set they came with.
    QList<bool> m_cyrillic;
    QList<QColor> m_colors; // from index 1
    int m_symbolFont = -1;
};

int Writer::fontIndex(const CharAttributes &a)
{
    const FontKey key{a.name, a.charset};
    const qsizetype i = m_fonts.indexOf(key);
    if (i >= 0)
        return int(i);
    m_fonts.append(key);
    m_cyrillic.append(false);
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
    const QString text = m_doc.toRawText();
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        if (b.textList() && m_symbolFont < 0) {
            m_symbolFont = fontIndex({QStringLiteral("Symbol"), 0, 0, 0, charset::Symbol});
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int font = runFormat(f.charFormat()).font;
            const QStringView run = QStringView(text).sliced(f.position(), f.length());
            if (!m_cyrillic[font] && std::any_of(run.begin(), run.end(), isCyrillic))
                m_cyrillic[font] = true;
        }
    }
}

// The character set a font is declared with: the one its text is written
// in. Readers take "default" (1) as their own code page and then ignore
// \ansicpg, so the ANSI code page's fonts are named Russian; so is a font
// of another set that holds Cyrillic text, so that its letters get bytes of
// the code page for readers that know no Unicode, and not "?".
int Writer::declaredCharset(int font) const
{
    const int charset = m_fonts[font].charset;
    return usesAnsiCodePage(charset) || m_cyrillic[font] ? charset::Russian : charset;
}

void Writer::writeHeader()
{
    m_out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\r\n{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" +
                 QByteArray::number(declaredCharset(int(i))) + ' ';
        // A semicolon ends the name, whatever escapes it.
        QString name = m_fonts[i].name;
        writeText(name.remove(QLatin1Char(';')), int(i));
        m_out += ";}";
    }
    m_out += "}\r\n{\\colortbl ;";
    for (const QColor &c : std::as_const(m_colors)) {
        m_out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) +
                 "\\blue" + QByteArray::number(c.blue()) + ';';
    }
    m_out += "}\r\n";
    if (m_symbolFont >= 0)
        writeListTable();
}

// One list of bullets that bulleted paragraphs belong to: word processors
// that know lists (\ls) read them as a list, older ones as \pn numbering.
void Writer::writeListTable()
{
    const QByteArray symbol = QByteArray::number(m_symbolFont);
    m_out += "{\\*\\listtable{\\list\\listtemplateid1\\listhybrid{\\listlevel\\levelnfc23"
             "\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
             "{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f" +
             symbol +
             "\\fi-360\\li720}\\listid1}}\r\n"
             "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\r\n";
}

void Writer::writeParagraph(const QTextBlock &block, bool inTable)
{
    const ParaAttributes p =
        textformat::fromBlockFormat(block.blockFormat(), block.textList() != nullptr);
    m_out += inTable ? "\\pard\\intbl" : "\\pard";
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
    if (p.numbering == Numbering::Bullet) {
        writeBullet(p);
    } else {
        // The other lines start at \li, the first line \fi from there.
        m_out += "\\fi" + QByteArray::number(-p.leftIndent) + "\\li" +
                 QByteArray::number(p.firstIndent + p.leftIndent) + "\\ri" +
                 QByteArray::number(p.rightIndent);
    }
    writeRuns(block);
}

// A bulleted paragraph hangs: the bullet stands at the first line's indent
// and the text at a tab stop where the other lines start, as word processors
// write it.
void Writer::writeBullet(const ParaAttributes &p)
{
    const int hanging = p.leftIndent > 0 ? p.leftIndent : kBulletRoomTwips;
    const QByteArray text = QByteArray::number(p.firstIndent + hanging);
    const QByteArray f = QByteArray::number(m_symbolFont);
    m_out += "\\fi" + QByteArray::number(-hanging) + "\\li" + text + "\\ri" +
             QByteArray::number(p.rightIndent) + "\\tx" + text + "\\ls1{\\listtext\\f" + f +
             "\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + f + "\\pnindent" + QByteArray::number(hanging) +
             "\\pnhang{\\pntxtb\\'b7}}";
}

// Each run is a group of its own that states its whole format: a reader
// keeps nothing of it for the next run, and nothing of the paragraph's
// formatting is reset (\plain would end a table paragraph for some readers).
void Writer::writeRuns(const QTextBlock &block)
{
    std::optional<RunFormat> open;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat() || format.objectType() != QTextFormat::NoObject) {
            if (open)
                m_out += '}';
            open.reset();
            for (qsizetype i = 0; i < fragment.length(); ++i)
                writeObject(format);
            continue;
        }
        const RunFormat f = runFormat(format);
        if (f != open) {
            if (open)
                m_out += '}';
            m_out += '{';
            writeRunFormat(f);
            open = f;
        }
        writeText(fragment.text(), f.font);
    }
    if (open)
        m_out += '}';
}

void Writer::writeObject(const QTextCharFormat &format)
{
    if (const QByteArray group = pictures::rtfGroup(format); !group.isEmpty()) {
        m_out += group;
        return;
    }
    if (!format.isImageFormat())
        return;
    QByteArray data = pictures::encodedData(format);
    if (data.isEmpty()) {
        // An image that came without its file: it goes out as PNG.
        const QImage image =
            m_doc.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                .value<QImage>();
        QBuffer buffer(&data);
        if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            return;
    }
    m_out += rtf::pictureGroup(data, pictures::sizeInTwips(format));
}

void Writer::writeFrame(const QTextFrame &frame, bool inTable)
{
    for (auto it = frame.begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            // A table's own frame inside a cell would be a table in a table,
            // which is written as text of the cell.
            if (const auto *table = qobject_cast<const QTextTable *>(child); table && !inTable)
                writeTable(*table);
            else
                writeFrame(*child, inTable);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        auto next = it;
        ++next;
        // A document that starts with a table holds an empty paragraph
        // before it that no file had.
        if (!inTable && block == m_doc.begin() && block.length() == 1 && !next.atEnd() &&
            next.currentFrame())
            continue;
        writeParagraph(block, inTable);
        // In a cell, the cell's end closes its last paragraph.
        if (!inTable || !next.atEnd())
            m_out += "\\par\r\n";
    }
}

void Writer::writeTable(const QTextTable &table)
{
    // Column widths, in twips, as the table's format gives them.
    const QTextTableFormat format = table.format();
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<double> widths;
    for (int c = 0; c < table.columns(); ++c) {
        const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
        double twips = kTextWidthTwips / table.columns();
        if (length.type() == QTextLength::FixedLength)
            twips = length.rawValue() * pictures::kTwipsPerPixel;
        else if (length.type() == QTextLength::PercentageLength)
            twips = length.rawValue() * kTextWidthTwips / 100;
        widths.append(std::max(twips, 1.0));
    }
    for (int r = 0; r < table.rows(); ++r) {
        writeRowDefinition(table, r, widths);
        for (int c = 0; c < table.columns();) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() == r) {
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (const QTextFrame *child = it.currentFrame()) {
                        writeFrame(*child, true);
                    } else {
                        writeParagraph(it.currentBlock(), true);
                        auto next = it;
                        ++next;
                        if (!next.atEnd())
                            m_out += "\\par ";
                    }
                }
            } else {
                m_out += "\\pard\\intbl"; // covered by the cell above
            }
            m_out += "\\cell ";
            c += cell.columnSpan();
        }
        m_out += "\\row\r\n";
    }
}

void Writer::writeRowDefinition(const QTextTable &table, int row, const QList<double> &widths)
{
    static const char border[] = "\\brdrs\\brdrw10";
    const bool borders = table.format().border() > 0;
    m_out += "\\trowd\\trgaph108\\trleft0";
    double right = 0;
    for (int c = 0; c < table.columns();) {
        const QTextTableCell cell = table.cellAt(row, c);
        if (cell.rowSpan() > 1)
            m_out += cell.row() == row ? "\\clvmgf" : "\\clvmrg";
        if (borders) {
            for (const char *side : {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"})
                m_out += QByteArray(side) + border;
        }
        for (int i = 0; i < cell.columnSpan(); ++i)
            right += widths[c + i];
        m_out += "\\cellx" + QByteArray::number(qRound(right));
        c += cell.columnSpan();
    }
    m_out += "\r\n";
}

void Writer::writeRunFormat(const RunFormat &f)
{
    m_out += "\\f" + QByteArray::number(f.font) + "\\fs" + QByteArray::number(f.halfPoints);
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

void Writer::writeText(QStringView text, int font)
{
    const bool ansiBytes = declaredCharset(font) == charset::Russian;
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
    writeFrame(*m_doc.rootFrame(), false);
    m_out += "}\r\n";
    return m_out;
}

} // namespace

QByteArray write(const QTextDocument &doc, const CharAttributes &defaults, const QPalette &palette)
{
    return Writer(doc, defaults, palette).write();
}

} // namespace rtf
