#include "platform/richedit/RtfReader.h"

#include "platform/richedit/Pictures.h"
#include "platform/richedit/RtfLexer.h"
#include "platform/richedit/RtfObjects.h"
#include "platform/richedit/TableBuilder.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/TextAttributes.h"

#include <QHash>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace rtf {
namespace {

// Groups nested deeper than this are skipped whole, so that a hostile file
// cannot make the state stack grow without bound.
constexpr int kMaxDepth = 10000;
// "Number formats" of list levels (\\levelnfc).
constexpr int kDecimalFormat = 0;
constexpr int kUpperRomanFormat = 1;
constexpr int kLowerRomanFormat = 2;
constexpr int kUpperLetterFormat = 3;
constexpr int kLowerLetterFormat = 4;
constexpr int kLeadingZeroFormat = 22;
constexpr int kBulletLevelFormat = 23;
constexpr int kNoNumberFormat = 255;
constexpr int kUnsetLevelFormat = -1;
constexpr int kListLevels = 9;

constexpr int kAnsiCodePage = 1251;
constexpr int kNoFont = std::numeric_limits<int>::min();

// Windows code page of a font character set; 0 where the document's own
// code page applies.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return 42; // symbol
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
    case 130:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

const char *codecName(int codePage)
{
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 874:
        return "windows-874";
    case 932:
        return "windows-932";
    case 936:
        return "windows-936";
    case 949:
        return "windows-949";
    case 950:
        return "windows-950";
    case 10000:
        return "macintosh";
    case 10007:
        return "x-mac-cyrillic";
    default:
        return nullptr;
    }
}

// Turns bytes of a code page into text. Windows-1251 goes through the
// program's own lossless table; the symbol set keeps its byte values; the
// rest go through the system's converters, Latin-1 standing in for any it
// does not know.
class Decoders
{
public:
    QString decode(int codePage, QByteArrayView bytes)
    {
        if (codePage == kAnsiCodePage)
            return ansi::decode(bytes);
        if (codePage == 42)
            return QString::fromLatin1(bytes);
        auto it = m_decoders.find(codePage);
        if (it == m_decoders.end()) {
            QByteArray name = codecName(codePage);
            if (name.isEmpty())
                name = "windows-" + QByteArray::number(codePage);
            auto decoder = std::make_unique<QStringDecoder>(name.constData(),
                                                            QStringConverter::Flag::Stateless);
            if (!decoder->isValid())
                decoder.reset();
            it = m_decoders.emplace(codePage, std::move(decoder)).first;
        }
        if (!it->second)
            return QString::fromLatin1(bytes);
        return it->second->decode(bytes);
    }

private:
    std::unordered_map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

enum class Dest : quint8 {
    Text,              // document text
    Ignore,            // read but nothing comes of it
    FontTable,         // \fonttbl
    ColorTable,        // \colortbl
    ListTable,         // \listtable
    ListOverrideTable, // \listoverridetable
    LevelText,         // \leveltext of a list level
    Numbering,         // \pn
    ListText,          // \listtext, \pntext: a paragraph's number as text
};

struct CharProps
{
    int font = -1;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;

