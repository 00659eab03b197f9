// Tables, pictures and objects in RTF: what the reader makes of them, what
// the writer gives back, and how the control shows them in its text view.

#include "platform/richedit/Pictures.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/richedit/TRichEdit.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>

namespace {

// A document's paragraphs, one a line, and its tables as "[a|b/c|d]": rows
// apart by "/", cells by "|", paragraphs of a cell by "¶".
QString describe(const QTextDocument &doc)
{
    QStringList parts;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        const auto *table = qobject_cast<QTextTable *>(it.currentFrame());
        if (!table) {
            parts << it.currentBlock().text();
            continue;
        }
        QStringList rows;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); c += table->cellAt(r, c).columnSpan()) {
                QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                cell.setPosition(table->cellAt(r, c).lastCursorPosition().position(),
                                 QTextCursor::KeepAnchor);
                cells << cell.selectedText().replace(QChar::ParagraphSeparator, u'¶');
            }
            rows << cells.join(u'|');
        }
        parts << u'[' + rows.join(u'/') + u']';
    }
    return parts.join(u'\n');
}

QByteArray encoded(const char *format, QSize size = {4, 2})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The format of the document's first object character.
QTextCharFormat firstObject(const QTextDocument &doc)
{
    const int at = doc.toRawText().indexOf(QChar::ObjectReplacementCharacter);
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(at + 1);
    return at >= 0 ? c.charFormat() : QTextCharFormat();
}

// What an object is: the kind of its image, or the label of its box.
QString kindOf(const QTextCharFormat &f)
{
    const QByteArray data = pictures::encodedData(f);
    if (data.startsWith("\x89PNG"))
        return QStringLiteral("PNG");
    if (data.startsWith("\xFF\xD8"))
        return QStringLiteral("JPEG");
    return f.stringProperty(pictures::kLabelProperty);
}

QTextDocument *read(const QByteArray &rtf, rtf::Losses *losses = nullptr)
{
    auto *doc = new QTextDocument(qApp);
    rtf::read(rtf, *doc, losses);
    return doc;
}

QByteArray written(const QTextDocument &doc)
{
    return rtf::write(doc, CharAttributes{QStringLiteral("Arial")}, QPalette());
}

} // namespace

