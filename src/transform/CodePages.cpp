#include "transform/CodePages.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

namespace codepages {
namespace {

using Range = std::pair<int, int>; // first and last byte, inclusive

// The bytes that move are fixed; where each one goes is taken from the code
// pages themselves: the byte that the target code page gives the same
// character.
ByteTable derive(const char *from, const char *to, std::initializer_list<Range> moving)
{
    QStringDecoder decoder(from, QStringConverter::Flag::Stateless);
    QStringEncoder encoder(to, QStringConverter::Flag::Stateless);
    if (!decoder.isValid() || !encoder.isValid())
        throw std::runtime_error(std::string("No converter between ") + from + " and " + to);
    ByteTable table = identityTable();
    for (const auto &[first, last] : moving) {
        for (int b = first; b <= last; ++b) {
            const char byte = char(b);
            const QString ch = decoder.decode(QByteArrayView(&byte, 1));
            const QByteArray target = encoder.encode(ch);
            if (ch.size() != 1 || target.size() != 1 || decoder.hasError() || encoder.hasError())
                throw std::runtime_error(std::string(to) + " has no byte for byte " +
                                         std::to_string(b) + " of " + from);
            table[b] = static_cast<unsigned char>(target.at(0));
        }
    }
    return table;
}

} // namespace

const ByteTable &dos866To1251()
{
    static const ByteTable t =
        derive("IBM866", "windows-1251", {{0x80, 0xAF}, {0xE0, 0xEF}, {0xF0, 0xF1}});
    return t;
}

const ByteTable &win1251ToDos()
{
    static const ByteTable t =
        derive("windows-1251", "IBM866", {{0xC0, 0xFF}, {0xA8, 0xA8}, {0xB8, 0xB9}});
    return t;
}

const ByteTable &win1251ToKoi8()
{
    static const ByteTable t =
        derive("windows-1251", "KOI8-R", {{0xC0, 0xFF}, {0xA8, 0xA8}, {0xB8, 0xB8}});
    return t;
}

const ByteTable &koi8To1251()
{
    static const ByteTable t =
        derive("KOI8-R", "windows-1251", {{0xC0, 0xFF}, {0xA3, 0xA3}, {0xB3, 0xB3}});
    return t;
}

} // namespace codepages

namespace {

char lookUp(const ByteTable &table, char c)
{
    return static_cast<char>(table[static_cast<unsigned char>(c)]);
}

} // namespace

char fromDos866to1251(char c)
{
    return lookUp(codepages::dos866To1251(), c);
}

char fromWin1251toDos(char c)
{
    return lookUp(codepages::win1251ToDos(), c);
}

char fromWin1251toKoi8(char c)
{
    return lookUp(codepages::win1251ToKoi8(), c);
}

char fromKoi8to1251(char c)
{
    return lookUp(codepages::koi8To1251(), c);
}