    bool operator==(const CharProps &) const = default;
};

struct ParaProps
{
    Alignment alignment = Alignment::Left;
    int firstIndent = 0; // \fi: first line relative to the others
    int leftIndent = 0;  // \li
    int rightIndent = 0; // \ri
    bool bullet = false;
    int list = 0;       // \ls
    int level = 0;      // \ilvl
    int tableLevel = 0; // \intbl, \itap: 1 in a table, 2 in a table in a table
};

struct State
{
    Dest dest = Dest::Text;
    CharProps chr;
    ParaProps para;
    int uc = 1;
};

struct Font
{
    QByteArray rawName;
    QString name;
    int charset = -1;
    int codePage = 0;
};

struct ListLevel
{
    int format = kUnsetLevelFormat;
    int startAt = 1;
    int follow = 0;    // after the number: 0 a tab, 1 a space, 2 nothing
    QByteArray text{}; // a length byte, then text with level numbers as bytes 0 to 8
};

struct ListDefinition
{
    std::vector<ListLevel> levels;
    // The number each level reached; none where it starts afresh.
    std::array<std::optional<int>, kListLevels> counts{};
};

QString romanNumeral(int n)
{
    static const std::pair<int, const char *> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString out;
    for (const auto &[value, digits] : parts) {
        for (; n >= value; n -= value)
            out += QLatin1String(digits);
    }
    return out;
}

// A list item's number as its level's format writes it; decimal where the
// format has no way to write it.
QString listNumber(int n, int format)
{
    constexpr int kMaxLetterNumber = 26 * 10; // "zzzzzzzzzz"
    switch (format) {
    case kUpperRomanFormat:
    case kLowerRomanFormat:
        if (n >= 1 && n < 4000) {
            const QString r = romanNumeral(n);
            return format == kUpperRomanFormat ? r.toUpper() : r;
        }
        break;
    case kUpperLetterFormat:
    case kLowerLetterFormat:
        // a to z, then aa to zz, and so on.
        if (n >= 1 && n <= kMaxLetterNumber) {
            const char16_t first = format == kUpperLetterFormat ? u'A' : u'a';
            return QString((n - 1) / 26 + 1, QChar(char16_t(first + (n - 1) % 26)));
        }
        break;
    case kLeadingZeroFormat:
        if (n >= 0 && n < 10)
            return QLatin1Char('0') + QString::number(n);
        break;
    default:
        break;
    }
    return QString::number(n);
}

struct TableSize
{
    int rows;
    int columns;
};

// The rows and columns of the table that starts at `pos`, as far as a quick
// look tells: rows go on while each \row is followed by \intbl or \trowd
// before any text. The reader builds the table this size at once, since Qt
// adds and removes rows in time proportional to the table's size; where
// the look was wrong the table grows or sheds rows as it ends. `pos` ends
// where the look ended.
TableSize tableSize(QByteArrayView in, qsizetype &pos)
{
    TableSize size{0, 1};
    int cellsDefined = 0;
    bool afterRow = false; // a row ended, and no text or cell came since
    bool goesOn = false;   // the table's words came since the last row ended
    const qsizetype n = in.size();
    while (pos < n) {
        const char c = in[pos++];
        bool content = false;
        if (c == '\\' && pos < n && isLetter(in[pos])) {
            const ControlWord w = readControlWord(in, pos);
            if (w.word == "bin" && w.param > 0) {
                pos += std::min<qsizetype>(w.param, n - pos);
            } else if (w.word == "row") {
                ++size.rows;
                afterRow = true;
                goesOn = false;
            } else if (w.word == "trowd") {
                cellsDefined = 0;
                goesOn = true;
            } else if (w.word == "cellx") {
                size.columns = std::max(size.columns, ++cellsDefined);
            } else if (w.word == "intbl" || (w.word == "itap" && w.param > 0)) {
                goesOn = true;
            } else {
                content = w.word == "par" || w.word == "cell";
            }
        } else {
            content = c == '\\' || (c != '{' && c != '}' && c != ' ' && c != '\r' && c != '\n');
        }
        if (content && afterRow) {
            if (!goesOn)
                break;
            afterRow = false;
        }
    }
    return {std::max(size.rows, 1), std::min(size.columns, TableBuilder::kMaxColumns)};
}

class Reader
{
public:
    Reader(QByteArrayView in, QTextDocument &doc)
        : m_in(in)
        , m_cursor(&doc)
        , m_tables(m_cursor)
    {}

    void run(qsizetype start);
    const Losses &losses() const { return m_losses; }

private:
    // Tokens
    void controlWord(QByteArrayView word, bool hasParam, int param);
    void controlSymbol(char c);
    void textByte(uchar b);
    void openGroup();
    void closeGroup();
    void skipGroup();

    // Destinations
    bool destination(QByteArrayView word, bool starred);
    void fontTableWord(QByteArrayView word, int param);
    void colorTableWord(QByteArrayView word, int param);
    void listWord(QByteArrayView word, int param);

    // Formatting
    bool charWord(QByteArrayView word, bool hasParam, int param);
    bool paraWord(QByteArrayView word, int param);
    bool tableWord(QByteArrayView word, int param);

    // Pictures and objects
    bool startsGroup() const;
    void objectGroup(QByteArrayView word);
    void emitObject(const QTextCharFormat &format);

    // Tables
    void placeContent();
    void beginTable();
    void endTable();
    void endCell();
    void endRow();

    // Output
    void emitText(const QString &text);
    void emitChar(char16_t c);
    void flushBytes();
    void flushRun();
    void paragraphBreak();
    void realizeBreak();
    void finishParagraph(const ParaProps &p);
    QTextCharFormat charFormat(const CharProps &props);
    bool isBullet(const ParaProps &para) const;
    // The list a paragraph belongs to, as an index into m_lists; -1 for none.
    int listIndexOf(const ParaProps &para) const;
    QString countListItem(const ParaProps &para);
    void keepListText(bool bullet, const ParaProps &para);
    int codePageOf(int font);
    void finishFontName();

    State &state() { return m_stack.back(); }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<State> m_stack;
    qsizetype m_groupStart = -1; // the brace of the group opened last
    qsizetype m_wordStart = -1;  // the backslash of the control word being read
    bool m_starPending = false;
    int m_ucSkip = 0;
    bool m_done = false;

    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, Font> m_fonts;
    int m_currentFont = -1;
    int m_cachedFont = kNoFont;
    int m_cachedCodePage = 0;
    std::vector<QColor> m_colors; // an invalid colour is "auto"
    int m_red = -1, m_green = -1, m_blue = -1;
    std::vector<ListDefinition> m_lists;
    QHash<int, int> m_listIds;       // \listid -> index into m_lists
    QHash<int, int> m_listOverrides; // \ls -> \listid
    int m_pendingListId = 0;

