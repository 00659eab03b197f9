#include "platform/text/AnsiCodec.h"

#include <QStringDecoder>

#include <array>
#include <memory>

namespace ansi {
namespace {

struct Tables
{
    std::array<char16_t, 256> toUnicode{};
    // Indexed by UTF-16 code unit; -1 where the code page has no byte.
    std::array<qint16, 0x10000> fromUnicode{};
};

// Built once from the system's own Windows-1251 converter; a byte it leaves
// unassigned keeps the C1 control of the same value, so no byte is lost.
const Tables &tables()
{
    static const std::unique_ptr<Tables> t = [] {
        auto t = std::make_unique<Tables>();
        t->fromUnicode.fill(-1);
        QStringDecoder decoder("windows-1251", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s =
                decoder.isValid() ? decoder.decode(QByteArrayView(&byte, 1)) : QString();
            char16_t ch = char16_t(b);
            if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter && b >= 0x80)
                ch = s.at(0).unicode();
            t->toUnicode[b] = ch;
            t->fromUnicode[ch] = qint16(b);
        }
        return t;
    }();
    return *t;
}

} // namespace

char16_t toUnicode(unsigned char byte)
{
    return tables().toUnicode[byte];
}

int fromUnicode(char16_t ch)
{
    return tables().fromUnicode[ch];
}

QString decode(QByteArrayView bytes)
{
    const auto &map = tables().toUnicode;
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (const char b : bytes)
        *d++ = QChar(map[static_cast<unsigned char>(b)]);
    return out;
}

QByteArray encode(QStringView text)
{
    const auto &rev = tables().fromUnicode;
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (const QChar c : text) {
        const qint16 b = rev[c.unicode()];
        *d++ = b < 0 ? '?' : char(b);
    }
    return out;
}

QString fold(QStringView text)
{
    return decode(encode(text));
}

} // namespace ansi
