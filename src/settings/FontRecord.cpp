#include "settings/FontRecord.h"

#include "platform/text/AnsiCodec.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kPointsPerInch = 72;
// The largest size a rich-edit control shows.
constexpr int kMaxPoints = 1638;
// The height a font gets when its record gives it no size.
constexpr int kHeightWithoutSize = 8;

constexpr int kNameLength = 0;
constexpr int kName = 1;
constexpr int kColor = 24;
constexpr int kCharset = 28;
constexpr int kFontSize = 32;
constexpr int kStyle = 36;

void put32(fontrecord::Record &record, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        record[offset + i] = quint8(value >> (8 * i));
}

quint32 get32(const fontrecord::Record &record, int offset)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(record[offset + i]) << (8 * i);
    return value;
}

// Bold, italic, underline and strike-out of each code.
constexpr std::array<int, 16> kCodes = {
    0,
    fontstyle::Bold,
    fontstyle::Italic,
    fontstyle::Underline,
    fontstyle::StrikeOut,
    fontstyle::Bold | fontstyle::Italic,
    fontstyle::Bold | fontstyle::Underline,
    fontstyle::Bold | fontstyle::StrikeOut,
    fontstyle::Bold | fontstyle::Italic | fontstyle::Underline,
    fontstyle::Bold | fontstyle::Italic | fontstyle::StrikeOut,
    fontstyle::Bold | fontstyle::Underline | fontstyle::StrikeOut,
    fontstyle::Bold | fontstyle::Italic | fontstyle::Underline | fontstyle::StrikeOut,
    fontstyle::Italic | fontstyle::Underline,
    fontstyle::Italic | fontstyle::StrikeOut,
    fontstyle::Italic | fontstyle::Underline | fontstyle::StrikeOut,
    fontstyle::Underline | fontstyle::StrikeOut,
};

constexpr int kStyleBits =
    fontstyle::Bold | fontstyle::Italic | fontstyle::Underline | fontstyle::StrikeOut;

} // namespace

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * b;
    const qint64 half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const qint64 magnitude = (std::llabs(product) + half) / std::llabs(c);
    const qint64 result = negative ? -magnitude : magnitude;
    return int(std::clamp<qint64>(result, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

int FontSpec::screenPixelsPerInch()
{
    if (qGuiApp) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return std::max(1, qRound(screen->logicalDotsPerInchY()));
    }
    return 96;
}

int FontSpec::size() const
{
    return mulDiv(height, kPointsPerInch, pixelsPerInch);
}

void FontSpec::setSize(int points)
{
    const qint64 magnitude = std::min<qint64>(std::llabs(qint64(points)), kMaxPoints);
    height = mulDiv(int(magnitude), pixelsPerInch, kPointsPerInch);
}

CharAttributes FontSpec::toCharAttributes() const
{
    CharAttributes attrs;
    attrs.name = name;
    attrs.size = size();
    attrs.style = style & kStyleBits;
    attrs.color = color;
    attrs.charset = charset;
    return attrs;
}

FontSpec FontSpec::fromCharAttributes(const CharAttributes &attrs)
{
    FontSpec font;
    font.name = attrs.name;
    font.setSize(attrs.size);
    font.style = attrs.style & kStyleBits;
    font.color = attrs.color;
    font.charset = attrs.charset;
    return font;
}

QFont FontSpec::toQFont() const
{
    QFont font(name);
    font.setPixelSize(std::max(1, height));
    font.setBold(style & fontstyle::Bold);
    font.setItalic(style & fontstyle::Italic);
    font.setUnderline(style & fontstyle::Underline);
    font.setStrikeOut(style & fontstyle::StrikeOut);
    return font;
}

QColor FontSpec::shownColor() const
{
    return wincolors::toColor(color, QGuiApplication::palette());
}

namespace fontrecord {

Record fromBytes(QByteArrayView bytes)
{
    Record record{};
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), kSize), record.begin());
    return record;
}

QByteArray toBytes(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.data()), kSize);
}

void write(Record &record, const FontSpec &font)
{
    record[kCharset] = quint8(font.charset);
    put32(record, kColor, font.color);
    const QByteArray name = ansi::encode(QStringView(font.name).left(kMaxName));
    record[kNameLength] = quint8(name.size());
    std::copy(name.begin(), name.end(), record.begin() + kName);
    put32(record, kFontSize, quint32(font.size()));
    record[kStyle] = quint8(font.style & kStyleBits);
}

void read(FontSpec &font, const Record &record)
{
    const int length = record[kNameLength];
    if (length > kMaxName)
        throw Error("a font record's name is longer than its room");
    const auto *name = reinterpret_cast<const char *>(record.data() + kName);
    font.name = ansi::decode(QByteArrayView(name, std::find(name, name + length, '\0')));
    font.charset = record[kCharset];
    font.color = get32(record, kColor);
    font.setSize(int(get32(record, kFontSize)));
    font.style = record[kStyle] & kStyleBits;
    if (font.height == 0)
        font.height = kHeightWithoutSize;
}

} // namespace fontrecord

namespace stylecode {

int toStyle(int code)
{
    return code >= 0 && code < int(kCodes.size()) ? kCodes[size_t(code)] : 0;
}

int fromStyle(int style)
{
    const auto it = std::find(kCodes.begin(), kCodes.end(), style & kStyleBits);
    return int(it - kCodes.begin());
}

} // namespace stylecode