    Decoders m_decoders;
    QByteArray m_bytes; // text bytes not decoded yet
    int m_bytesCodePage = 0;
    QString m_run; // decoded text not inserted yet
    CharProps m_runProps;
    bool m_breakPending = false;
    int m_cellsPending = 0; // of a table inside a table, kept as tabs
    ParaProps m_paraProps;  // of the paragraph being read, as last seen
    ParaProps m_breakProps; // of the paragraph a pending break ends
    QTextList *m_list = nullptr;
    // Where the paragraph's own list text lies in the document, if it has one.
    int m_listTextStart = -1;
    int m_listTextEnd = -1;

    TableBuilder m_tables;
    RowDefinition m_row;
    bool m_rowDefined = false;      // a \trowd that no \row ended yet
    bool m_cellBorder = false;      // a cell border is being described
    bool m_cellMergedAbove = false; // \clvmrg came for the cell being described
    bool m_inNestedTable = false;
    qsizetype m_countedUpTo = 0; // where the last count of a table's rows ended
    Losses m_losses;

    CharProps m_formatKey;
    QTextCharFormat m_format;
    bool m_formatValid = false;
};

void Reader::run(qsizetype start)
{
    m_cursor.beginEditBlock();
    m_stack.reserve(64);
    m_stack.push_back(State{});
    m_pos = start;
    const qsizetype n = m_in.size();
    while (m_pos < n && !m_done) {
        const char c = m_in[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            openGroup();
            break;
        case '}':
            ++m_pos;
            closeGroup();
            break;
        case '\\': {
            ++m_pos;
            if (m_pos >= n)
                break;
            const char next = m_in[m_pos];
            if (isLetter(next)) {
                m_wordStart = m_pos - 1;
                const ControlWord w = readControlWord(m_in, m_pos);
                controlWord(w.word, w.hasParam, w.param);
            } else {
                ++m_pos;
                controlSymbol(next);
            }
            break;
        }
        case '\r':
        case '\n':
        case '\0': // raw line ends and padding are no text
            ++m_pos;
            break;
        default:
            ++m_pos;
            if (m_ucSkip > 0)
                --m_ucSkip; // the stand-in for a Unicode character
            else
                textByte(uchar(c));
            break;
        }
    }
    flushBytes();
    flushRun();
    // A break that nothing follows adds no paragraph.
    finishParagraph(m_breakPending ? m_breakProps : m_paraProps);
    if (m_tables.active())
        m_tables.end();
    m_cursor.endEditBlock();
}

void Reader::openGroup()
{
    flushBytes();
    m_groupStart = m_pos - 1;
    m_ucSkip = 0;
    if (int(m_stack.size()) >= kMaxDepth) {
        skipGroup();
        return;
    }
    m_stack.push_back(m_stack.back());
    m_starPending = false;
}

void Reader::closeGroup()
{
    flushBytes();
    m_ucSkip = 0;
    m_starPending = false;
    if (m_stack.size() <= 1) {
        m_done = true; // the document's own group is closed
        return;
    }
    const State closed = m_stack.back();
    m_stack.pop_back();
    State &outer = m_stack.back();
    switch (closed.dest) {
    case Dest::FontTable:
        // An entry may end with its group instead of a semicolon.
        if (m_currentFont >= 0 && m_fonts[m_currentFont].name.isEmpty())
            finishFontName();
        break;
    case Dest::Numbering:
        // A \pn group describes the paragraph it stands in.
        if (outer.dest == Dest::Text) {
            outer.para.bullet = closed.para.bullet;
            m_paraProps = outer.para;
        }
        break;
    case Dest::ListText:
        if (m_listTextStart >= 0) {
            flushRun();
            m_listTextEnd = m_cursor.position();
        }
        break;
    default:
        break;
    }
}

// Skips the rest of the group just opened (or being read), nested groups
// and all, without keeping any state for them.
void Reader::skipGroup()
{
    rtf::skipGroup(m_in, m_pos);
}

void Reader::controlWord(QByteArrayView word, bool hasParam, int param)
{
    flushBytes();
    const bool starred = m_starPending;
    m_starPending = false;
    if (word == "bin") {
        // Raw bytes: never text, and never to be read as RTF.
        if (hasParam && param > 0)
            m_pos += std::min<qsizetype>(param, m_in.size() - m_pos);
        return;
    }
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    if (destination(word, starred))
        return;

    switch (state().dest) {
    case Dest::FontTable:
        fontTableWord(word, param);
        return;
    case Dest::ColorTable:
        colorTableWord(word, param);
        return;
    case Dest::ListTable:
    case Dest::ListOverrideTable:
        listWord(word, param);
        return;
    case Dest::Numbering:
        if (word == "pnlvlblt")
            state().para.bullet = true;
        return;
    case Dest::Ignore:
    case Dest::LevelText:
        return;
    case Dest::Text:
    case Dest::ListText:
        break;
    }

    // A list text's own paragraph formatting is not the paragraph's.
    if (charWord(word, hasParam, param) ||
        (state().dest == Dest::Text && (paraWord(word, param) || tableWord(word, param))))
        return;

    if (word == "u") {
        if (param >= -32768 && param <= 65535)
            emitChar(char16_t(param < 0 ? param + 65536 : param));
        m_ucSkip = state().uc;
    } else if (word == "uc") {
        state().uc = std::clamp(param, 0, 32);
    } else if (word == "par" || word == "sect" || word == "page" || word == "column") {
        paragraphBreak();
    } else if (word == "row") {
        endRow();
    } else if (word == "cell") {
        endCell();
    } else if (word == "nestrow") {
        m_cellsPending = 0;
        paragraphBreak();
    } else if (word == "nestcell") {
        // A table inside a table is kept as text: its cells apart by tabs,
        // its rows as paragraphs of the cell around it.
        if (!std::exchange(m_inNestedTable, true))
            ++m_losses.nestedTables;
        ++m_cellsPending;
    } else if (word == "tab") {
        emitChar(u'\t');
    } else if (word == "line") {
        emitChar(QChar::LineSeparator);
    } else if (word == "emdash") {
        emitChar(0x2014);
    } else if (word == "endash") {
        emitChar(0x2013);
    } else if (word == "bullet") {
        emitChar(0x2022);
    } else if (word == "lquote") {
        emitChar(0x2018);
    } else if (word == "rquote") {
        emitChar(0x2019);
    } else if (word == "ldblquote") {
        emitChar(0x201C);
    } else if (word == "rdblquote") {
        emitChar(0x201D);
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        emitChar(u' ');
    } else if (word == "ansi") {
        m_ansiCodePage = 1252;
    } else if (word == "mac") {
        m_ansiCodePage = 10000;
    } else if (word == "pc") {
        m_ansiCodePage = 437;
    } else if (word == "pca") {
        m_ansiCodePage = 850;
    } else if (word == "ansicpg") {
        if (param > 0)
            m_ansiCodePage = param;
    } else if (word == "deff") {
        m_defaultFont = param;
        state().chr.font = param;
    }
}

// The skipped destinations that hold text the user wrote, which a save
// would drop.
bool isUsersText(QByteArrayView word)
{
    return word.startsWith("header") || word.startsWith("footer") || word == "footnote" ||
           word == "annotation";
}

// Opens a destination when the word names one at the start of a group.
bool Reader::destination(QByteArrayView word, bool starred)
{
    static const QByteArrayView skipped[] = {
        "stylesheet",   "info",      "header",     "headerl",
        "headerr",      "headerf",   "footer",     "footerl",
        "footerr",      "footerf",   "footnote",   "pict",
        "object",       "fldinst",   "xe",         "tc",
        "txe",          "rxe",       "nonshppict", "shp",
        "do",           "template",  "revtbl",     "rsidtbl",
        "pgdsctbl",     "filetbl",   "upr",        "ftnsep",
        "ftnsepc",      "aftnsep",   "aftnsepc",   "annotation",
        "atnauthor",    "atndate",   "atnid",      "comment",
        "title",        "author",    "operator",   "keywords",
        "subject",      "doccomm",   "themedata",  "colorschememapping",
        "latentstyles", "datastore", "xmlnstbl",   "generator",
        "bkmkstart",    "bkmkend",   "private",
    };
    const bool inText = state().dest == Dest::Text || state().dest == Dest::ListText;
    if (inText && m_stack.size() > 1 && isObjectDestination(word) && startsGroup()) {
        objectGroup(word);
        return true;
    }
    Dest dest;
    if (word == "fonttbl") {
        dest = Dest::FontTable;
    } else if (word == "colortbl") {
        dest = Dest::ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
    } else if (word == "listtable") {
        dest = Dest::ListTable;
    } else if (word == "listoverridetable") {
        dest = Dest::ListOverrideTable;
    } else if (word == "pn") {
        dest = Dest::Numbering;
        state().para.bullet = false;
    } else if (word == "listtext" || word == "pntext") {
        dest = state().dest == Dest::Text ? Dest::ListText : Dest::Ignore;
    } else if (word == "leveltext" && state().dest == Dest::ListTable) {
        dest = Dest::LevelText;
    } else if (starred ||
               std::find(std::begin(skipped), std::end(skipped), word) != std::end(skipped)) {
        if (!starred && isUsersText(word))
            ++m_losses.droppedParts;
        skipGroup();
        m_stack.pop_back();
        if (m_stack.empty())
            m_stack.push_back(State{});
        return true;
    } else {
        return false;
    }
    state().dest = dest;
    return true;
}

void Reader::fontTableWord(QByteArrayView word, int param)
{
    m_cachedFont = kNoFont;
    if (word == "f") {
        m_currentFont = param;
        m_fonts[param] = Font{};
    } else if (word == "fcharset" && m_currentFont >= 0) {
        m_fonts[m_currentFont].charset = param;
        m_fonts[m_currentFont].codePage = codePageOfCharset(param);
    } else if (word == "cpg" && m_currentFont >= 0 && param > 0) {
        m_fonts[m_currentFont].codePage = param;
    }
}

void Reader::colorTableWord(QByteArrayView word, int param)
{
    const int v = std::clamp(param, 0, 255);
    if (word == "red")
        m_red = v;
    else if (word == "green")
        m_green = v;
    else if (word == "blue")
        m_blue = v;
}

void Reader::listWord(QByteArrayView word, int param)
{
    if (state().dest == Dest::ListOverrideTable) {
        if (word == "listid")
            m_pendingListId = param;
        else if (word == "ls")
            m_listOverrides.insert(param, m_pendingListId);
        return;
    }
    if (word == "list") {
        m_lists.emplace_back();
        return;
    }
    if (m_lists.empty())
        return;
    auto &levels = m_lists.back().levels;
    if (word == "listlevel") {
        levels.emplace_back();
    } else if (word == "listid") {
        m_listIds.insert(param, int(m_lists.size()) - 1);
    } else if (levels.empty()) {
        return;
    } else if (word == "levelnfc" || word == "levelnfcn") {
        // Both forms may stand in one level; the first one counts.
        if (levels.back().format == kUnsetLevelFormat)
            levels.back().format = param;
    } else if (word == "levelstartat") {
        levels.back().startAt = std::clamp(param, 0, 32767);
    } else if (word == "levelfollow") {
        levels.back().follow = param;
    }
}

bool Reader::charWord(QByteArrayView word, bool hasParam, int param)
{
    CharProps &c = state().chr;
    const bool on = !hasParam || param != 0;
    if (word == "plain") {
        c = CharProps{};
        c.font = m_defaultFont;
    } else if (word == "b") {
        c.bold = on;
    } else if (word == "i") {
        c.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldash" || word == "uldb" ||
               word == "ulth" || word == "ulw" || word == "ulwave" || word == "uldashd" ||
               word == "uldashdd") {
        c.underline = on;
    } else if (word == "ulnone") {
        c.underline = false;
    } else if (word == "strike" || word == "striked") {
        c.strike = on;
    } else if (word == "fs") {
        c.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
    } else if (word == "f") {
        c.font = param;
    } else if (word == "cf") {
        c.color = param;
    } else {
        return false;
    }
    return true;
}

bool Reader::paraWord(QByteArrayView word, int param)
{
    constexpr int kMaxIndent = 31680; // 22 inches
    ParaProps &p = state().para;
    if (word == "pard") {
        p = ParaProps{};
    } else if (word == "ql") {
        p.alignment = Alignment::Left;
    } else if (word == "qr") {
        p.alignment = Alignment::Right;
    } else if (word == "qc") {
        p.alignment = Alignment::Center;
    } else if (word == "qj") {
        p.alignment = Alignment::Justify;
    } else if (word == "fi") {
        p.firstIndent = std::clamp(param, -kMaxIndent, kMaxIndent);
    } else if (word == "li" || word == "lin") {
        p.leftIndent = std::clamp(param, -kMaxIndent, kMaxIndent);
    } else if (word == "ri" || word == "rin") {
        p.rightIndent = std::clamp(param, -kMaxIndent, kMaxIndent);
    } else if (word == "ls") {
        p.list = param;
    } else if (word == "ilvl") {
        p.level = std::clamp(param, 0, 8);
    } else if (word == "intbl") {
        p.tableLevel = std::max(p.tableLevel, 1);
    } else if (word == "itap") {
        p.tableLevel = std::clamp(param, 0, 2);
    } else {
        return false;
    }
    m_paraProps = p;
    return true;
}

// Words of a table row's definition.
bool Reader::tableWord(QByteArrayView word, int param)
{
    constexpr int kMaxEdge = 31680 * 4;
    if (word == "trowd") {
        m_row = RowDefinition{};
        m_rowDefined = true;
        m_cellBorder = false;
        m_cellMergedAbove = false;
    } else if (word == "trleft") {
        m_row.left = std::clamp(param, -kMaxEdge, kMaxEdge);
    } else if (word == "cellx") {
        if (m_row.cellRights.size() < size_t(TableBuilder::kMaxColumns)) {
            m_row.cellRights.push_back(std::clamp(param, -kMaxEdge, kMaxEdge));
            m_row.mergedAbove.push_back(m_cellMergedAbove);
        }
        m_cellBorder = false;
        m_cellMergedAbove = false;
    } else if (word == "clvmrg") {
        m_cellMergedAbove = true;
    } else if (word == "clbrdrt" || word == "clbrdrl" || word == "clbrdrb" || word == "clbrdrr") {
        m_cellBorder = true;
    } else if (word.startsWith("brdr") && word != "brdrw" && word != "brdrcf" && word != "brdrsp" &&
               word != "brdrnone" && word != "brdrnil") {
        // A border's line style: the cell has a visible border.
        m_row.borders = m_row.borders || m_cellBorder;
    } else {
        return false;
    }
    return true;
}

// Whether the control word being read is the first of its group (after
// "\*", if any): only then does it make the group a destination of its own.
bool Reader::startsGroup() const
{
    qsizetype i = m_groupStart + 1;
    while (m_groupStart >= 0 && i < m_wordStart) {
        const char c = m_in[i];
        if (c == ' ' || c == '\r' || c == '\n')
            ++i;
        else if (c == '\\' && m_in[i + 1] == '*')
            i += 2;
        else
            return false;
    }
    return i == m_wordStart;
}

// A picture or object: a PNG or JPEG picture becomes an image, anything else
// is kept as its group, byte for byte, shown as a box.
void Reader::objectGroup(QByteArrayView word)
{
    const qsizetype start = m_groupStart;
    const bool closed = rtf::skipGroup(m_in, m_pos);
    m_stack.pop_back();
    // A group cut off by the end of the file is damaged: written back as it
    // is, it would swallow what follows it.
    if (!closed)
        return;
    const QByteArrayView group = m_in.sliced(start, m_pos - start);
    // The same picture follows for readers that do not know \shppict.
    qsizetype end = m_pos;
    if (word == "shppict") {
        qsizetype at = m_pos;
        while (at < m_in.size() && (m_in[at] == ' ' || m_in[at] == '\r' || m_in[at] == '\n'))
            ++at;
        qsizetype alternative = at + 1;
        if (m_in.sliced(at).startsWith("{\\nonshppict") && rtf::skipGroup(m_in, alternative))
            end = alternative;
    }

    const ObjectGroup shown = readObjectGroup(group, word);
    std::optional<QTextImageFormat> image;
    if (!shown.picture.isEmpty())
        image = pictures::image(*m_cursor.document(), shown.picture, shown.twips);
    if (image) {
        m_pos = end;
        emitObject(*image);
    } else {
        emitObject(pictures::keptObject(m_in.sliced(start, end - start).toByteArray(), shown.twips,
                                        shown.label));
        m_pos = end;
    }
}

void Reader::emitObject(const QTextCharFormat &format)
{
    placeContent();
    realizeBreak();
    flushRun();
    m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    m_paraProps = state().para;
}

// Before content goes into the document: a table starts, goes on in its
// next cell or row, or has ended.
void Reader::placeContent()
{
    // A list text may come before its paragraph's \intbl: a defined row
    // says as much.
    const bool inTable = state().para.tableLevel > 0 || m_rowDefined;
    if (!m_tables.active()) {
        if (inTable)
            beginTable();
    } else if (!inTable && m_tables.betweenRows()) {
        endTable();
    } else {
        m_tables.enterCell();
    }
}

void Reader::beginTable()
{
    flushRun();
    // The table follows the paragraph that the pending break ends.
    finishParagraph(std::exchange(m_breakPending, false) ? m_breakProps : m_paraProps);
    m_list = nullptr;
    // A table whose rows were counted before is not counted again, so that
    // the counting stays linear in the file whatever the file does.
    TableSize size{1, 1};
    if (m_pos >= m_countedUpTo) {
        qsizetype end = m_pos;
        size = tableSize(m_in, end);
        m_countedUpTo = end;
    }
    m_tables.begin(size.rows, std::max(size.columns, int(m_row.cellRights.size())));
}

void Reader::endTable()
{
    flushRun();
    m_tables.end();
    m_list = nullptr;
}

void Reader::endCell()
{
    flushBytes();
    placeContent();
    if (!m_tables.active()) {
        ++m_cellsPending; // a cell outside any table: its text stays apart
        return;
    }
    realizeBreak();
    flushRun();
    finishParagraph(m_paraProps);
    m_list = nullptr;
    m_tables.endCell();
    m_inNestedTable = false;
}

void Reader::endRow()
{
    flushBytes();
    m_inNestedTable = false;
    m_cellsPending = 0;
    const bool rowOfTable = m_tables.active();
    m_rowDefined = false;
    if (rowOfTable)
        m_tables.endRow(m_row);
    else
        paragraphBreak();
}

void Reader::controlSymbol(char c)
{
    if (c == '*') {
        m_starPending = true;
        return;
    }
    m_starPending = false;
    if (m_ucSkip > 0) {
        --m_ucSkip;
        if (c == '\'')
            m_pos = std::min(m_pos + 2, m_in.size());
        return;
    }
    if (c == '\'') {
        const qsizetype n = m_in.size();
        int value = -1;
        if (m_pos + 1 < n) {
            const int hi = hexValue(m_in[m_pos]);
            const int lo = hexValue(m_in[m_pos + 1]);
            if (hi >= 0 && lo >= 0) {
                value = hi * 16 + lo;
                m_pos += 2;
            }
        }
        if (value >= 0)
            textByte(uchar(value));
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        textByte(uchar(c));
        break;
    case '~':
        emitChar(0x00A0);
        break;
    case '-':
        emitChar(0x00AD);
        break;
    case '_':
        emitChar(0x2011);
        break;
    case '\r':
    case '\n':
        if (state().dest == Dest::Text)
            paragraphBreak();
        break;
    default:
        break;
    }
}

void Reader::textByte(uchar b)
{
    m_starPending = false;
    switch (state().dest) {
    case Dest::Text:
    case Dest::ListText: {
        if (b == '\t') {
            emitChar(u'\t');
            return;
        }
        const int codePage = codePageOf(state().chr.font);
        if (codePage != m_bytesCodePage)
            flushBytes();
        m_bytesCodePage = codePage;
        m_bytes.append(char(b));
        return;
    }
    case Dest::FontTable:
        if (m_currentFont < 0)
            return;
        if (b == ';') {
            finishFontName();
        } else {
            m_fonts[m_currentFont].rawName.append(char(b));
        }
        return;
    case Dest::LevelText:
        if (!m_lists.empty() && !m_lists.back().levels.empty())
            m_lists.back().levels.back().text.append(char(b));
        return;
    case Dest::ColorTable:
        if (b == ';') {
            m_colors.push_back(
                m_red < 0 && m_green < 0 && m_blue < 0
                    ? QColor()
                    : QColor(std::max(0, m_red), std::max(0, m_green), std::max(0, m_blue)));
            m_red = m_green = m_blue = -1;
        }
        return;
    default:
        return;
    }
}

void Reader::finishFontName()
{
    Font &f = m_fonts[m_currentFont];
    f.name = m_decoders.decode(codePageOf(m_currentFont), f.rawName).trimmed();
}

int Reader::codePageOf(int font)
{
    if (font != m_cachedFont) {
        const auto it = m_fonts.constFind(font);
        m_cachedFont = font;
        m_cachedCodePage = it != m_fonts.constEnd() ? it->codePage : 0;
    }
    return m_cachedCodePage != 0 ? m_cachedCodePage : m_ansiCodePage;
}

void Reader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = m_decoders.decode(m_bytesCodePage, m_bytes);
    m_bytes.clear();
    emitText(text);
}

