#include "settings/IniText.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

// The reading and writing rules below are QSettings' own, so that what one
// writes the other reads the same.
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isBreak(char c)
{
    return c == '\n' || c == '\r';
}

bool isSpecial(char c)
{
    return isBreak(c) || c == '"' || c == ';' || c == '=' || c == '\\';
}

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char16_t c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

struct Line
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1; // the first "=" outside quotes
};

// The next line that holds something. A line break inside quotes or after
// a backslash does not end it, a semicolon outside quotes does (what
// follows is a comment), and lines that begin with one are skipped. False
// at the end of the text.
bool nextLine(QByteArrayView text, qsizetype &pos, Line &line)
{
    const qsizetype n = text.size();
    qsizetype start = pos;
    while (start < n && isSpace(text[start]))
        ++start;
    qsizetype equals = -1;
    bool inQuotes = false;
    qsizetype i = start;
    while (i < n) {
        const char c = text[i++];
        if (!isSpecial(c))
            continue;
        if (c == '=') {
            if (!inQuotes && equals < 0)
                equals = i - 1;
        } else if (isBreak(c)) {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < n) {
                const char escaped = text[i++];
                if (i < n && isBreak(escaped) && isBreak(text[i]) && text[i] != escaped)
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) { // a comment line
            while (i < n && !isBreak(text[i]))
                ++i;
            while (i < n && isSpace(text[i]))
                ++i;
            start = i;
        } else if (!inQuotes) {
            --i;
            break;
        }
    }
    pos = i;
    line = {start, i, equals};
    return i > start;
}

// Past the line break of the line that holds `pos`.
qsizetype afterLine(QByteArrayView text, qsizetype pos)
{
    while (pos < text.size() && !isBreak(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == '\r')
        ++pos;
    if (pos < text.size() && text[pos] == '\n')
        ++pos;
    return pos;
}

// A name in a key or section header: "\" stands for "/", "%XX" and
// "%UXXXX" for the character of that code.
QString unescapeKey(QByteArrayView key)
{
    const QString decoded = QString::fromUtf8(key);
    if (!key.contains('%') && !key.contains('\\'))
        return decoded;
    QString result;
    result.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i == decoded.size() - 1) {
            result += c;
            ++i;
            continue;
        }
        const qsizetype digits = decoded[i + 1] == u'U' ? 4 : 2;
        const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = false;
        const ushort code = first + digits <= decoded.size()
                                ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16)
                                : 0;
        if (!ok) {
            result += u'%';
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

QByteArray escapeKey(QStringView key)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    QByteArray result;
    result.reserve(key.size());
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            result += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            result += char(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += hex[c >> 4];
            result += hex[c & 0xF];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += hex[(c >> shift) & 0xF];
        }
    }
    return result;
}

QString sectionName(QByteArrayView header)
{
    const QByteArray name = header.trimmed().toByteArray();
    if (name.toLower() == "general")
        return {};
    if (name.toLower() == "%general")
        return QString::fromLatin1(name.mid(1));
    return unescapeKey(name);
}

QByteArray sectionHeader(const QString &section)
{
    if (section.isEmpty())
        return "[General]";
    QByteArray name = escapeKey(section);
    if (name.toLower() == "general")
        name.prepend('%');
    return '[' + name + ']';
}

void chopBlanks(QString &text, qsizetype limit)
{
    qsizetype n = text.size();
    while (n > limit && (text[n - 1] == u' ' || text[n - 1] == u'\t'))
        --n;
    text.truncate(n);
}

// Escapes by a letter after a backslash: the letter and the character.
constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};

// The character an escape's letter stands for, or 0.
char namedEscape(char letter)
{
    for (const auto &escape : kEscapes) {
        if (escape[0] == letter)
            return escape[1];
    }
    return 0;
}

// The letter that writes a character, or 0 (a question mark and an
// apostrophe are written as they are).
char escapeName(char16_t c)
{
    for (const auto &escape : kEscapes) {
        if (escape[1] == c && c != '?' && c != '\'')
            return escape[0];
    }
    return 0;
}

// A value's text: escapes resolved and quotes taken off. Commas outside
// quotes make it a list.
struct ValueText
{
    QString text;
    QStringList list;
    bool isList = false;
};

