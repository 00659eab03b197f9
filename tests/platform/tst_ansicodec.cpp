#include "platform/text/AnsiCodec.h"

#include <QSet>
#include <QTest>

class TestAnsiCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteHasItsOwnCharacterAndComesBack()
    {
        QSet<char16_t> seen;
        for (int b = 0; b < 256; ++b) {
            const char16_t c = ansi::toUnicode(uchar(b));
            QVERIFY2(!seen.contains(c), qPrintable(QString::number(b, 16)));
            seen.insert(c);
            QCOMPARE(ansi::fromUnicode(c), b);
        }
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QCOMPARE(ansi::encode(ansi::decode(all)), all);
    }

    void knownCharacters_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("A") << 0x41 << 0x41;
        QTest::newRow("capital A (Cyrillic)") << 0xC0 << 0x0410;
        QTest::newRow("small ya") << 0xFF << 0x044F;
        QTest::newRow("capital io") << 0xA8 << 0x0401;
        QTest::newRow("small io") << 0xB8 << 0x0451;
        QTest::newRow("euro") << 0x88 << 0x20AC;
        QTest::newRow("numero") << 0xB9 << 0x2116;
        QTest::newRow("unassigned 0x98") << 0x98 << 0x0098;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    }

    void knownCharacters()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(int(ansi::toUnicode(uchar(byte))), unicode);
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks()
    {
        // One byte per UTF-16 unit, so positions agree on both sides.
        const QString text = QStringLiteral("Жук ä ☺ ") + QString::fromUcs4(U"😀");
        QCOMPARE(ansi::encode(text), QByteArray("\xc6\xf3\xea ? ? ??"));
        QCOMPARE(ansi::fold(text), QStringLiteral("Жук ? ? ??"));
        QCOMPARE(ansi::fromUnicode(u'ä'), -1);
    }
};

QTEST_APPLESS_MAIN(TestAnsiCodec)
#include "tst_ansicodec.moc"