void Reader::emitChar(char16_t c)
{
    flushBytes(); // bytes that came first go first
    emitText(QString(QChar(c)));
}

void Reader::emitText(const QString &text)
{
    const Dest dest = state().dest;
    if ((dest != Dest::Text && dest != Dest::ListText) || text.isEmpty())
        return;
    placeContent();
    realizeBreak();
    if (dest == Dest::ListText && m_listTextStart < 0) {
        flushRun();
        m_listTextStart = m_cursor.position();
    }
    // The cells before this text in its row end here.
    const QString cells(m_cellsPending, u'\t');
    m_cellsPending = 0;
    if (!(state().chr == m_runProps))
        flushRun();
    m_runProps = state().chr;
    m_run.append(cells);
    m_run.append(text);
    m_paraProps = state().para;
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runProps));
    m_run.clear();
}

// A paragraph break takes effect once something follows it, so that the
// break that closes the last paragraph adds no empty one.
void Reader::paragraphBreak()
{
    if (state().dest != Dest::Text)
        return;
    flushBytes();
    placeContent();
    realizeBreak();
    m_cellsPending = 0;
    m_breakProps = state().para;
    m_breakPending = true;
}

void Reader::realizeBreak()
{
    if (!m_breakPending)
        return;
    m_breakPending = false;
    flushRun();
    finishParagraph(m_breakProps);
    m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    m_paraProps = state().para;
}

