#include "platform/richedit/TRichEdit.h"
#include "platform/text/AnsiCodec.h"
#include "transform/CaseConversion.h"

#include <QTest>

namespace {

QByteArray cp(const QString &text)
{
    return ansi::encode(text);
}

} // namespace

class TestCaseConversion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyLatinCapitalsAreLowered()
    {
        for (int b = 0; b < 256; ++b) {
            const int expected = b >= 'A' && b <= 'Z' ? b + 32 : b;
            QCOMPARE(int(uchar(fromUpperToLower(char(b)))), expected);
            QCOMPARE(int(upperToLowerTable()[b]), expected);
        }
    }

    void upperCasingFoldsEveryLetterOfTheCodePage_data()
    {
        QTest::addColumn<QString>("small");
        QTest::addColumn<QString>("capital");
        QTest::newRow("Latin") << QStringLiteral("abcxyz") << QStringLiteral("ABCXYZ");
        QTest::newRow("Russian") << QStringLiteral(u"абвгдежзийклмнопрстуфхцчшщъыьэюя")
                                 << QStringLiteral(u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
        QTest::newRow("ё ў ї і є ґ") << QStringLiteral(u"ёўїієґ") << QStringLiteral(u"ЁЎЇІЄҐ");
        QTest::newRow("Serbian and Macedonian")
            << QStringLiteral(u"ђѓљњќћџјѕ") << QStringLiteral(u"ЂЃЉЊЌЋЏЈЅ");
        QTest::newRow("capitals stay") << QStringLiteral(u"AZАЯЁЎ") << QStringLiteral(u"AZАЯЁЎ");
        QTest::newRow("no capital in the code page")
            << QStringLiteral(u"µ1_ \r\n«»№") << QStringLiteral(u"µ1_ \r\n«»№");
    }

    void upperCasingFoldsEveryLetterOfTheCodePage()
    {
        QFETCH(QString, small);
        QFETCH(QString, capital);
        QCOMPARE(ansiUpper(cp(small)), cp(capital));
    }

    // Upper-casing twice changes nothing more, and no small letter is left
    // whose capital the code page holds: what the search compares is stable.
    void upperCasingIsStable()
    {
        const ByteTable &t = ansiUpperTable();
        int changed = 0;
        for (int b = 0; b < 256; ++b) {
            QCOMPARE(t[t[b]], t[b]);
            const QChar up(ansi::toUnicode(t[b]));
            QVERIFY2(!up.isLower() || ansi::fromUnicode(up.toUpper().unicode()) < 0,
                     qPrintable(QString::number(b, 16)));
            changed += t[b] != b;
        }
        // 26 Latin, 32 Russian and 15 further Cyrillic letters.
        QCOMPARE(changed, 26 + 32 + 15);
    }

    void engToLowerChangesOnlyLatinCapitals()
    {
        TRichEdit edit;
        edit.setWholeText(cp(QStringLiteral(u"Hello МИР World\r\nÀ ABC xyz ЁЖ")));
        edit.setModified(false);
        edit.setSelStart(2);
        edit.setSelLength(3);
        applyToWholeText(edit, upperToLowerTable());
        QCOMPARE(edit.wholeText(), cp(QStringLiteral(u"hello МИР world\r\nÀ abc xyz ЁЖ")));
        QVERIFY(edit.isModified());
    }

    void engToLowerMarksModifiedAndKeepsFormattingEvenWithoutChange()
    {
        TRichEdit edit;
        edit.setPlainTextMode(false);
        edit.setWholeText("already lower");
        edit.setSelStart(0);
        edit.setSelLength(7);
        CharAttributes bold;
        bold.style = fontstyle::Bold | fontstyle::Italic;
        edit.setSelAttributes(bold, CharField::Style);
        edit.setModified(false);

        applyToWholeText(edit, upperToLowerTable());
        QCOMPARE(edit.wholeText(), QByteArray("already lower"));
        QVERIFY(edit.isModified());
        edit.setSelStart(0);
        edit.setSelLength(7);
        QCOMPARE(edit.selAttributes().style, fontstyle::Bold | fontstyle::Italic);
    }
};

QTEST_MAIN(TestCaseConversion)
#include "tst_caseconversion.moc"
