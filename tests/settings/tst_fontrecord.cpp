// The 40-byte font record, the sixteen style codes and fonts in a system
// colour.

#include "FontPrinting.h"
#include "settings/FontRecord.h"

#include <QApplication>
#include <QTest>

#include <climits>

namespace {

FontSpec font96(const QString &name, int points, quint32 color, int set, int style)
{
    return fontSpec(name, points, color, set, style, 96);
}

using fontrecord::Record;

Record recordOf(int nameLength, const QByteArray &name, quint32 color, int set, qint32 size,
                int style)
{
    Record r{};
    r[0] = quint8(nameLength);
    std::copy(name.begin(), name.end(), r.begin() + 1);
    for (int i = 0; i < 4; ++i) {
        r[24 + i] = quint8(color >> (8 * i));
        r[32 + i] = quint8(quint32(size) >> (8 * i));
    }
    r[28] = quint8(set);
    r[36] = quint8(style);
    return r;
}

// A font read from a record into a font that held something else.
FontSpec read(const Record &r)
{
    FontSpec f = font96(QStringLiteral("Before"), 30, 0x123456, 7, fontstyle::Bold);
    fontrecord::read(f, r);
    return f;
}

} // namespace

class TestFontRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theRecordLayout()
    {
        Record r;
        r.fill(0xEE);
        fontrecord::write(r, font96(QStringLiteral("Arial"), 12, 0x00112233, 204,
                                    fontstyle::Bold | fontstyle::Underline));
        QCOMPARE(r[0], 5);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&r[1]), 5), QByteArray("Arial"));
        QCOMPARE(r[6], 0xEE); // past the name: as the buffer held it
        QCOMPARE(r[23], 0xEE);
        QCOMPARE(QList<quint8>(r.begin() + 24, r.begin() + 29),
                 QList<quint8>({0x33, 0x22, 0x11, 0x00, 204}));
        QCOMPARE(r[29], 0xEE);
        QCOMPARE(QList<quint8>(r.begin() + 32, r.begin() + 37), QList<quint8>({12, 0, 0, 0, 5}));
        QCOMPARE(r[37], 0xEE);
        QCOMPARE(fontrecord::toBytes(r).size(), 40);
    }

    void fontsComeBack_data()
    {
        QTest::addColumn<FontSpec>("original");
        QTest::newRow("plain") << font96(QStringLiteral("Courier New"), 10, 0, 0, 0);
        QTest::newRow("window text, all styles")
            << font96(QStringLiteral("Times New Roman"), 14, wincolors::kWindowText, 1, 15);
        QTest::newRow("Cyrillic face") << font96(QString::fromUtf8("Таймс"), 9, 0xFF0000, 204, 2);
        QTest::newRow("smallest, empty face") << font96(QString(), 1, 0xFFFFFF, 255, 4);
    }

    void fontsComeBack()
    {
        QFETCH(FontSpec, original);
        Record r{};
        fontrecord::write(r, original);
        QCOMPARE(read(fontrecord::fromBytes(fontrecord::toBytes(r))), original);
    }

    void longFaceNamesAreCutToTwentyCharacters()
    {
        Record r{};
        fontrecord::write(r, font96(QStringLiteral("Twentyfive Characters Xy"), 10, 0, 0, 0));
        QCOMPARE(r[0], 20);
        QCOMPARE(read(r).name, QStringLiteral("Twentyfive Character"));
    }

    void sizesFromTheRecord_data()
    {
        QTest::addColumn<qint32>("stored");
        QTest::addColumn<int>("height"); // pixels at 96 per inch
        QTest::newRow("10 points") << 10 << 13;
        QTest::newRow("0 gives 8 pixels") << 0 << 8;
        QTest::newRow("negative counts its magnitude") << -12 << 16;
        QTest::newRow("beyond what a control shows") << INT_MAX << 2184;
        QTest::newRow("most negative") << INT_MIN << 2184;
    }

    void sizesFromTheRecord()
    {
        QFETCH(qint32, stored);
        QFETCH(int, height);
        QCOMPARE(read(recordOf(5, "Arial", 0, 0, stored, 0)).height, height);
    }

    void aSystemColourShowsAsTheRunningSystemPaintsIt()
    {
        const FontSpec f = read(recordOf(5, "Arial", 0x80000008, 0, 10, 0));
        QCOMPARE(f.color, 0x80000008u); // kept as a reference
        const QPalette saved = QApplication::palette();
        QPalette p = saved;
        p.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));
        QApplication::setPalette(p);
        QCOMPARE(f.shownColor(), QColor(0x12, 0x34, 0x56));
        QApplication::setPalette(saved);
        QCOMPARE(f.shownColor(), saved.color(QPalette::Text));
        QCOMPARE(read(recordOf(5, "Arial", 0x0000FF, 0, 10, 0)).shownColor(), QColor(Qt::red));
    }

    void aShortRecordIsReadOverZeros()
    {
        Record full{};
        fontrecord::write(full, font96(QStringLiteral("Courier New"), 12, 0x800000, 204, 1));
        const FontSpec f = read(fontrecord::fromBytes(fontrecord::toBytes(full).left(10)));
        QCOMPARE(f.name, QStringLiteral("Courier N")); // the name runs out at the zeros
        QCOMPARE(f.color, 0u);
        QCOMPARE(f.charset, 0);
        QCOMPARE(f.height, 8);
        QCOMPARE(f.style, 0);
    }

    void aRecordWhoseNameOverrunsItsRoomIsRefused()
    {
        const Record r = recordOf(21, "Courier New", 0, 0, 10, 0);
        FontSpec f = font96(QStringLiteral("Before"), 30, 0x123456, 7, fontstyle::Bold);
        const FontSpec before = f;
        QVERIFY_THROWS_EXCEPTION(fontrecord::Error, fontrecord::read(f, r));
        QCOMPARE(f, before);
    }

    void styleBitsBeyondTheFourAreIgnored()
    {
        QCOMPARE(read(recordOf(5, "Arial", 0, 0, 10, 0xF3)).style, 3);
    }

    void styleCodesBothWays_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("style");
        const int b = fontstyle::Bold, i = fontstyle::Italic, u = fontstyle::Underline,
                  s = fontstyle::StrikeOut;
        const int styles[16] = {0,     b,     i,         u,         s,         b | i,
                                b | u, b | s, b | i | u, b | i | s, b | u | s, b | i | u | s,
                                i | u, i | s, i | u | s, u | s};
        for (int code = 0; code < 16; ++code)
            QTest::addRow("%d", code) << code << styles[code];
    }

    void styleCodesBothWays()
    {
        QFETCH(int, code);
        QFETCH(int, style);
        QCOMPARE(stylecode::toStyle(code), style);
        QCOMPARE(stylecode::fromStyle(style), code);
    }

    void styleCodesOutsideTheTableAreRegular()
    {
        for (const int code : {-1, 16, 255, INT_MAX, INT_MIN})
            QCOMPARE(stylecode::toStyle(code), 0);
    }

    void pointsAndPixels_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("ppi");
        QTest::addColumn<int>("points");
        QTest::newRow("13 pixels at 96") << 13 << 96 << 10;
        QTest::newRow("16 pixels at 96") << 16 << 96 << 12;
        QTest::newRow("13 pixels at 120") << 13 << 120 << 8;
        QTest::newRow("8 pixels at 96") << 8 << 96 << 6;
        QTest::newRow("none") << 0 << 96 << 0;
        QTest::newRow("a half rounds up") << 1 << 144 << 1;
    }

    void pointsAndPixels()
    {
        QFETCH(int, height);
        QFETCH(int, ppi);
        QFETCH(int, points);
        FontSpec f;
        f.pixelsPerInch = ppi;
        f.height = height;
        QCOMPARE(f.size(), points);
        QCOMPARE(f.toCharAttributes().size, points);
    }
};

QTEST_MAIN(TestFontRecord)
#include "tst_fontrecord.moc"