void Reader::finishParagraph(const ParaProps &p)
{
    ParaAttributes attrs;
    attrs.alignment = p.alignment;
    attrs.numbering = isBullet(p) ? Numbering::Bullet : Numbering::None;
    keepListText(attrs.numbering == Numbering::Bullet, p);
    attrs.firstIndent = p.leftIndent + p.firstIndent;
    attrs.leftIndent = -p.firstIndent;
    attrs.rightIndent = p.rightIndent;

    QTextBlockFormat format;
    textformat::applyParagraph(format, attrs);
    m_cursor.setBlockFormat(format);
    if (attrs.numbering == Numbering::Bullet) {
        if (m_list)
            m_list->add(m_cursor.block());
        else
            m_list = m_cursor.createList(textformat::bulletListFormat());
    } else {
        m_list = nullptr;
    }
}

// A bulleted paragraph shows a bullet; a numbered one keeps its number as
// text at its start, since the control numbers nothing: the number its list
// text gives, or else the one its list level makes.
void Reader::keepListText(bool bullet, const ParaProps &para)
{
    const QString number = countListItem(para);
    const int start = std::exchange(m_listTextStart, -1);
    const int end = std::exchange(m_listTextEnd, -1);
    if (start >= 0 && bullet) {
        QTextCursor c(m_cursor.document());
        c.setPosition(start);
        c.setPosition(end >= 0 ? end : m_cursor.position(), QTextCursor::KeepAnchor);
        c.removeSelectedText();
    } else if (start < 0 && !bullet && !number.isEmpty()) {
        QTextCursor(m_cursor.block()).insertText(number, charFormat(m_runProps));
    }
}

