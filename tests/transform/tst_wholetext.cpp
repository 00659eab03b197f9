// Whole-text commands on a formatted document: the text changes as the
// command's byte table says, and nothing else does.

#include "platform/richedit/TRichEdit.h"
#include "platform/text/AnsiCodec.h"
#include "transform/CaseConversion.h"
#include "transform/CodePages.h"
#include "transform/Utf8Conversion.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

Q_DECLARE_METATYPE(const ByteTable *)

namespace {

const QString kForeign = QStringLiteral("Ω") + QString::fromUcs4(U"😀");

// Every paragraph's format and every character's, as indexes into the
// document's shared formats: equal lists, equal formatting.
QList<int> formatting(const QTextDocument &doc)
{
    QList<int> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        out << -1 << b.blockFormatIndex() << b.charFormatIndex() << int(b.textList() != nullptr);
        for (auto it = b.begin(); !it.atEnd(); ++it)
            out.append(QList<int>(it.fragment().length(), it.fragment().charFormatIndex()));
    }
    return out;
}

// A letter: a centred underlined title, bold words of which one holds
// characters the code page lacks, an italic one, an indented bullet, and
// letters in two styles.
void writeLetter(TRichEdit &edit)
{
    edit.setPlainTextMode(false);
    edit.setWholeText(ansi::encode(u"Title ABC\r\nBold Шах and Italic\r\nBullet XYZ\r\nplain Ёж"));
    const auto style = [&](int start, int length, int bits) {
        edit.setSelStart(start);
        edit.setSelLength(length);
        CharAttributes a;
        a.style = bits;
        edit.setSelAttributes(a, CharField::Style);
    };
    style(0, 9, fontstyle::Underline);
    style(11, 8, fontstyle::Bold);
    style(24, 6, fontstyle::Italic);
    style(50, 2, fontstyle::Bold | fontstyle::Italic);
    edit.setSelStart(0);
    edit.setParagraph({.alignment = Alignment::Center}, ParaField::Alignment);
    edit.setSelStart(33);
    edit.setParagraph({.numbering = Numbering::Bullet, .leftIndent = 20});
    QTextCursor c(edit.document());
    c.setPosition(12);
    c.insertText(kForeign); // bold, as the text around it
}

// A table with a picture in one of its cells, read from RTF as a word
// processor writes it.
void readTable(TRichEdit &edit, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("table.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1 Top ABC\\par\\trowd\\cellx1000\\cellx2000\\intbl {\\b Ab}\\cell Cd"
               "{\\pict\\wmetafile8\\picw100\\pich100 0102}\\cell\\row\\pard End}");
    file.close();
    edit.setPlainTextMode(false);
    edit.loadFromFile(path);
}

enum class Document { Plain, Letter, TableAndPicture };

} // namespace

Q_DECLARE_METATYPE(Document)

