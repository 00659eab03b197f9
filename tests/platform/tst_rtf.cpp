#include "AttributePrinting.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/richedit/TRichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QString textOf(const QTextDocument &doc)
{
    QString t = doc.toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

QString readText(const QByteArray &rtf)
{
    QTextDocument doc;
    if (!rtf::read(rtf, doc))
        return QStringLiteral("<not rtf>");
    return textOf(doc);
}

CharAttributes charAt(const QTextDocument &doc, int pos)
{
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(pos + 1);
    return textformat::fromCharFormat(c.charFormat(), CharAttributes{});
}

ParaAttributes paraAt(const QTextDocument &doc, int block)
{
    const QTextBlock b = doc.findBlockByNumber(block);
    return textformat::fromBlockFormat(b.blockFormat(), b.textList() != nullptr);
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("{\\rtf1 Hello}") << QStringLiteral("Hello");
        QTest::newRow("paragraphs, last break adds nothing")
            << QByteArray("{\\rtf1 a\\par b\\par\r\n}") << QStringLiteral("a\nb");
        QTest::newRow("empty paragraphs kept")
            << QByteArray("{\\rtf1 a\\par\\par b}") << QStringLiteral("a\n\nb");
        QTest::newRow("line, tab, page")
            << QByteArray("{\\rtf1 a\\line b\\tab c\\page d}") << QStringLiteral("a\u2028b\tc\nd");
        QTest::newRow("raw line ends are no text")
            << QByteArray("{\\rtf1 a\r\nb\\\r\nc}") << QStringLiteral("ab\nc");
        QTest::newRow("raw nul is no text, an escaped one is")
            << QByteArray("{\\rtf1 a\0b\\'00c}", 16) << QStringLiteral("ab") + QChar(0) + u'c';
        QTest::newRow("escapes") << QByteArray("{\\rtf1 \\{x\\} \\\\ a\\~b\\-c\\_d}")
                                 << QStringLiteral("{x} \\ a\u00a0b\u00adc\u2011d");
        QTest::newRow("named characters")
            << QByteArray("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
            << QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201c\u201d");
        QTest::newRow("ansicpg 1251")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
            << QStringLiteral("Привет");
        QTest::newRow("font charset 204 in a Western file")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                          "\\'c6\\'e0}")
            << QStringLiteral("Жа");
        QTest::newRow("font without charset falls back to ansicpg")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'d3}")
            << QStringLiteral("У");
        QTest::newRow("charset 0 is Western")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 A;}}\\f0 \\'e9}")
            << QStringLiteral("é");
        QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e}") << QStringLiteral("é");
        QTest::newRow("double-byte code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0x}") << QStringLiteral("あx");
        QTest::newRow("unicode skips its stand-in")
            << QByteArray("{\\rtf1\\uc1 \\u1046?\\u1078\\'3fz}") << QStringLiteral("Жжz");
        QTest::newRow("uc0 and uc2")
            << QByteArray("{\\rtf1\\uc0\\u1088\\uc2 \\u1089\\'3f\\'3fy}") << QStringLiteral("рсy");
        QTest::newRow("uc scoped to its group")
            << QByteArray("{\\rtf1{\\uc2 \\u1046??}\\u1046?x}") << QStringLiteral("ЖЖx");
        QTest::newRow("negative unicode and surrogates")
            << QByteArray("{\\rtf1 \\u-4064?\\u-10179?\\u-8704?}")
            << QStringLiteral("\uf020") + QString::fromUcs4(U"😀");
        QTest::newRow("skipped destinations")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                          "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\header H}{\\footer F}"
                          "a{\\footnote N}b{\\*\\unknown U}c{\\*\\bkmkstart K}d}")
            << QStringLiteral("abcd");
        QTest::newRow("binary data with braces in a picture")
            << QByteArray("{\\rtf1 a{\\pict\\bin5 }}{\\x}b}c") << QStringLiteral("a\uFFFCb");
        QTest::newRow("field keeps its result")
            << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://x\"}"
                          "{\\fldrslt link}} now}")
            << QStringLiteral("see link now");
        QTest::newRow("a picture cut off by the end of the file")
            << QByteArray("{\\rtf1 a{\\pict\\bin9 }}") << QStringLiteral("a");
        QTest::newRow("cells outside a table stay apart")
            << QByteArray("{\\rtf1 a\\cell b\\row c}") << QStringLiteral("a\tb\nc");
        QTest::newRow("missing closing brace")
            << QByteArray("{\\rtf1 kept {\\b bold") << QStringLiteral("kept bold");
        QTest::newRow("text after the last brace")
            << QByteArray("{\\rtf1 in} out") << QStringLiteral("in");
        QTest::newRow("not rtf") << QByteArray("rtf1 plain") << QStringLiteral("<not rtf>");
        QTest::newRow("byte-order mark")
            << QByteArray("\xef\xbb\xbf{\\rtf1 x}") << QStringLiteral("x");
        QTest::newRow("control word too long")
            << QByteArray("{\\rtf1 \\") + QByteArray(100, 'a') + QByteArray(" z}")
            << QStringLiteral("z");
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1\\fs99999999999999\\uc99999999 \\u99999999999?a}")
            << QStringLiteral("");
    }

    void readsText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(readText(rtf), text);
    }

    void deepNestingNeitherCrashesNorLosesText()
    {
        const int depth = 200000;
        const QByteArray rtf =
            "{\\rtf1 a" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + "b}";
        QCOMPARE(readText(rtf), QStringLiteral("ab"));
        QCOMPARE(readText("{\\rtf1 a" + QByteArray(5000, '{') + "x" + QByteArray(5000, '}') + "}"),
                 QStringLiteral("ax"));
    }

    void readsCharacterFormatting()
    {
        QTextDocument doc;
        rtf::read(
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset0 Courier "
            "New;}}{\\colortbl;\\red255\\green0\\blue0;}"
            "\\f0\\fs20 n{\\b\\i\\ul\\strike\\f1\\fs30\\cf1 f}\\b b\\plain p}",
            doc);
        QCOMPARE(textOf(doc), QStringLiteral("nfbp"));
        const CharAttributes n = charAt(doc, 0);
        QCOMPARE(n.name, QStringLiteral("Arial"));
        QCOMPARE(n.size, 10);
        QCOMPARE(n.style, 0);
        QCOMPARE(n.charset, 204);
        const CharAttributes f = charAt(doc, 1);
        QCOMPARE(f.name, QStringLiteral("Courier New"));
        QCOMPARE(f.size, 15);
        QCOMPARE(f.style,
                 fontstyle::Bold | fontstyle::Italic | fontstyle::Underline | fontstyle::StrikeOut);
        QCOMPARE(f.color, 0x000000FFu);
        QCOMPARE(f.charset, 0);
        QCOMPARE(charAt(doc, 2).style, fontstyle::Bold); // the group's formatting ended
        QCOMPARE(charAt(doc, 3).style, 0);
        QCOMPARE(charAt(doc, 3).size, 12); // \plain
    }

    void readsParagraphFormatting()
    {
        QTextDocument doc;
        rtf::read("{\\rtf1\\pard\\qc\\fi-360\\li720\\ri100 a\\par\\qj b\\par\\pard c\\par"
                  "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}d\\par"
                  "\\pard{\\*\\listtable{\\list{\\listlevel\\levelnfc23\\levelnfcn23}"
                  "{\\listlevel\\levelnfc0}\\listid7}}"
                  "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}"
                  "\\ls1 e\\par\\ilvl1 f\\par\\pard g}",
                  doc);
        QCOMPARE(textOf(doc), QStringLiteral("a\nb\nc\nd\ne\nf\ng"));
        QCOMPARE(paraAt(doc, 0),
                 (ParaAttributes{Alignment::Center, Numbering::None, 360, 360, 100}));
        QCOMPARE(paraAt(doc, 1).alignment, Alignment::Justify);
        QCOMPARE(paraAt(doc, 1).firstIndent, 360); // \par keeps the paragraph's formatting
        QCOMPARE(paraAt(doc, 2), ParaAttributes{});
        QCOMPARE(paraAt(doc, 3).numbering, Numbering::Bullet);
        QCOMPARE(paraAt(doc, 4).numbering, Numbering::Bullet); // a bullet level of a list
        QCOMPARE(paraAt(doc, 5).numbering, Numbering::None);   // a numbered level
        QCOMPARE(paraAt(doc, 6).numbering, Numbering::None);
    }

    void numberedParagraphsKeepTheirNumbers_data()
    {
        // Paragraph by paragraph: its text, and "*" for a bullet.
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("paragraphs");
        const QByteArray lists =
            "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
            "{\\listlevel\\levelnfc4\\levelfollow1{\\leveltext\\'04\\'00.\\'01);}}\\listid7}"
            "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}\\listid8}"
            "{\\list{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'02\\'00.;}}"
            "{\\listlevel\\levelnfc255{\\leveltext\\'00;}}\\listid9}}"
            "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}{\\listoverride\\listid8\\ls2}"
            "{\\listoverride\\listid9\\ls3}}";
        QTest::newRow("list text") << "{\\rtf1" + lists +
                                          "{\\listtext\\pard\\plain 1.\\tab}\\pard\\ls1 one\\par"
                                          "{\\listtext\\pard\\plain 2.\\tab}two\\par}"
                                   << QStringList{"1.\tone", "2.\ttwo"};
        QTest::newRow("list text before the paragraph's formatting")
            << "{\\rtf1" + lists +
                   "{intro\\par{\\listtext 1.\\tab}}\\pard\\fi-360\\li720\\ls1 {item\\par}}"
            << QStringList{"intro", "1.\titem"};
        QTest::newRow("numbers of old word processors")
            << QByteArray("{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}"
                          "one\\par{\\pntext\\f0 2.\\tab}{\\*\\pn\\pnlvlbody\\pndec}two}")
            << QStringList{"1.\tone", "2.\ttwo"};
        QTest::newRow("bullets stay bullets")
            << "{\\rtf1" + lists +
                   "\\pard\\ls2{\\listtext\\f0 \\u-3913 ?\\tab}a\\par"
                   "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}b}"
            << QStringList{"*a", "*b"};
        QTest::newRow("numbers made from the level's text")
            << "{\\rtf1" + lists +
                   "\\pard\\ls1 a\\par\\ilvl1 b\\par c\\par\\ilvl0 d\\par\\ilvl1 e\\par"
                   "\\pard x\\par\\ls1 f}"
            << QStringList{"1.\ta", "1.a) b", "1.b) c", "2.\td", "2.a) e", "x", "3.\tf"};
        QTest::newRow("roman numbers from where the level starts; levels without numbers")
            << "{\\rtf1" + lists + "\\pard\\ls3 a\\par b\\par\\ilvl1 c}"
            << QStringList{"iii.\ta", "iv.\tb", "c"};
        QTest::newRow("list text of a paragraph in no list")
            << QByteArray("{\\rtf1{\\listtext\\'b7\\tab}b}") << QStringList{"\u00b7\tb"};
    }

    void numberedParagraphsKeepTheirNumbers()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, paragraphs);
        QTextDocument doc;
        QVERIFY(rtf::read(rtf, doc));
        QStringList got;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            got << (b.textList() ? QStringLiteral("*") : QString()) + b.text();
        QCOMPARE(got, paragraphs);
    }

    void writerEscapesAndEncodes()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat russian;
        russian.setProperty(textformat::kCharsetProperty, charset::Russian);
        c.insertText(QStringLiteral("a{b}\\c\tЖ€ä漢\u2028"), russian);
        const QByteArray out = rtf::write(doc, CharAttributes{}, QPalette());
        QVERIFY(out.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0"));
        // Readers that ignore \ansicpg read Unicode; others the code page's bytes
        // in the character set the fonts declare.
        QVERIFY2(out.contains("a\\{b\\}\\\\c\\tab \\u1046\\'c6\\u8364\\'88\\u228?\\u28450?\\line }"
                              "\\par"),
                 out.constData());
        QVERIFY2(out.contains("\\fcharset204") && !out.contains("\\fcharset1 "), out.constData());
        QCOMPARE(readText(out), QStringLiteral("a{b}\\c\tЖ€ä漢\u2028"));
    }

    void controlCharactersSurviveEveryCodePage()
    {
        QTextDocument doc;
        QTextCharFormat japanese;
        japanese.setProperty(textformat::kCharsetProperty, 128);
        QTextCursor(&doc).insertText(QStringLiteral("a\x1a\x1c\x01\x7f"
                                                    "b"),
                                     japanese);
        QCOMPARE(readText(rtf::write(doc, CharAttributes{}, QPalette())),
                 QStringLiteral("a\x1a\x1c\x01\x7f"
                                "b"));
    }

    void roundTripKeepsTextAndAttributes()
    {
        QRandomGenerator rng(20261207);
        const QStringList fonts{QStringLiteral("Arial"), QStringLiteral("Times New Roman"),
                                QStringLiteral("DejaVu Sans Mono")};
        const QList<int> charsets{charset::Default, charset::Russian, charset::Ansi};
        const QString alphabet = QStringLiteral("abcXYZ 019.,;{}\\\tЖжЁёЩщ№€äé漢\u00a0\u2028");
        for (int round = 0; round < 40; ++round) {
            QTextDocument doc;
            QTextCursor c(&doc);
            QSet<std::pair<QString, int>> fontsWithCyrillic;
            const int paragraphs = int(rng.bounded(1, 6));
            for (int p = 0; p < paragraphs; ++p) {
                if (p > 0)
                    c.insertBlock();
                ParaAttributes pa{Alignment(rng.bounded(4)), Numbering(rng.bounded(2)),
                                  int(rng.bounded(-200, 2000)), int(rng.bounded(-400, 400)),
                                  int(rng.bounded(0, 1000))};
                QTextBlockFormat bf;
                textformat::applyParagraph(bf, pa);
                c.setBlockFormat(bf);
                if (pa.numbering == Numbering::Bullet)
                    c.createList(textformat::bulletListFormat());
                for (int r = int(rng.bounded(0, 5)); r > 0; --r) {
                    CharAttributes a{fonts[rng.bounded(int(fonts.size()))], int(rng.bounded(6, 40)),
                                     int(rng.bounded(16)), rng.generate() & 0xFFFFFF,
                                     charsets[rng.bounded(int(charsets.size()))]};
                    QString text;
                    for (int i = int(rng.bounded(1, 12)); i > 0; --i)
                        text += alphabet.at(rng.bounded(int(alphabet.size())));
                    if (text.contains(QRegularExpression(QStringLiteral("[Ж-щЁё]"))))
                        fontsWithCyrillic.insert({a.name, a.charset});
                    c.insertText(text, textformat::toCharFormat(a, kAllCharFields, QPalette()));
                }
            }

            const CharAttributes defaults{QStringLiteral("Arial"), 10, 0, 0x80000008u,
                                          charset::Default};
            QTextDocument back;
            QVERIFY(rtf::read(rtf::write(doc, defaults, QPalette()), back));
            QCOMPARE(textOf(back), textOf(doc));
            for (int i = 0; i < doc.characterCount() - 1; ++i) {
                if (doc.characterAt(i) == QChar::ParagraphSeparator)
                    continue;
                // The code page's own fonts come back named by its character
                // set, and so do fonts that hold Cyrillic text.
                CharAttributes want = charAt(doc, i);
                if (want.charset == charset::Default ||
                    fontsWithCyrillic.contains({want.name, want.charset}))
                    want.charset = charset::Russian;
                QCOMPARE(charAt(back, i), want);
            }
            for (int b = 0; b < doc.blockCount(); ++b) {
                // A bullet hangs: its text starts at a tab stop past it.
                ParaAttributes want = paraAt(doc, b);
                if (want.numbering == Numbering::Bullet && want.leftIndent <= 0)
                    want.leftIndent = 360;
                QCOMPARE(paraAt(back, b), want);
            }
        }
    }

    void controlLoadsAndSavesRichText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.rtf"));
        TRichEdit edit;
        edit.setPlainTextMode(false);
        edit.setWholeText("\xcf\xf0\xe8\r\nline two");
        edit.selectAll();
        edit.setSelAttributes(CharAttributes{{}, 0, fontstyle::Bold, 0, 0}, CharField::Style);
        edit.saveToFile(path);

        TRichEdit other;
        other.setPlainTextMode(false);
        other.loadFromFile(path);
        QCOMPARE(other.wholeText(), QByteArray("\xcf\xf0\xe8\r\nline two"));
        QCOMPARE(other.selAttributes().style, fontstyle::Bold);
        QVERIFY(!other.isModified());
        QVERIFY(!other.canUndo());

        // Content that is not RTF is read as plain text; the mode stays.
        QFile plain(dir.filePath(QStringLiteral("b.rtf")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("just {text}\n");
        plain.close();
        other.loadFromFile(plain.fileName());
        QCOMPARE(other.wholeText(), QByteArray("just {text}\r\n"));
        QVERIFY(!other.isPlainTextMode());
    }

    void clipboardCarriesRichText()
    {
        TRichEdit edit;
        edit.setWholeText("one two");
        edit.setSelStart(4);
        edit.setSelLength(3);
        edit.setSelAttributes(CharAttributes{{}, 0, fontstyle::Italic, 0, 0}, CharField::Style);
        edit.copy();
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));
        QVERIFY(edit.canPaste(QStringLiteral("text/rtf")));

        TRichEdit target;
        target.paste();
        QCOMPARE(target.wholeText(), QByteArray("two"));
        target.setSelStart(1);
        QCOMPARE(target.selAttributes().style, fontstyle::Italic);
    }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