ValueText unescapeValue(QByteArrayView value)
{
    ValueText out;
    QString &text = out.text;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const qsizetype n = value.size();
    qsizetype i = 0;
    bool inQuotes = false;
    bool quoted = false;
    bool chop = true;
    qsizetype keep = 0; // blanks up to here are the value's own
    const auto skipBlanks = [&] {
        while (i < n && (value[i] == ' ' || value[i] == '\t'))
            ++i;
        keep = text.size();
    };
    skipBlanks();
    while (i < n) {
        const char c = value[i];
        if (c == '\\') {
            if (++i >= n) {
                chop = false;
                break;
            }
            const char e = value[i++];
            if (const char named = namedEscape(e)) {
                text += QLatin1Char(named);
            } else if ((e == 'x' && i < n && isHexDigit(uchar(value[i]))) ||
                       (e >= '0' && e <= '7')) {
                const int base = e == 'x' ? 16 : 8;
                char16_t code = e == 'x' ? 0 : char16_t(e - '0');
                while (i < n && (base == 16 ? isHexDigit(uchar(value[i]))
                                            : (value[i] >= '0' && value[i] <= '7'))) {
                    code = char16_t(code * base + hexValue(uchar(value[i++])));
                }
                text += QChar(code);
                if (i >= n) {
                    chop = false;
                    break;
                }
            } else if (e == 'x') {
                if (i >= n) {
                    chop = false;
                    break;
                }
            } else if (isBreak(e) && i < n && isBreak(value[i]) && value[i] != e) {
                ++i;
            }
            keep = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopBlanks(text, keep);
            out.isList = true;
            out.list.append(std::exchange(text, {}));
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            qsizetype j = i + 1;
            while (j < n && value[j] != '\\' && value[j] != '"' && value[j] != ',')
                ++j;
            text += fromUtf8(value.sliced(i, j - i));
            i = j;
        }
    }
    if (chop && !quoted)
        chopBlanks(text, keep);
    if (out.isList)
        out.list.append(std::exchange(text, {}));
    return out;
}

// What a value's text stands for: "@ByteArray(...)" binary, "@Variant(...)"
// a value in Qt's stream format, "@@" a text that began with "@".
QVariant fromText(const QString &s)
{
    if (!s.startsWith(u'@'))
        return s;
    if (s.endsWith(u')')) {
        if (s.startsWith(QLatin1String("@ByteArray(")))
            return QStringView(s).sliced(11).chopped(1).toLatin1();
        if (s.startsWith(QLatin1String("@String(")))
            return QStringView(s).sliced(8).chopped(1).toString();
        if (s.startsWith(QLatin1String("@Variant("))) {
            QByteArray bytes = QStringView(s).sliced(9).chopped(1).toLatin1();
            QDataStream stream(&bytes, QIODevice::ReadOnly);
            stream.setVersion(QDataStream::Qt_4_0);
            QVariant result;
            stream >> result;
            return result;
        }
        for (const char *kind : {"@DateTime(", "@Rect(", "@Size(", "@Point("}) {
            if (s.startsWith(QLatin1String(kind)))
                return {};
        }
        if (s == QLatin1String("@Invalid()"))
            return {};
    }
    if (s.startsWith(QLatin1String("@@")))
        return s.mid(1);
    return s;
}

QVariant fromList(QStringList list)
{
    for (QString &item : list) {
        if (!item.startsWith(u'@'))
            continue;
        if (!item.startsWith(QLatin1String("@@")))
            return {}; // a list of values of other kinds
        item.remove(0, 1);
    }
    return list;
}

QByteArray escapeText(const QString &text, bool utf8)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    bool needsQuotes = false;
    bool escapeHexDigit = false; // one would continue the escape before it
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeHexDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeHexDigit = false;
        if (c == '\0') {
            out += "\\0";
            escapeHexDigit = true;
        } else if (const char named = escapeName(c)) {
            out += '\\';
            out += named;
        } else if (c <= 0x1F || (c >= 0x7F && !utf8)) {
            out += "\\x" + QByteArray::number(c, 16);
            escapeHexDigit = true;
        } else if (c < 0x80) {
            out += char(c);
        } else {
            qsizetype j = i + 1;
            while (j < text.size() && text[j].unicode() >= 0x80)
                ++j;
            out += QStringView(text).sliced(i, j - i).toUtf8();
            i = j - 1;
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' ')) {
        out.prepend('"');
        out.append('"');
    }
    return out;
}