class TestRtfObjects : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tablesAreReadAndWrittenBack_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("document");
        QTest::addColumn<int>("nestedTables");
        QTest::newRow("rows of a word processor")
            << QByteArray("{\\rtf1 before\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell"
                          "\\pard\\intbl b\\cell\\row\\pard\\trowd\\cellx1000\\cellx2000"
                          "\\pard\\intbl c\\cell d\\cell\\row\\pard after\\par}")
            << QStringLiteral("before\n[a|b/c|d]\nafter") << 0;
        QTest::newRow("a row definition and no \\intbl; the table starts the text")
            << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row after}")
            << QStringLiteral("\n[a|b]\nafter") << 0;
        QTest::newRow("paragraphs and empty cells")
            << QByteArray("{\\rtf1\\trowd\\cellx900\\cellx1800\\cellx2700\\pard\\intbl a\\par b"
                          "\\cell\\cell c\\cell\\row}")
            << QStringLiteral("\n[a¶b||c]\n") << 0;
        QTest::newRow("a short row spans the rest")
            << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                          "\\trowd\\cellx2000\\intbl c\\cell\\row}")
            << QStringLiteral("\n[a|b/c]\n") << 0;
        QTest::newRow("two tables and the paragraph between")
            << QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl a\\cell\\row\\pard\\par"
                          "\\trowd\\cellx1000\\intbl b\\cell\\row\\pard end}")
            << QStringLiteral("\n[a]\n\n[b]\nend") << 0;
        QTest::newRow("a bulleted first cell")
            << QByteArray("{\\rtf1 before\\par\\trowd\\cellx900\\pard\\intbl{\\pntext\\'b7\\tab}"
                          "{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}a\\cell\\row\\pard after}")
            << QStringLiteral("before\n[a]\nafter") << 0;
        QTest::newRow("a table in a table is kept as text of its cell")
            << QByteArray("{\\rtf1\\trowd\\cellx3000\\pard\\intbl outer\\par\\pard\\intbl\\itap2 x"
                          "\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\nestrow}"
                          "{\\nonesttables\\par}\\pard\\intbl\\itap1 end\\cell\\row}")
            << QStringLiteral("\n[outer¶x\ty¶end]\n") << 1;
    }

    void tablesAreReadAndWrittenBack()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, document);
        QFETCH(int, nestedTables);
        rtf::Losses losses;
        const std::unique_ptr<QTextDocument> doc(read(rtf, &losses));
        QCOMPARE(describe(*doc), document);
        QCOMPARE(losses.nestedTables, nestedTables);

        const QByteArray out = written(*doc);
        rtf::Losses again;
        const std::unique_ptr<QTextDocument> back(read(out, &again));
        QCOMPARE(describe(*back), document);
        QCOMPARE(again.nestedTables, 0);
    }

    // Counted, so that the user is told before a save drops them; a
    // starred group is the writer's own business, never the user's text.
    void partsNotKeptAreCounted_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("droppedParts");
        QTest::newRow("none") << QByteArray("{\\rtf1 text{\\*\\generator x;}}") << 0;
        QTest::newRow("header and footer")
            << QByteArray("{\\rtf1{\\header \\pard page\\par}{\\footerl \\pard 1\\par}text}") << 2;
        QTest::newRow("a footnote and a comment")
            << QByteArray("{\\rtf1 text{\\super\\chftn}{\\footnote \\pard note}"
                          "{\\*\\atnid me}{\\annotation remark}}")
            << 2;
    }

    void partsNotKeptAreCounted()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, droppedParts);
        rtf::Losses losses;
        const std::unique_ptr<QTextDocument> doc(read(rtf, &losses));
        QCOMPARE(losses.droppedParts, droppedParts);
        QVERIFY(doc->toPlainText().startsWith(QLatin1String("text")));
    }

    // A cell that spans rows (a word processor's vertical merge) is one
    // cell when read, and one again after our own save.
    void cellsMergedDownSurvive()
    {
        const QByteArray rtf =
            "{\\rtf1\\trowd\\clvmgf\\cellx1000\\cellx2000\\intbl tall\\cell a\\cell"
            "\\row\\trowd\\clvmrg\\cellx1000\\cellx2000\\intbl\\cell b\\cell\\row"
            "\\trowd\\cellx1000\\cellx2000\\intbl c\\cell d\\cell\\row\\pard}";
        for (const QByteArray &bytes : {rtf, written(*std::unique_ptr<QTextDocument>(read(rtf)))}) {
            const std::unique_ptr<QTextDocument> doc(read(bytes));
            QTextCursor c(doc.get());
            c.movePosition(QTextCursor::NextBlock);
            const QTextTable *table = c.currentTable();
            QVERIFY(table);
            QCOMPARE(table->cellAt(0, 0).rowSpan(), 2);
            QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(),
                     QStringLiteral("tall"));
            QCOMPARE(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("b"));
            QCOMPARE(table->cellAt(2, 0).rowSpan(), 1);
        }
    }

    void columnWidthsAndBordersSurvive()
    {
        const std::unique_ptr<QTextDocument> doc(
            read("{\\rtf1\\trowd\\trleft100\\clbrdrt\\brdrs\\cellx1600\\cellx4600\\intbl a\\cell "
                 "b\\cell\\row}"));
        const std::unique_ptr<QTextDocument> back(read(written(*doc)));
        for (const QTextDocument *d : {doc.get(), back.get()}) {
            const auto *table = qobject_cast<QTextTable *>(d->rootFrame()->childFrames().value(0));
            QVERIFY(table);
            const QList<QTextLength> widths = table->format().columnWidthConstraints();
            QCOMPARE(widths.size(), 2);
            QCOMPARE(widths[0].rawValue() * pictures::kTwipsPerPixel, 1500.0);
            QCOMPARE(widths[1].rawValue() * pictures::kTwipsPerPixel, 3000.0);
            QVERIFY(table->format().border() > 0);
        }
    }

    void picturesAndObjectsAreKept_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QByteArray>("image"); // the encoded image it shows; empty: a box
        QTest::addColumn<QString>("label");
        QTest::addColumn<QSizeF>("twips");
        const QByteArray png = encoded("PNG");
        const QByteArray jpeg = encoded("JPEG");
        const QByteArray pngHex = png.toHex();
        QTest::newRow("PNG at its goal size")
            << "{\\pict\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300 " + pngHex + "}" << png
            << QString() << QSizeF(600, 300);
        QTest::newRow("JPEG scaled, binary data")
            << "{\\pict\\jpegblip\\picwgoal600\\pichgoal300\\picscalex50\\picscaley200\\bin" +
                   QByteArray::number(jpeg.size()) + ' ' + jpeg + "}"
            << jpeg << QString() << QSizeF(300, 600);
        QTest::newRow("PNG of its own size, 96 per inch")
            << "{\\pict\\pngblip " + pngHex + "}" << png << QString() << QSizeF(60, 30);
        QTest::newRow("the PNG of a picture kept for new readers")
            << "{\\*\\shppict{\\pict\\pngblip\\picwgoal100\\pichgoal50 " + pngHex +
                   "}}\r\n{\\nonshppict{\\pict\\wmetafile8\\picwgoal100\\pichgoal50 0100}}"
            << png << QString() << QSizeF(100, 50);
        QTest::newRow("WMF, size in hundredths of a millimetre")
            << QByteArray("{\\pict\\wmetafile8\\picw2540\\pich1270 0100090000}") << QByteArray()
            << QStringLiteral("WMF picture") << QSizeF(1440, 720);
        QTest::newRow("EMF with its WMF for older readers, kept together")
            << QByteArray("{\\*\\shppict{\\pict\\emfblip\\picwgoal200\\pichgoal100 01}}"
                          "{\\nonshppict{\\pict\\wmetafile8\\picwgoal200\\pichgoal100 02}}")
            << QByteArray() << QStringLiteral("EMF picture") << QSizeF(200, 100);
        QTest::newRow("damaged PNG")
            << QByteArray("{\\pict\\pngblip\\picwgoal300\\pichgoal300 89504e470d0a1a0a00}")
            << QByteArray() << QStringLiteral("Picture") << QSizeF(300, 300);
        QTest::newRow("a PNG claiming 60000 by 60000 pixels")
            << "{\\pict\\pngblip\\picwgoal99999999\\pichgoal-5 " + png.left(16).toHex() +
                   "0000ea600000ea60" + png.mid(24).toHex() + "}"
            << QByteArray() << QStringLiteral("Picture") << QSizeF(31680, 1);
        QTest::newRow("embedded object")
            << QByteArray("{\\object\\objemb{\\*\\objclass Excel.Sheet.8}\\objw2000\\objh1000"
                          "{\\*\\objdata 0105}{\\result{\\pict\\wmetafile8 01}}}")
            << QByteArray() << QStringLiteral("Object") << QSizeF(2000, 1000);
        QTest::newRow("drawing")
            << QByteArray("{\\shp{\\*\\shpinst\\shpleft100\\shptop0\\shpright1100\\shpbottom400"
                          "{\\sp{\\sn shapeType}{\\sv 1}}}}")
            << QByteArray() << QStringLiteral("Drawing") << QSizeF(1000, 400);
    }

    void picturesAndObjectsAreKept()
    {
        QFETCH(QByteArray, group);
        QFETCH(QByteArray, image);
        QFETCH(QString, label);
        QFETCH(QSizeF, twips);
        const std::unique_ptr<QTextDocument> doc(read("{\\rtf1 a" + group + "b\\par}"));
        const std::unique_ptr<QTextDocument> back(read(written(*doc)));
        for (const QTextDocument *d : {doc.get(), back.get()}) {
            QCOMPARE(d->toRawText(), QStringLiteral("a\uFFFCb"));
            const QTextCharFormat f = firstObject(*d);
            QCOMPARE(pictures::sizeInTwips(f), twips);
            QCOMPARE(pictures::encodedData(f), image);
            if (image.isEmpty()) {
                QCOMPARE(pictures::rtfGroup(f), group); // byte for byte
                QCOMPARE(f.stringProperty(pictures::kLabelProperty), label);
            } else {
                QVERIFY(!d->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                             .value<QImage>()
                             .isNull());
            }
        }
    }

    // A letter that a word processor made (LibreOffice 7.4, from a document
    // with a PNG, a JPEG, a WMF drawing and a table of three by three).
    void aWordProcessorsLetterKeepsItsPicturesAndTable()
    {
        QFile file(QStringLiteral(SCRIVLET_TEST_DATA_DIR "/letter.rtf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::unique_ptr<QTextDocument> doc(read(file.readAll()));
        const std::unique_ptr<QTextDocument> back(read(written(*doc)));
        for (const QTextDocument *d : {doc.get(), back.get()}) {
            QCOMPARE(describe(*d),
                     QStringLiteral("Дорогой друг, dear friend,\n"
                                    "here is the picture I promised: \uFFFC\n"
                                    "A photo \uFFFC and a drawing \uFFFC.\n"
                                    "Счёт за май, the bill for May:\n"
                                    "[Товар|Qty|Price/Бумага paper|2|10/Ручка pen|5|3]\n"
                                    "С уважением, yours truly."));
            QStringList objects;
            for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) {
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat f = it.fragment().charFormat();
                    if (pictures::isObject(f))
                        objects << kindOf(f);
                }
            }
            QCOMPARE(objects, (QStringList{"PNG", "JPEG", "WMF picture"}));
        }
    }

    void tableCellsAreLinesOfTheTextInReadingOrder()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("t.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 top\\par\\trowd\\cellx1000\\cellx2000\\intbl a1\\cell b1\\par b2\\cell"
                   "\\row\\trowd\\cellx1000\\cellx2000\\intbl c\\cell{\\pict\\wmetafile8 01}d\\cell"
                   "\\row\\pard end}");
        file.close();
        TRichEdit edit;
        edit.setPlainTextMode(false);
        edit.loadFromFile(file.fileName());
        const QByteArray text = "top\r\na1\r\nb1\r\nb2\r\nc\r\n\x1A" "d\r\nend";
        QCOMPARE(edit.wholeText(), text);
        QCOMPARE(edit.textLength(), text.size());
        for (const QByteArray word : {"b2", "\x1A" "d", "end", "top", "a1"}) {
            const int at = int(text.indexOf(word));
            edit.setSelStart(at);
            edit.setSelLength(int(word.size()));
            QCOMPARE(edit.selStart(), at);
            QCOMPARE(edit.selText(), word);
        }
        // Replacing text in a cell keeps the table.
        edit.setSelStart(int(text.indexOf("b1")));
        edit.setSelLength(2);
        edit.setSelText("B");
        QCOMPARE(edit.wholeText(), QByteArray("top\r\na1\r\nB\r\nb2\r\nc\r\n\x1A" "d\r\nend"));
        QCOMPARE(edit.lineFromChar(int(text.indexOf("end")) - 1), 6);

        edit.setWholeText("plain");
        QCOMPARE(edit.wholeText(), QByteArray("plain"));
        QVERIFY(edit.document()->rootFrame()->childFrames().isEmpty());
    }

    void pastedPicturesGoIntoRichDocumentsOnly_data()
    {
        QTest::addColumn<bool>("asRtf");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<bool>("taken");
        QTest::newRow("a picture into a rich document") << false << false << true;
        QTest::newRow("a picture into a plain document") << false << true << false;
        QTest::newRow("RTF with a picture") << true << false << true;
    }

    void pastedPicturesGoIntoRichDocumentsOnly()
    {
        QFETCH(bool, asRtf);
        QFETCH(bool, plain);
        QFETCH(bool, taken);
        const QByteArray png = encoded("PNG", {30, 15});
        auto *source = new QMimeData;
        if (asRtf)
            source->setData(QStringLiteral("text/rtf"),
                            "{\\rtf1{\\pict\\pngblip " + png.toHex() + "}}");
        else
            source->setImageData(QImage::fromData(png));
        QApplication::clipboard()->setMimeData(source);
        TRichEdit edit;
        edit.setPlainTextMode(plain);
        QCOMPARE(edit.canPaste(QStringLiteral("image/png")), !plain);
        edit.paste();
        QCOMPARE(edit.textLength(), taken ? 1 : 0);
        if (!taken)
            return;
        const QTextCharFormat f = firstObject(*edit.document());
        QCOMPARE(pictures::sizeInTwips(f), QSizeF(450, 225));
        QCOMPARE(QImage::fromData(pictures::encodedData(f)).size(), QSize(30, 15));
        QVERIFY(!edit.document()
                     ->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()))
                     .value<QImage>()
                     .isNull());
        QVERIFY(edit.hasFormatting());
    }
};

QTEST_MAIN(TestRtfObjects)
#include "tst_rtf_objects.moc"
