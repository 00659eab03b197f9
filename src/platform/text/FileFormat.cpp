#include "platform/text/FileFormat.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/SingleByteCodec.h"
#include "platform/text/Utf8.h"

#include <QCoreApplication>

#include <algorithm>

namespace fileformat {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FileFormat", text);
}

constexpr std::pair<Charset, const char *> kCharsetNames[] = {
    {Charset::Windows1251, QT_TRANSLATE_NOOP("FileFormat", "Windows-1251")},
    {Charset::Utf8, QT_TRANSLATE_NOOP("FileFormat", "UTF-8")},
    {Charset::Koi8R, QT_TRANSLATE_NOOP("FileFormat", "KOI8-R")},
    {Charset::Ibm866, QT_TRANSLATE_NOOP("FileFormat", "DOS 866")},
};

struct LineBreakEntry
{
    LineBreak lineBreak;
    const char *name;
    const char *bytes;
};

constexpr LineBreakEntry kLineBreakEntries[] = {
    {LineBreak::CrLf, QT_TRANSLATE_NOOP("FileFormat", "Windows (CR LF)"), "\r\n"},
    {LineBreak::Lf, QT_TRANSLATE_NOOP("FileFormat", "Unix (LF)"), "\n"},
    {LineBreak::Cr, QT_TRANSLATE_NOOP("FileFormat", "Mac (CR)"), "\r"},
};

const LineBreakEntry &lineBreakEntry(LineBreak lineBreak)
{
    return *std::find_if(std::begin(kLineBreakEntries), std::end(kLineBreakEntries),
                         [&](const LineBreakEntry &e) { return e.lineBreak == lineBreak; });
}

// The code pages besides UTF-8, each a table of its own.
const SingleByteCodec &codecOf(Charset charset)
{
    static const SingleByteCodec koi8r("KOI8-R");
    static const SingleByteCodec ibm866("IBM866");
    switch (charset) {
    case Charset::Koi8R:
        return koi8r;
    case Charset::Ibm866:
        return ibm866;
    default:
        return ansi::codec();
    }
}

bool isUtf8BeyondAscii(QByteArrayView bytes)
{
    const auto *first = std::find_if(bytes.begin(), bytes.end(),
                                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return first != bytes.end() && utf8::isWellFormed(bytes.sliced(first - bytes.begin()));
}

// The length of the character at `at`: two units for a surrogate pair.
qsizetype characterLength(QStringView text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2
                                                                                               : 1;
}

} // namespace

LineBreak lineBreakOf(QByteArrayView bytes)
{
    bool crlf = false;
    bool lf = false;
    bool cr = false;
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    for (; p != end; ++p) {
        if (*p == '\n') {
            lf = true;
        } else if (*p == '\r') {
            if (p + 1 != end && p[1] == '\n') {
                crlf = true;
                ++p;
            } else {
                cr = true;
            }
        }
    }
    if (int(crlf) + int(lf) + int(cr) != 1)
        return LineBreak::CrLf;
    return lf ? LineBreak::Lf : cr ? LineBreak::Cr : LineBreak::CrLf;
}

FileFormat detect(QByteArrayView bytes, std::optional<Charset> charset)
{
    FileFormat format;
    format.lineBreak = lineBreakOf(bytes);
    const bool mark = bytes.startsWith(kByteOrderMark);
    if (charset)
        format.charset = *charset;
    else if (mark || isUtf8BeyondAscii(bytes))
        format.charset = Charset::Utf8;
    format.byteOrderMark = mark && format.charset == Charset::Utf8;
    return format;
}

QString name(Charset charset)
{
    for (const auto &[c, text] : kCharsetNames) {
        if (c == charset)
            return tr(text);
    }
    return {};
}

QString encodingName(Charset charset, bool byteOrderMark)
{
    return byteOrderMark
               ? QCoreApplication::translate("FileFormat", "%1 with BOM").arg(name(charset))
               : name(charset);
}

QString name(LineBreak lineBreak)
{
    return tr(lineBreakEntry(lineBreak).name);
}

QByteArray bytesOf(LineBreak lineBreak)
{
    return QByteArray(lineBreakEntry(lineBreak).bytes);
}

QString decode(Charset charset, QByteArrayView bytes)
{
    if (charset == Charset::Utf8)
        return QString::fromUtf8(bytes);
    return codecOf(charset).decode(bytes);
}

QByteArray encode(Charset charset, QStringView text)
{
    if (charset == Charset::Utf8)
        return text.toUtf8();
    const SingleByteCodec &codec = codecOf(charset);
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); }))
        return codec.encode(text, '?');
    // A character beyond U+FFFF is one "?", not one for each of its units.
    QString characters;
    characters.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); i += characterLength(text, i))
        characters += characterLength(text, i) == 2 ? QChar::ReplacementCharacter : text[i];
    return codec.encode(characters, '?');
}

QString firstMissing(Charset charset, QStringView text)
{
    if (charset == Charset::Utf8)
        return {};
    const SingleByteCodec &codec = codecOf(charset);
    const auto *missing = std::find_if(text.begin(), text.end(),
                                       [&](QChar c) { return codec.fromUnicode(c.unicode()) < 0; });
    if (missing == text.end())
        return {};
    const qsizetype at = missing - text.begin();
    return text.sliced(at, characterLength(text, at)).toString();
}

} // namespace fileformat
