// The keys a user reaches for beside the design's menus, each by its effect
// on a document; Go to Line; the zoom that is the screen's alone; the font
// name box that takes a typed name whole.

#include "EditWindowFixture.h"
#include "editor/Formatting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QWheelEvent>

namespace {

using Keys = QList<QKeySequence>;

// A document of three lines, "two" selected.
TEditForm *threeLines(EditWindowFixture &f)
{
    TEditForm *w = f.document("one two\r\nthree\r\nfour");
    w->Editor->setSelStart(4);
    w->Editor->setSelLength(3);
    w->Editor->setFocus();
    return w;
}

// The text, the style of the selection and the zoom.
QString state(const TEditForm *w)
{
    return QStringLiteral("%1|style %2|zoom %3")
        .arg(QString::fromLatin1(w->Editor->wholeText()))
        .arg(w->Editor->selAttributes().style)
        .arg(w->Editor->zoom());
}

} // namespace

class TestKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysActOnTheDocument_data()
    {
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QString>("after");
        const QString text = QStringLiteral("one two\r\nthree\r\nfour");
        const auto shown = [&](const QString &t, int style, int zoom) {
            return QStringLiteral("%1|style %2|zoom %3").arg(t).arg(style).arg(zoom);
        };
        const QKeySequence undo(Qt::CTRL | Qt::Key_Z);
        const QKeySequence del(Qt::Key_Delete);
        QTest::newRow("Ctrl+B") << Keys{Qt::CTRL | Qt::Key_B} << shown(text, 1, 100);
        QTest::newRow("Ctrl+I") << Keys{Qt::CTRL | Qt::Key_I} << shown(text, 2, 100);
        QTest::newRow("Ctrl+U") << Keys{Qt::CTRL | Qt::Key_U} << shown(text, 4, 100);
        QTest::newRow("Ctrl+B twice")
            << Keys{Qt::CTRL | Qt::Key_B, Qt::CTRL | Qt::Key_B} << shown(text, 0, 100);
        QTest::newRow("Ctrl+Z") << Keys{del, undo} << shown(text, 0, 100);
        QTest::newRow("Ctrl+Y") << Keys{del, undo, Qt::CTRL | Qt::Key_Y}
                                << shown(QStringLiteral("one \r\nthree\r\nfour"), 0, 100);
        QTest::newRow("Ctrl+Shift+Z") << Keys{del, undo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}
                                      << shown(QStringLiteral("one \r\nthree\r\nfour"), 0, 100);
        QTest::newRow("Ctrl+=") << Keys{Qt::CTRL | Qt::Key_Equal} << shown(text, 0, 110);
        QTest::newRow("Ctrl+- twice")
            << Keys{Qt::CTRL | Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus} << shown(text, 0, 75);
        QTest::newRow("Ctrl+0") << Keys{Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Equal,
                                        Qt::CTRL | Qt::Key_0}
                                << shown(text, 0, 100);
    }

    void keysActOnTheDocument()
    {
        QFETCH(Keys, keys);
        QFETCH(QString, after);
        EditWindowFixture f;
        TEditForm *w = threeLines(f);
        for (const QKeySequence &key : keys)
            QTest::keySequence(QApplication::focusWidget(), key);
        QCOMPARE(state(w), after);
    }

    // Redo is offered exactly while the editor has something to redo.
    void redoFollowsTheEditor()
    {
        EditWindowFixture f;
        TEditForm *w = threeLines(f);
        const auto offered = [w] { return w->Redo1->isEnabled() && w->RedoButton->isEnabled(); };
        QVERIFY(!offered());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(!offered());
        w->Undo1->trigger();
        QVERIFY(offered());
        w->Redo1->trigger();
        QVERIFY(!offered());
        w->Undo1->trigger();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete); // a new change
        QVERIFY(!offered());
    }

    void bulletsAreInTheCharacterMenu()
    {
        EditWindowFixture f;
        TEditForm *w = threeLines(f);
        QAction *item = w->formatting()->Character1->actions().constLast();
        QCOMPARE(item->text(), QStringLiteral("&Bullets"));
        item->trigger();
        QCOMPARE(w->Editor->paragraph().numbering, Numbering::Bullet);
        QVERIFY(w->formatting()->BulletsButton->isChecked());
    }

    void goToLine_data()
    {
        QTest::addColumn<std::optional<int>>("answer");
        QTest::addColumn<int>("caret");
        QTest::newRow("a line far down") << std::optional<int>(150) << 149 * 5;
        QTest::newRow("the last line") << std::optional<int>(200) << 199 * 5;
        QTest::newRow("cancelled") << std::optional<int>() << 12;
    }

    // The caret goes to the line's start, and the line is in view.
    void goToLine()
    {
        QFETCH(std::optional<int>, answer);
        QFETCH(int, caret);
        EditWindowFixture f;
        QByteArray text;
        for (int i = 1; i <= 200; ++i)
            text += QByteArray::number(100 + i) + "\r\n";
        text.chop(2);
        TEditForm *w = f.document(text);
        w->Editor->setSelStart(12);
        f.prompts.expectNumber(answer);
        QTest::keySequence(w->Editor->focusProxy(), QKeySequence(Qt::CTRL | Qt::Key_G));
        const Prompts::NumberRequest asked = f.prompts.lastNumberRequest();
        QCOMPARE(asked.label, QStringLiteral("Line number (1 to 200):"));
        QCOMPARE(QList<int>({asked.value, asked.minimum, asked.maximum}), QList<int>({3, 1, 200}));
        QCOMPARE(w->Editor->selStart(), caret);
        QCOMPARE(w->Editor->selLength(), 0);
        QVERIFY(w->Editor->viewport()->rect().contains(w->Editor->cursorRect()));
    }

    // The text shows bigger or smaller; the document keeps its sizes, so a
    // save or a printout does not change.
    void zoomIsTheScreensAlone_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::newRow("plain") << false;
        QTest::newRow("RTF") << true;
    }

    void zoomIsTheScreensAlone()
    {
        QFETCH(bool, rich);
        EditWindowFixture f;
        TEditForm *w = rich ? f.open(QStringLiteral("z.rtf"), "{\\rtf1\\fs24 big {\\b text}}")
                            : f.open(QStringLiteral("z.txt"), "big text");
        const int height = w->Editor->cursorRect().height();
        const CharAttributes attrs = w->Editor->selAttributes();
        QWheelEvent wheel(QPointF(5, 5), w->Editor->viewport()->mapToGlobal(QPointF(5, 5)),
                          QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->Editor->viewport(), &wheel);
        QCOMPARE(w->Editor->zoom(), 125);
        QCOMPARE(w->StatusBar->currentMessage(), QStringLiteral("Zoom: 125%"));
        QTRY_VERIFY(w->Editor->cursorRect().height() > height * 1.15);
        QCOMPARE(w->Editor->selAttributes(), attrs);
        QVERIFY(!w->Editor->isModified());
        // A change of view keeps the zoom.
        w->formatting()->CenterAlign->trigger();
        QCOMPARE(w->Editor->showsPlainView(), false);
        QTRY_VERIFY(w->Editor->cursorRect().height() > height * 1.15);
    }

    // A face is typed whole and taken on Enter; before that the document
    // gets neither a face nor the letters typed.
    void aTypedFaceNameIsTakenOnEnter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("face"); // what the text has after Enter
        QTest::newRow("a face") << QStringLiteral("Liberation Mono")
                                << QStringLiteral("Liberation Mono");
        QTest::newRow("in other letter case")
            << QStringLiteral("liberation mono") << QStringLiteral("Liberation Mono");
        QTest::newRow("no such face") << QStringLiteral("Nonesuch Grotesque") << QString();
    }

    void aTypedFaceNameIsTakenOnEnter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, face);
        EditWindowFixture f;
        TEditForm *w = threeLines(f);
        const QString before = w->Editor->selAttributes().name;
        QComboBox *box = w->formatting()->FontName;
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), typed);
        QCOMPARE(box->lineEdit()->text().left(typed.size()).toLower(), typed.toLower());
        QCOMPARE(w->Editor->wholeText(), QByteArray("one two\r\nthree\r\nfour"));
        QCOMPARE(w->Editor->selAttributes().name, before);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(w->Editor->selAttributes().name, face.isEmpty() ? before : face);
        QCOMPARE(w->Editor->hasFocus() || w->Editor->focusProxy()->hasFocus(), !face.isEmpty());
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