int Reader::listIndexOf(const ParaProps &para) const
{
    if (para.list <= 0)
        return -1;
    const int listId = m_listOverrides.value(para.list, para.list);
    return m_listIds.value(listId, -1);
}

// Counts the paragraph as the next item of its list level and returns the
// number as the level's text writes it, or nothing for a level that shows
// no number.
QString Reader::countListItem(const ParaProps &para)
{
    const int index = listIndexOf(para);
    const auto level = size_t(para.level);
    if (index < 0 || level >= m_lists[size_t(index)].levels.size())
        return {};
    ListDefinition *list = &m_lists[size_t(index)];
    const ListLevel &own = list->levels[level];
    auto &count = list->counts[level];
    count = count ? std::min(*count, std::numeric_limits<int>::max() - 1) + 1 : own.startAt;
    std::fill(list->counts.begin() + qsizetype(level) + 1, list->counts.end(), std::nullopt);
    if (own.format == kBulletLevelFormat || own.format == kNoNumberFormat || own.text.isEmpty())
        return {};

    QString out;
    const qsizetype length = std::min<qsizetype>(uchar(own.text[0]), own.text.size() - 1);
    for (qsizetype i = 1; i <= length; ++i) {
        const auto b = uchar(own.text[i]);
        if (b >= kListLevels) {
            out += m_decoders.decode(m_ansiCodePage, own.text.sliced(i, 1));
        } else if (b < list->levels.size()) {
            const ListLevel &shown = list->levels[b];
            out += listNumber(list->counts[b].value_or(shown.startAt), shown.format);
        }
    }
    if (own.follow == 0)
        out += u'\t';
    else if (own.follow == 1)
        out += u' ';
    return out;
}