class TestWholeText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsChangeTheTextInPlace_data()
    {
        QTest::addColumn<const ByteTable *>("table");
        QTest::addColumn<Document>("document");
        QTest::newRow("EngToLower") << &upperToLowerTable() << Document::Letter;
        QTest::newRow("Dos866->Win1251") << &codepages::dos866To1251() << Document::Letter;
        QTest::newRow("Win1251->Dos866") << &codepages::win1251ToDos() << Document::Letter;
        QTest::newRow("Koi8->Win1251") << &codepages::koi8To1251() << Document::Letter;
        QTest::newRow("Win1251->Koi8") << &codepages::win1251ToKoi8() << Document::Letter;
        QTest::newRow("EngToLower, plain text") << &upperToLowerTable() << Document::Plain;
        QTest::newRow("EngToLower, a table and a picture")
            << &upperToLowerTable() << Document::TableAndPicture;
        QTest::newRow("Win1251->Koi8, a table and a picture")
            << &codepages::win1251ToKoi8() << Document::TableAndPicture;
    }

    void commandsChangeTheTextInPlace()
    {
        QFETCH(const ByteTable *, table);
        QFETCH(Document, document);
        TRichEdit edit;
        const QTemporaryDir dir;
        if (document == Document::Letter)
            writeLetter(edit);
        else if (document == Document::TableAndPicture)
            readTable(edit, dir);
        else
            edit.setWholeText("Plain ABC\r\n\r\nText \xC0\xE1\r\n");
        edit.setModified(false);
        const QByteArray before = edit.wholeText();
        const QString text = edit.document()->toRawText();
        const QList<int> formats = formatting(*edit.document());
        edit.setSelStart(2);
        edit.setSelLength(5);

        applyToWholeText(edit, *table);
        QCOMPARE(edit.wholeText(), mapBytes(before, *table));
        QCOMPARE(formatting(*edit.document()), formats);
        QCOMPARE(edit.document()->toRawText().contains(kForeign), document == Document::Letter);
        QCOMPARE(edit.document()->toRawText().count(QChar::ObjectReplacementCharacter),
                 int(document == Document::TableAndPicture));
        QCOMPARE(edit.selStart(), 2);
        QCOMPARE(edit.selLength(), 5);
        QVERIFY(edit.isModified());

        edit.undo();
        QCOMPARE(edit.document()->toRawText(), text);
        QCOMPARE(formatting(*edit.document()), formats);
    }

    // A long plain document gets the text of a whole-text command as a new
    // state of its own: Undo goes back to the state before with the changes
    // made in it, Redo forward again, an edit after an Undo leaves no Redo,
    // and a state other than the one saved counts as modified.
    void longDocumentsKeepTheirStatesForUndo_data()
    {
        QTest::addColumn<bool>("sameLength");
        QTest::newRow("EngToLower") << true;
        QTest::newRow("a text of another length") << false;
    }

    void longDocumentsKeepTheirStatesForUndo()
    {
        QFETCH(bool, sameLength);
        const QByteArray line = "ABC Abc \xC0\xE1\r\n";
        const QByteArray text = line.repeated(TRichEdit::kLongText / line.size() + 1);
        TRichEdit edit;
        edit.setWholeText(text);
        edit.setSelStart(4);
        edit.setSelText("typed ");
        edit.setModified(false);
        const QByteArray before = edit.wholeText();
        if (sameLength)
            applyToWholeText(edit, upperToLowerTable());
        else
            replaceWholeText(edit, "> " + before);
        const QByteArray after = sameLength ? mapBytes(before, upperToLowerTable()) : "> " + before;
        QCOMPARE(edit.wholeText(), after);
        QCOMPARE(edit.selStart(), sameLength ? 10 : 0);
        QVERIFY(edit.isModified());
        edit.setModified(false); // saved

        edit.undo();
        QCOMPARE(edit.wholeText(), before);
        QVERIFY(edit.isModified());
        edit.undo();
        QCOMPARE(edit.wholeText(), text);
        edit.redo();
        edit.redo();
        QCOMPARE(edit.wholeText(), after);
        QVERIFY(!edit.isModified());

        edit.undo();
        edit.setSelStart(0);
        edit.setSelText("x");
        edit.redo();
        QCOMPARE(edit.wholeText(), "x" + before);
    }

    // Commands that change the text's length write it whole; the characters
    // the code page lacks come back where they stood.
    void wholeWritesKeepCharactersTheCodePageLacks()
    {
        TRichEdit edit;
        edit.setFileFormat({.charset = Charset::Utf8});
        QTextCursor(edit.document())
            .insertText(QStringLiteral("Шах ") + kForeign + QStringLiteral(" и ё"));
        const QString text = edit.document()->toPlainText();
        convertWin1251ToUtf8(edit);
        QVERIFY(edit.document()->toPlainText().contains(kForeign));
        QVERIFY(convertUtf8ToWin1251(edit));
        QCOMPARE(edit.document()->toPlainText(), text);
        edit.setWholeText("> " + edit.wholeText()); // as Replace All writes
        QCOMPARE(edit.document()->toPlainText(), QStringLiteral("> ") + text);
    }
};

QTEST_MAIN(TestWholeText)
#include "tst_wholetext.moc"
