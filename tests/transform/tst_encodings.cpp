// Text in other encodings than Windows-1251: telling which, and converting
// from and to UTF-8.

#include "platform/text/EncodingDetector.h"
#include "transform/Utf8Conversion.h"

#include <QStringEncoder>
#include <QTest>

using encodings::Encoding;

namespace {

const QString kRussian = QStringLiteral(
    u"Съешь же ещё этих мягких французских булок, да выпей чаю.\n"
    u"Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства.\n");

QByteArray encoded(const char *encoding, const QString &text)
{
    return QStringEncoder(encoding).encode(text);
}

} // namespace

class TestEncodings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detect_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Encoding>("encoding");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("UTF-8") << kRussian.toUtf8() << Encoding::Utf8 << QByteArray("UTF-8");
        QTest::newRow("KOI8-R") << encoded("KOI8-R", kRussian) << Encoding::Koi8R
                                << QByteArray("KOI8-R");
        QTest::newRow("DOS 866") << encoded("IBM866", kRussian) << Encoding::Ibm866
                                 << QByteArray("IBM866");
        QTest::newRow("Windows-1251") << encoded("windows-1251", kRussian) << Encoding::Windows1251
                                      << QByteArray("WINDOWS-1251");
        QTest::newRow("ASCII") << QByteArray("plain\r\n") << Encoding::Ascii << QByteArray("ASCII");
        // "Ёлка" in DOS 866 happens to be one well-formed UTF-8 character.
        QTest::newRow("too little")
            << encoded("IBM866", QStringLiteral(u"Ёлка")) << Encoding::Unknown << QByteArray();
    }

    void detect()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Encoding, encoding);
        QFETCH(QByteArray, name);
        const encodings::Detection d = encodings::detect(bytes);
        QCOMPARE(d.encoding, encoding);
        QCOMPARE(d.name, name);
    }

    void utf8ToWin1251_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("unmappable");
        QTest::newRow("Russian") << kRussian.toUtf8() << encoded("windows-1251", kRussian) << 0;
        QTest::newRow("not in the code page")
            << QStringLiteral(u"a中b😀c").toUtf8() << QByteArray("a?b?c") << 2;
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBFo\xEF\xBB\xBFk") << QByteArray("o?k") << 1;
        // Bytes that are not UTF-8 stay, Windows-1251 letters among them.
        QTest::newRow("lone letters")
            << QByteArray("\xC0\xE0 \xD0\x9F") << QByteArray("\xC0\xE0 \xCF") << 0;
        QTest::newRow("overlong, surrogate, too big")
            << QByteArray("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80")
            << QByteArray("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80") << 0;
        QTest::newRow("cut short")
            << QByteArray("\xD0\x9F\xE2\x82") << QByteArray("\xCF\xE2\x82") << 0;
    }

    void utf8ToWin1251()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, expected);
        QFETCH(int, unmappable);
        const utf8::Decoded d = utf8::toWin1251(utf8);
        QCOMPARE(d.text, expected);
        QCOMPARE(d.unmappable, unmappable);
    }
};

QTEST_GUILESS_MAIN(TestEncodings)
#include "tst_encodings.moc"