QByteArray escapeValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray) {
        return escapeText(QLatin1String("@ByteArray(") + QString::fromLatin1(value.toByteArray()) +
                              QLatin1Char(')'),
                          false);
    }
    QString text = value.toString();
    if (text.startsWith(u'@'))
        text.prepend(u'@');
    return escapeText(text, true);
}

} // namespace

IniText::IniText(QByteArray text)
    : m_text(std::move(text))
{}

bool IniText::isDamaged() const
{
    index();
    return m_damaged;
}

void IniText::index() const
{
    if (std::exchange(m_indexed, true))
        return;
    const QByteArrayView text(m_text);
    qsizetype pos = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QString section; // empty: the main key
    Line line;
    while (nextLine(text, pos, line)) {
        const QByteArrayView content = text.sliced(line.start, line.end - line.start);
        if (content.startsWith('[')) {
            const qsizetype close = content.indexOf(']');
            m_damaged = m_damaged || close < 0;
            section = sectionName(close < 0 ? content.sliced(1) : content.sliced(1, close - 1));
        } else if (line.equals >= 0) {
            const QString name =
                unescapeKey(text.sliced(line.start, line.equals - line.start).trimmed());
            m_values.insert(section.isEmpty() ? name : section + QLatin1Char('/') + name,
                            {line.equals + 1, line.end});
        }
        m_sectionEnds.insert(section, afterLine(text, line.end));
    }
}

std::optional<QVariant> IniText::value(const QString &key) const
{
    index();
    const auto span = m_values.constFind(key);
    if (span == m_values.cend())
        return std::nullopt;
    const ValueText value =
        unescapeValue(QByteArrayView(m_text).sliced(span->start, span->end - span->start));
    return value.isList ? fromList(value.list) : fromText(value.text);
}

QByteArray IniText::changed(const Changes &changes) const
{
    index();
    struct Edit
    {
        qsizetype start;
        qsizetype end;
        QByteArray bytes;
        bool newLine; // a line of its own after the line before
    };
    std::vector<Edit> edits;
    std::vector<std::pair<QString, QByteArray>> newSections;
    // A key changed more than once takes its last value, in the place of
    // that change.
    QHash<QString, size_t> last;
    for (size_t i = 0; i < changes.size(); ++i)
        last.insert(changes[i].first, i);
    for (size_t i = 0; i < changes.size(); ++i) {
        const auto &[key, value] = changes[i];
        if (last.value(key) != i)
            continue;
        const QByteArray text = escapeValue(value);
        if (const auto span = m_values.constFind(key); span != m_values.cend()) {
            edits.push_back({span->start, span->end, text, false});
            continue;
        }
        const qsizetype slash = key.indexOf(u'/');
        const QString section = slash < 0 ? QString() : key.left(slash);
        const QByteArray line = escapeKey(QStringView(key).sliced(slash + 1)) + '=' + text + '\n';
        if (const auto end = m_sectionEnds.constFind(section); end != m_sectionEnds.cend()) {
            edits.push_back({*end, *end, line, true});
            continue;
        }
        const auto added = std::find_if(newSections.begin(), newSections.end(),
                                        [&](const auto &s) { return s.first == section; });
        if (added == newSections.end())
            newSections.emplace_back(section, sectionHeader(section) + '\n' + line);
        else
            added->second += line;
    }
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit &a, const Edit &b) { return a.start < b.start; });

    QByteArray out;
    out.reserve(m_text.size() + qsizetype(edits.size()) * 32);
    const auto startLine = [&out] {
        if (!out.isEmpty() && !isBreak(out.back()))
            out += '\n';
    };
    qsizetype copied = 0;
    for (const Edit &edit : edits) {
        out.append(m_text.constData() + copied, edit.start - copied);
        if (edit.newLine)
            startLine();
        out += edit.bytes;
        copied = edit.end;
    }
    out.append(m_text.constData() + copied, m_text.size() - copied);
    for (const auto &section : newSections) {
        startLine();
        if (!out.isEmpty())
            out += '\n';
        out += section.second;
    }
    return out;
}
