#include "platform/richedit/TRichEdit.h"
#include "transform/CodePages.h"

#include <QTest>

#include <functional>
#include <map>
#include <set>

namespace {

using Expected = std::map<int, int>; // bytes that move, and where to

// The Russian alphabet in Windows 1251 order (а = 0xE0 ... я = 0xFF, the
// capitals 0x20 lower) and the same letters in the order KOI8-R places them
// from 0xC0 (small) and 0xE0 (capitals) on.
const QString kAlphabet = QStringLiteral(u"абвгдежзийклмнопрстуфхцчшщъыьэюя");
const QString kKoi8Order = QStringLiteral(u"юабцдефгхийклмнопярстужвьызшэщчъ");

Expected dos866To1251()
{
    Expected e;
    for (int b = 0x80; b <= 0xAF; ++b)
        e[b] = b + 0x40;
    for (int b = 0xE0; b <= 0xEF; ++b)
        e[b] = b + 0x10;
    e[0xF0] = 0xA8;
    e[0xF1] = 0xB8;
    return e;
}

Expected win1251ToDos()
{
    Expected e;
    for (int b = 0xC0; b <= 0xEF; ++b)
        e[b] = b - 0x40;
    for (int b = 0xF0; b <= 0xFF; ++b)
        e[b] = b - 0x10;
    e[0xA8] = 0xF0;
    e[0xB8] = 0xF1;
    e[0xB9] = 0xFC;
    return e;
}

Expected win1251ToKoi8()
{
    Expected e;
    for (int i = 0; i < 32; ++i) {
        const int koi = int(kKoi8Order.indexOf(kAlphabet.at(i)));
        e[0xE0 + i] = 0xC0 + koi; // small letters
        e[0xC0 + i] = 0xE0 + koi; // capitals
    }
    e[0xA8] = 0xB3;
    e[0xB8] = 0xA3;
    return e;
}

Expected koi8To1251()
{
    Expected e;
    for (const auto &[from, to] : win1251ToKoi8())
        e[to] = from;
    return e;
}

using Table = const ByteTable &(*)();
using Mapping = char (*)(char);

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

// Bytes that the way there and back does not give back.
std::set<int> notRestored(const ByteTable &there, const ByteTable &back)
{
    std::set<int> out;
    for (int b = 0; b < 256; ++b)
        if (back[there[b]] != b)
            out.insert(b);
    return out;
}

std::set<int> ranges(std::initializer_list<std::pair<int, int>> list)
{
    std::set<int> out;
    for (const auto &[first, last] : list)
        for (int b = first; b <= last; ++b)
            out.insert(b);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Expected)
Q_DECLARE_METATYPE(Table)
Q_DECLARE_METATYPE(Mapping)
Q_DECLARE_METATYPE(std::set<int>)

class TestCodePages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteOfEveryTable_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<Mapping>("mapping");
        QTest::addColumn<Expected>("moving");
        QTest::addColumn<int>("count");
        QTest::newRow("Dos866->Win1251")
            << Table(codepages::dos866To1251) << Mapping(fromDos866to1251) << dos866To1251() << 66;
        QTest::newRow("Win1251->Dos866")
            << Table(codepages::win1251ToDos) << Mapping(fromWin1251toDos) << win1251ToDos() << 67;
        QTest::newRow("Win1251->Koi8") << Table(codepages::win1251ToKoi8)
                                       << Mapping(fromWin1251toKoi8) << win1251ToKoi8() << 66;
        QTest::newRow("Koi8->Win1251")
            << Table(codepages::koi8To1251) << Mapping(fromKoi8to1251) << koi8To1251() << 66;
    }

    void everyByteOfEveryTable()
    {
        QFETCH(Table, table);
        QFETCH(Mapping, mapping);
        QFETCH(Expected, moving);
        QFETCH(int, count);
        QCOMPARE(int(moving.size()), count);
        const ByteTable &t = table();
        for (int b = 0; b < 256; ++b) {
            const auto it = moving.find(b);
            const int expected = it == moving.end() ? b : it->second;
            if (t[b] != expected || uchar(mapping(char(b))) != expected)
                QFAIL(qPrintable(QStringLiteral("byte 0x%1 became 0x%2, expected 0x%3")
                                     .arg(b, 2, 16)
                                     .arg(t[b], 2, 16)
                                     .arg(expected, 2, 16)));
        }
    }

    void roundTrips_data()
    {
        QTest::addColumn<Table>("there");
        QTest::addColumn<Table>("back");
        QTest::addColumn<std::set<int>>("lost");
        QTest::newRow("Dos866 and back")
            << Table(codepages::dos866To1251) << Table(codepages::win1251ToDos)
            << ranges({{0xB8, 0xB9}, {0xC0, 0xDF}, {0xF2, 0xFF}});
        QTest::newRow("Win1251 via Dos866 and back")
            << Table(codepages::win1251ToDos) << Table(codepages::dos866To1251)
            << ranges({{0x80, 0xA7}, {0xA9, 0xAF}, {0xB9, 0xB9}});
        QTest::newRow("Win1251 via Koi8 and back")
            << Table(codepages::win1251ToKoi8) << Table(codepages::koi8To1251)
            << ranges({{0xA3, 0xA3}, {0xB3, 0xB3}});
        QTest::newRow("Koi8 and back")
            << Table(codepages::koi8To1251) << Table(codepages::win1251ToKoi8)
            << ranges({{0xA8, 0xA8}, {0xB8, 0xB8}});
    }

    void roundTrips()
    {
        QFETCH(Table, there);
        QFETCH(Table, back);
        QFETCH(std::set<int>, lost);
        QCOMPARE(notRestored(there(), back()), lost);
    }

    void words_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("Шах to Koi8") << Table(codepages::win1251ToKoi8) << bytes({0xD8, 0xE0, 0xF5})
                                     << bytes({0xFB, 0xC1, 0xC8});
        QTest::newRow("Шах from Koi8") << Table(codepages::koi8To1251) << bytes({0xFB, 0xC1, 0xC8})
                                       << bytes({0xD8, 0xE0, 0xF5});
        QTest::newRow("Э to Koi8")
            << Table(codepages::win1251ToKoi8) << bytes({0xDD}) << bytes({0xFC});
        QTest::newRow("numero sign to Dos866")
            << Table(codepages::win1251ToDos) << bytes({0xB9, 0x35}) << bytes({0xFC, 0x35});
        QTest::newRow("numero sign stays in Dos866")
            << Table(codepages::dos866To1251) << bytes({0xFC, 0x35}) << bytes({0xFC, 0x35});
        QTest::newRow("box drawing keeps its byte")
            << Table(codepages::dos866To1251) << bytes({0xC4, 0xB3, 0xDB})
            << bytes({0xC4, 0xB3, 0xDB});
        QTest::newRow("line breaks and ASCII pass")
            << Table(codepages::win1251ToKoi8) << QByteArray("a\r\nb\x0b\tZ\x7f")
            << QByteArray("a\r\nb\x0b\tZ\x7f");
    }

    void words()
    {
        QFETCH(Table, table);
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, out);
        QCOMPARE(mapBytes(in, table()), out);
    }

    // The document commands, on the real control.
    void documentIsConvertedWholeAndMarkedModified_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QByteArray>("converted");
        QTest::newRow("empty") << QByteArray() << 0 << 0 << QByteArray();
        QTest::newRow("pure ASCII")
            << QByteArray("plain\r\ntext") << 0 << 0 << QByteArray("plain\r\ntext");
        QTest::newRow("part selected") << bytes({0xD8, 0xE0, 0xF5, 0x0D, 0x0A, 0xDD}) << 1 << 1
                                       << bytes({0xFB, 0xC1, 0xC8, 0x0D, 0x0A, 0xFC});
    }

    void documentIsConvertedWholeAndMarkedModified()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QByteArray, converted);
        TRichEdit edit;
        edit.setWholeText(text);
        edit.setModified(false);
        edit.setSelStart(selStart);
        edit.setSelLength(selLength);
        applyToWholeText(edit, codepages::win1251ToKoi8());
        QCOMPARE(edit.wholeText(), converted);
        QVERIFY(edit.isModified());
        QCOMPARE(edit.selStart(), selStart); // the text changed in place
        QCOMPARE(edit.selLength(), selLength);
    }

    void convertingTwiceConvertsAgain()
    {
        TRichEdit edit;
        edit.setWholeText(bytes({0xC0, 0xE0}));
        applyToWholeText(edit, codepages::dos866To1251());
        applyToWholeText(edit, codepages::dos866To1251());
        // 0xC0 is box drawing in DOS 866 and stays; 0xE0 becomes 0xF0, which
        // the second pass takes for DOS 866's capital Ё.
        QCOMPARE(edit.wholeText(), bytes({0xC0, 0xA8}));
    }
};

QTEST_MAIN(TestCodePages)
#include "tst_codepages.moc"
