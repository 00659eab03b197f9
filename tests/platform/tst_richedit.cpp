#include "AttributePrinting.h"
#include "ViewedEdit.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/VirtualKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

Q_DECLARE_METATYPE(ParaAttributes)
Q_DECLARE_METATYPE(Charset)

namespace {

QByteArray cp(const QString &text)
{
    return ansi::encode(text);
}

} // namespace

class TestRichEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase_data() { addViewRows(); }

    void lineBreaksBecomeCrLf_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("read");
        QTest::newRow("crlf") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
        QTest::newRow("lone lf") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone cr") << QByteArray("a\rb") << QByteArray("a\r\nb");
        QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb");
        QTest::newRow("lf cr") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("line separator") << QByteArray("a\x0b"
                                                      "b")
                                        << QByteArray("a\x0b"
                                                      "b");
    }

    void lineBreaksBecomeCrLf()
    {
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, read);
        ViewedEdit edit;
        edit.setWholeText(written);
        QCOMPARE(edit.wholeText(), read);
        QCOMPARE(edit.textLength(), read.size());
    }

    // "ab" CR LF "cd" CR LF CR LF "ef": view positions 0..11.
    void positionsCountCrLfAsTwo_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("got");
        QTest::addColumn<int>("line");
        QTest::newRow("start") << 0 << 0 << 0;
        QTest::newRow("before CR") << 2 << 2 << 0;
        QTest::newRow("between CR and LF") << 3 << 2 << 0;
        QTest::newRow("next line") << 4 << 4 << 1;
        QTest::newRow("empty line") << 8 << 8 << 2;
        QTest::newRow("inside empty line's pair") << 9 << 8 << 2;
        QTest::newRow("last line") << 10 << 10 << 3;
        QTest::newRow("very end") << 12 << 12 << 3;
        QTest::newRow("past the end") << 99 << 12 << 3;
        QTest::newRow("negative") << -5 << 0 << 0;
    }

    void positionsCountCrLfAsTwo()
    {
        QFETCH(int, set);
        QFETCH(int, got);
        QFETCH(int, line);
        ViewedEdit edit;
        edit.setWholeText("ab\r\ncd\r\n\r\nef");
        edit.setSelStart(set);
        QCOMPARE(edit.selStart(), got);
        QCOMPARE(edit.selLength(), 0);
        QCOMPARE(edit.lineFromChar(set), line);
        QCOMPARE(edit.lineIndex(line), QList<int>({0, 4, 8, 10}).at(line));
    }

    void selectionReadAndReplaced()
    {
        ViewedEdit edit;
        edit.setWholeText("one\r\ntwo\r\nthree");
        edit.setSelStart(1);
        edit.setSelLength(6);
        QCOMPARE(edit.selText(), QByteArray("ne\r\ntw"));
        QCOMPARE(edit.selLength(), 6);

        edit.setSelText("N\r\nE\nW");
        QCOMPARE(edit.wholeText(), QByteArray("oN\r\nE\r\nWo\r\nthree"));
        QCOMPARE(edit.selStart(), 8); // caret after the inserted text
        QCOMPARE(edit.selLength(), 0);
        QCOMPARE(edit.lineFromChar(-1), 2);
    }

    void positionsStayRightAfterThousandsOfLines()
    {
        QByteArray text;
        for (int i = 0; i < 5000; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        ViewedEdit edit;
        edit.setWholeText(text);
        const int at = int(text.indexOf("line 4321\r\n"));
        QCOMPARE(edit.lineIndex(4321), at);
        QCOMPARE(edit.lineFromChar(at + 9), 4321);  // on the CR
        QCOMPARE(edit.lineFromChar(at + 10), 4321); // between CR and LF
        QCOMPARE(edit.lineFromChar(at + 11), 4322);
        edit.setSelStart(at + 5);
        edit.setSelLength(10);
        QCOMPARE(edit.selText(), QByteArray("4321\r\nline"));
        QCOMPARE(edit.lineIndex(5000), int(text.size())); // the empty last line
        QCOMPARE(edit.lineIndex(5001), -1);
    }

    void wholeTextWriteIsOneUndoStep()
    {
        ViewedEdit edit;
        QVERIFY(!edit.canUndo());
        edit.setWholeText("first");
        edit.setModified(false);
        edit.setWholeText(cp(QStringLiteral("второй\r\nтекст")));
        QVERIFY(edit.isModified());
        QVERIFY(edit.canUndo());
        edit.undo();
        QCOMPARE(edit.wholeText(), QByteArray("first"));
    }

    void typingSetsModifiedAndInsertTogglesOverwrite()
    {
        ViewedEdit edit;
        QSignalSpy keys(&edit, &TRichEdit::keyDown);
        QTest::keyClicks(&edit, QStringLiteral("ab"));
        QVERIFY(edit.isModified());
        QCOMPARE(edit.wholeText(), QByteArray("ab"));

        QTest::keyClick(&edit, Qt::Key_Insert);
        QVERIFY(edit.overwriteMode());
        QCOMPARE(keys.last().at(0).toInt(), vk::Insert);
        edit.setSelStart(0);
        QTest::keyClicks(&edit, QStringLiteral("X"));
        QCOMPARE(edit.wholeText(), QByteArray("Xb"));
        QTest::keyClick(&edit, Qt::Key_Insert);
        QVERIFY(!edit.overwriteMode());
        QCOMPARE(keys.first().at(0).toInt(), int('A'));
    }

    // A plain document holds what its file's encoding can; an RTF one
    // holds every character.
    void charactersTheFileCannotHoldAreRefused_data()
    {
        QTest::addColumn<Charset>("charset");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused");
        const QString emoji = QString::fromUcs4(U"😀");
        const QString greek = QStringLiteral("Щи ½ Ελληνικά\n") + emoji;
        QTest::newRow("Windows-1251, typed") << Charset::Windows1251 << true << emoji << emoji;
        QTest::newRow("Windows-1251, pasted")
            << Charset::Windows1251 << false << greek << QStringLiteral("½");
        QTest::newRow("KOI8-R, typed")
            << Charset::Koi8R << true << QStringLiteral("№") << QStringLiteral("№");
        QTest::newRow("UTF-8, typed") << Charset::Utf8 << true << emoji << QString();
        QTest::newRow("UTF-8, pasted") << Charset::Utf8 << false << greek << QString();
    }

    void charactersTheFileCannotHoldAreRefused()
    {
        QFETCH_GLOBAL(bool, plainView);
        QFETCH(Charset, charset);
        QFETCH(bool, typed);
        QFETCH(QString, text);
        QFETCH(QString, refused);
        ViewedEdit edit;
        edit.setFileFormat({.charset = charset});
        QSignalSpy refusals(&edit, &TRichEdit::characterRefused);
        if (typed) {
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, text, Qt::NoModifier);
        } else {
            QApplication::clipboard()->setText(text);
            edit.paste();
        }
        if (!plainView)
            refused.clear();
        QCOMPARE(edit.document()->toPlainText(), refused.isEmpty() ? text : QString());
        QCOMPARE(refusals.size(), int(!refused.isEmpty()));
        if (!refused.isEmpty())
            QCOMPARE(refusals.first().first().toString(), refused);
    }

    void textLimitStopsTypingAndCutsPaste()
    {
        ViewedEdit edit;
        edit.setTextLimit(5);
        edit.setWholeText("abcdefgh"); // writing by the program is not limited
        QCOMPARE(edit.textLength(), 8);
        edit.setWholeText("abc");
        edit.moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText(QStringLiteral("12345"));
        edit.paste();
        QCOMPARE(edit.wholeText(), QByteArray("abc12"));
        QTest::keyClicks(&edit, QStringLiteral("z"));
        QCOMPARE(edit.wholeText(), QByteArray("abc12"));
        edit.setSelStart(0);
        edit.setSelLength(2);
        QTest::keyClicks(&edit, QStringLiteral("z")); // replacing makes room
        QCOMPARE(edit.wholeText(), QByteArray("zc12"));
    }

    void droppedFilesAreNotText_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("after");
        const QUrl file = QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt"));
        QTest::newRow("a file") << QList<QUrl>{file} << QString() << QByteArray("ab");
        QTest::newRow("a file and its path as text")
            << QList<QUrl>{file} << QStringLiteral("/tmp/notes.txt") << QByteArray("ab");
        QTest::newRow("a web address") << QList<QUrl>{QUrl(QStringLiteral("http://example.org/"))}
                                       << QString() << QByteArray("ahttp://example.org/b");
        QTest::newRow("text") << QList<QUrl>{} << QStringLiteral("x") << QByteArray("axb");
    }

    void droppedFilesAreNotText()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QFETCH(QByteArray, after);
        ViewedEdit edit;
        edit.resize(200, 100);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setWholeText("ab");
        edit.setSelStart(1);
        QMimeData data;
        data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        // Dropped where the caret stands, between "a" and "b".
        const QPoint at = edit.cursorRect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &drop);
        QCOMPARE(edit.wholeText(), after);
    }

    void selectionChangeFollowsCaretAndSelection()
    {
        ViewedEdit edit;
        edit.setWholeText("hello world");
        QSignalSpy spy(&edit, &TRichEdit::selectionChange);
        edit.setSelStart(3);
        QCOMPARE(spy.count(), 1);
        edit.setSelLength(2);
        QCOMPARE(spy.count(), 2);
        edit.setSelLength(2);
        QCOMPARE(spy.count(), 2); // nothing moved
    }

    void selectionAttributesWrittenAndReadBack()
    {
        ViewedEdit edit;
        edit.setWholeText("plain bold plain");
        edit.setSelStart(6);
        edit.setSelLength(4);
        const CharAttributes a{QStringLiteral("DejaVu Serif"), 17,
                               fontstyle::Bold | fontstyle::Underline | fontstyle::StrikeOut,
                               0x000080FFu, charset::Russian};
        edit.setSelAttributes(a);
        QCOMPARE(edit.selAttributes(), a);

        edit.setSelAttributes(CharAttributes{{}, 0, fontstyle::Italic, 0, 0}, CharField::Style);
        CharAttributes italic = a;
        italic.style = fontstyle::Italic;
        QCOMPARE(edit.selAttributes(), italic);

        edit.setSelStart(1);
        QCOMPARE(edit.selAttributes(), edit.defAttributes()); // untouched text
        edit.setSelStart(8);
        QCOMPARE(edit.selAttributes().size, 17); // the caret takes its neighbour's
    }

    void systemColourReferenceKeepsItsIdentity()
    {
        ViewedEdit edit;
        edit.setWholeText("x");
        edit.selectAll();
        CharAttributes a = edit.selAttributes();
        a.color = 0x80000008u;
        edit.setSelAttributes(a, CharField::Color);
        QCOMPARE(edit.selAttributes().color, 0x80000008u);
        QCOMPARE(edit.defAttributes().color, 0x80000008u);
    }

    void defaultAttributesShowThePlainTextAndWhatIsTypedNext()
    {
        ViewedEdit edit;
        edit.setWholeText("some text");
        CharAttributes d = edit.defAttributes();
        d.name = QStringLiteral("DejaVu Sans Mono");
        d.size = 21;
        d.style = fontstyle::Bold;
        d.color = 0x00FF0000u;
        edit.setDefAttributes(d);
        QCOMPARE(edit.defAttributes(), d);
        QCOMPARE(edit.document()->defaultFont().pointSize(), 21);
        QVERIFY(edit.document()->defaultFont().bold());
        edit.setSelStart(4);
        QCOMPARE(edit.selAttributes(), d); // the whole plain text shows them

        // In text with attributes of its own, typing follows the new defaults.
        edit.setWholeText("ab");
        edit.selectAll();
        edit.setSelAttributes(CharAttributes{{}, 30, 0, 0, 0}, CharField::Size);
        edit.moveCursor(QTextCursor::End);
        d.size = 12;
        edit.setDefAttributes(d, CharField::Size);
        QTest::keyClicks(&edit, QStringLiteral("c"));
        edit.setSelStart(2);
        edit.setSelLength(1);
        QCOMPARE(edit.selAttributes().size, 12);
    }

    void paragraphAttributesWrittenAndReadBack()
    {
        ViewedEdit edit;
        edit.setWholeText("one\r\ntwo\r\nthree");
        edit.setSelStart(1);
        edit.setSelLength(5); // into the second paragraph
        const ParaAttributes p{Alignment::Center, Numbering::Bullet, 360, -180, 720};
        edit.setParagraph(p);
        QCOMPARE(edit.paragraph(), p);
        edit.setSelStart(6);
        QCOMPARE(edit.paragraph(), p);
        edit.setSelStart(11);
        QCOMPARE(edit.paragraph(), ParaAttributes{});

        // Each paragraph keeps the fields that were not written.
        edit.selectAll();
        edit.setParagraph(ParaAttributes{Alignment::Right, Numbering::None, 0, 0, 0},
                          ParaField::Alignment | ParaField::Numbering);
        edit.setSelStart(0);
        QCOMPARE(edit.paragraph(),
                 (ParaAttributes{Alignment::Right, Numbering::None, 360, -180, 720}));
        edit.setSelStart(11);
        QCOMPARE(edit.paragraph(), (ParaAttributes{Alignment::Right, Numbering::None, 0, 0, 0}));
        QCOMPARE(edit.wholeText(), QByteArray("one\r\ntwo\r\nthree"));

        // The display: the first line at F, the others at F + L.
        edit.setSelStart(0);
        edit.setParagraph(ParaAttributes{Alignment::Left, Numbering::None, 300, 150, 0});
        const QTextBlockFormat f = edit.document()->firstBlock().blockFormat();
        QCOMPARE(f.leftMargin() + f.textIndent(), 300 / 15.0);
        QCOMPARE(f.leftMargin(), 450 / 15.0);
    }

    void formattingRectangleIsKept()
    {
        ViewedEdit edit;
        edit.resize(300, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const QRect client = edit.clientRect();
        const QRect r(6, 0, client.width() - 12, client.height());
        edit.setFormattingRect(r);
        QCOMPARE(edit.formattingRect(), r);
        QCOMPARE(edit.clientRect(), client);
        QVERIFY(!edit.isModified()); // the rectangle is no edit
        QVERIFY(!edit.canUndo());
        edit.setWholeText("text");
        QCOMPARE(edit.formattingRect(), r);
    }

    void wordWrapAndScrollBars()
    {
        ViewedEdit edit;
        QVERIFY(edit.wordWrap());
        edit.setWordWrap(false);
        QCOMPARE(edit.lineWrapMode(), QTextEdit::NoWrap);
        edit.setScrollBars(TRichEdit::ScrollBars::Vertical);
        QCOMPARE(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(edit.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    // The width the text is laid out in does not depend on its length: a
    // vertical bar that appeared as the text outgrew the window would lay
    // the whole text out again, and in a document taller than INT_MAX / 100
    // pixels (a 100 MB text is) Qt's overflowing scroll range flips such a
    // bar at every move of the caret.
    void theTextKeepsItsWidthWhenItOutgrowsTheWindow()
    {
        ViewedEdit edit;
        edit.resize(400, 300);
        edit.setScrollBars(TRichEdit::ScrollBars::Vertical);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setWholeText("short");
        const int width = edit.viewport()->width();
        QByteArray lines;
        for (int i = 0; i < 200; ++i)
            lines += "line\r\n";
        edit.setWholeText(lines);
        QTRY_VERIFY(edit.verticalScrollBar()->maximum() > 0);
        QCOMPARE(edit.viewport()->width(), width);
    }

    // Keys step over a line end's CR LF at once, and the positions after it
    // count both: "ab" CR LF "cd" CR LF CR LF "ef".
    void keysAcrossLineEnds_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        const QByteArray text = "ab\r\ncd\r\n\r\nef";
        QTest::newRow("End") << QKeySequence(QStringLiteral("End")) << 2 << 0 << 0 << text;
        QTest::newRow("End, Right")
            << QKeySequence(QStringLiteral("End, Right")) << 4 << 0 << 1 << text;
        QTest::newRow("empty line")
            << QKeySequence(QStringLiteral("Down, Down")) << 8 << 0 << 2 << text;
        QTest::newRow("after the empty line")
            << QKeySequence(QStringLiteral("Down, Down, Right")) << 10 << 0 << 3 << text;
        QTest::newRow("back from the last line")
            << QKeySequence(QStringLiteral("Ctrl+End, Home, Left")) << 8 << 0 << 2 << text;
        QTest::newRow("Ctrl+End") << QKeySequence(QStringLiteral("Ctrl+End")) << 12 << 0 << 3
                                  << text;
        QTest::newRow("Shift+Down")
            << QKeySequence(QStringLiteral("Shift+Down")) << 0 << 4 << 0 << text;
        QTest::newRow("Shift+End, Shift+Right")
            << QKeySequence(QStringLiteral("Shift+End, Shift+Right")) << 0 << 4 << 0 << text;
        QTest::newRow("End, Enter") << QKeySequence(QStringLiteral("End, Return")) << 4 << 0 << 1
                                    << QByteArray("ab\r\n\r\ncd\r\n\r\nef");
        QTest::newRow("End, Delete") << QKeySequence(QStringLiteral("End, Del")) << 2 << 0 << 0
                                     << QByteArray("abcd\r\n\r\nef");
        QTest::newRow("Down, Backspace") << QKeySequence(QStringLiteral("Down, Backspace")) << 2
                                         << 0 << 0 << QByteArray("abcd\r\n\r\nef");
    }

    void keysAcrossLineEnds()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        ViewedEdit edit;
        edit.resize(300, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setTextLimit(100);
        edit.setWholeText("ab\r\ncd\r\n\r\nef");
        QTest::keySequence(&edit, keys);
        QCOMPARE(edit.wholeText(), text);
        QCOMPARE(edit.selStart(), start);
        QCOMPARE(edit.selLength(), length);
        QCOMPARE(edit.lineFromChar(-1), line);
    }

    // A key the text leaves alone, such as F3 (Find Again), goes on to the
    // window that holds the control, once.
    void keysTheTextLeavesReachTheWindowOnce()
    {
        class Window : public QWidget
        {
        public:
            int keys = 0;

        protected:
            void keyPressEvent(QKeyEvent *event) override
            {
                ++keys;
                event->ignore();
            }
        };
        Window window;
        auto *edit = new ViewedEdit;
        edit->setParent(&window);
        QTest::keyClick(edit, Qt::Key_F3);
        QCOMPARE(window.keys, 1);
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(window.keys, 1);
        QCOMPARE(edit->wholeText(), QByteArray("a"));
    }

    // The window's own menu is asked for at the point of the text area that
    // was clicked, not the view's standard one.
    void contextMenuIsAskedOfTheWindow()
    {
        ViewedEdit edit;
        edit.setContextMenuPolicy(Qt::CustomContextMenu);
        QSignalSpy asked(&edit, &QWidget::customContextMenuRequested);
        edit.resize(200, 100);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const QPoint at(30, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit.viewport()->mapToGlobal(at));
        QApplication::sendEvent(edit.viewport(), &event);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.at(0).at(0).toPoint(), at);
        QVERIFY(!QApplication::activePopupWidget());
    }

    // The plain view shows paragraphs without attributes of their own; one
    // that gets an alignment, indents or a bullet, set or pasted, moves the
    // document into the rich view, which shows them.
    void paragraphAttributesChooseTheView_data()
    {
        QTest::addColumn<ParaAttributes>("attrs");
        QTest::addColumn<QByteArray>("pastedRtf");
        QTest::addColumn<bool>("plainView");
        const QByteArray none;
        QTest::newRow("defaults set") << ParaAttributes{} << none << true;
        QTest::newRow("centred") << ParaAttributes{Alignment::Center, Numbering::None, 0, 0, 0}
                                 << none << false;
        QTest::newRow("justified")
            << ParaAttributes{Alignment::Justify, Numbering::None, 0, 0, 0} << none << false;
        QTest::newRow("indented") << ParaAttributes{Alignment::Left, Numbering::None, 0, 0, 360}
                                  << none << false;
        QTest::newRow("bulleted") << ParaAttributes{Alignment::Left, Numbering::Bullet, 0, 0, 0}
                                  << none << false;
        QTest::newRow("pasted plain paragraph")
            << ParaAttributes{} << QByteArray("{\\rtf1 \\b bold\\b0\\par}") << true;
        QTest::newRow("pasted centred paragraph")
            << ParaAttributes{} << QByteArray("{\\rtf1 a\\par\\qc centred\\par\\pard b\\par}")
            << false;
    }

    void paragraphAttributesChooseTheView()
    {
        QFETCH(ParaAttributes, attrs);
        QFETCH(QByteArray, pastedRtf);
        QFETCH(bool, plainView);
        ViewedEdit edit;
        const bool plainMode = edit.isPlainTextMode();
        QCOMPARE(edit.showsPlainView(), plainMode);
        edit.setTextLimit(100);
        edit.setWholeText("one\r\ntwo");
        edit.setSelStart(5);
        if (pastedRtf.isEmpty()) {
            edit.setParagraph(attrs);
        } else {
            auto *data = new QMimeData;
            data->setData(QStringLiteral("text/rtf"), pastedRtf);
            QApplication::clipboard()->setMimeData(data);
            edit.paste();
        }
        QTRY_COMPARE(edit.showsPlainView(), plainMode && plainView);
    }

    // What a selection puts on the clipboard: its text, HTML, and RTF that
    // brings back the same text with its attributes.
    void copiedSelectionOffersEveryFormat_data()
    {
        QTest::addColumn<bool>("italic");
        QTest::newRow("text without attributes") << false;
        QTest::newRow("italic text") << true;
    }

    void copiedSelectionOffersEveryFormat()
    {
        QFETCH(bool, italic);
        ViewedEdit edit;
        edit.setWholeText(cp(QStringLiteral("x Жук\u00a0a\x0b"
                                            "b\r\nend y")));
        edit.setSelStart(2);
        edit.setSelLength(12);
        if (italic)
            edit.setSelAttributes(CharAttributes{{}, 0, fontstyle::Italic, 0, 0}, CharField::Style);
        edit.copy();
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), QStringLiteral("Жук a\nb\nend"));
        QVERIFY(data->html().contains(QStringLiteral("Жук")));

        TRichEdit target;
        target.paste();
        QCOMPARE(target.wholeText(), edit.selText());
        target.setSelStart(1);
        QCOMPARE(target.selAttributes().style, italic ? fontstyle::Italic : 0);
    }
};

QTEST_MAIN(TestRichEdit)
#include "tst_richedit.moc"