bool Reader::isBullet(const ParaProps &para) const
{
    if (para.bullet)
        return true;
    const int index = listIndexOf(para);
    if (index < 0)
        return false;
    const auto &levels = m_lists[size_t(index)].levels;
    return size_t(para.level) < levels.size() &&
           levels[size_t(para.level)].format == kBulletLevelFormat;
}

QTextCharFormat Reader::charFormat(const CharProps &props)
{
    if (m_formatValid && props == m_formatKey)
        return m_format;
    QTextCharFormat f;
    const auto font = m_fonts.constFind(props.font);
    if (font != m_fonts.constEnd()) {
        if (!font->name.isEmpty())
            f.setFontFamilies({font->name});
        f.setProperty(textformat::kCharsetProperty,
                      font->charset >= 0 ? font->charset : charset::Default);
    }
    f.setFontPointSize(props.halfPoints / 2.0);
    f.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(props.italic);
    f.setFontUnderline(props.underline);
    f.setFontStrikeOut(props.strike);
    if (props.color > 0 && size_t(props.color) < m_colors.size() &&
        m_colors[size_t(props.color)].isValid()) {
        f.setForeground(m_colors[size_t(props.color)]);
    }
    m_formatKey = props;
    m_format = f;
    m_formatValid = true;
    return f;
}

qsizetype rtfStart(QByteArrayView bytes)
{
    qsizetype i = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf") ? i : -1;
}

} // namespace

bool isRtf(QByteArrayView bytes)
{
    return rtfStart(bytes) >= 0;
}

bool read(QByteArrayView bytes, QTextDocument &doc, Losses *losses)
{
    const qsizetype start = rtfStart(bytes);
    if (start < 0)
        return false;
    // Building a new document needs no undo history, and one edit block
    // spares the document its bookkeeping after every insertion.
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    {
        Reader reader(bytes, doc);
        // The document's own group is the first state; its brace is consumed.
        reader.run(start + 1);
        if (losses)
            *losses = reader.losses();
    }
    doc.setUndoRedoEnabled(undo);
    return true;
}

} // namespace rtf
