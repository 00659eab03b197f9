// The edit window's working surface: the toolbar and Character menu follow
// and format the text at the caret, the status bar follows the caret, and
// Undo works from the menus.

#include "EditWindowFixture.h"
#include "controls/UpDown.h"
#include "editor/Formatting.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

class TestFormatting : public QObject
{
    Q_OBJECT

private:
    static TEditForm *rtf(EditWindowFixture &f, const QByteArray &body)
    {
        return f.open(QStringLiteral("doc.rtf"), "{\\rtf1\\fs24 " + body + "}");
    }

    static CharAttributes attributesAt(TEditForm *w, int pos)
    {
        w->Editor->setSelStart(pos + 1); // the caret reports the character before it
        return w->Editor->selAttributes();
    }

private Q_SLOTS:
    void movingTheCaretNeverChangesTheDocument()
    {
        EditWindowFixture f;
        TEditForm *w = rtf(f, "small {\\b bold}{\\i\\fs40 big}{\\ul\\fs16 under}\\par\\qc next");
        const QByteArray text = w->Editor->wholeText();
        const CharAttributes defaults = w->Editor->defAttributes();
        for (int i = 0; i < text.size(); ++i)
            QTest::keyClick(w->Editor, Qt::Key_Right, i % 3 ? Qt::NoModifier : Qt::ShiftModifier);
        QCOMPARE(w->Editor->wholeText(), text);
        QVERIFY(!w->Editor->isModified() && !w->Editor->canUndo());
        QCOMPARE(w->Editor->defAttributes(), defaults);
        // The toolbar did follow the caret.
        w->Editor->setSelStart(12);
        QCOMPARE(w->formatting()->FontSize->text(), QStringLiteral("20"));
        QVERIFY(w->formatting()->ItalicButton->isChecked() &&
                !w->formatting()->BoldButton->isChecked());
    }

    void toolbarFormatsTheSelectionOrTheDefaults_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<int>("size");
        QTest::newRow("nothing selected") << 0 << "14" << 14;
        QTest::newRow("a selection") << 3 << "14" << 14;
        QTest::newRow("empty size box") << 3 << "" << 8;
        QTest::newRow("not a number") << 3 << "1x" << 8;
        QTest::newRow("beyond what the editor holds") << 3 << "100000" << kMaxPointSize;
    }

    void toolbarFormatsTheSelectionOrTheDefaults()
    {
        QFETCH(int, length);
        QFETCH(QString, sizeText);
        QFETCH(int, size);
        EditWindowFixture f;
        TEditForm *w = rtf(f, "aaa bbb ccc");
        const CharAttributes defaults = w->Editor->defAttributes();
        w->Editor->setSelStart(4);
        w->Editor->setSelLength(length);
        w->formatting()->BoldButton->trigger();
        w->formatting()->FontSize->setText(sizeText);
        const QString face =
            w->formatting()->FontName->itemText(w->formatting()->FontName->count() - 1);
        w->formatting()->FontName->lineEdit()->setText(face);
        QTest::keyClick(w->formatting()->FontName->lineEdit(), Qt::Key_Return);

        const CharAttributes outside = attributesAt(w, 1);
        QCOMPARE(outside.style, 0);
        QCOMPARE(outside.size, 12);
        QCOMPARE(w->formatting()->FontSize->text(),
                 QStringLiteral("12")); // the caret's, not the command's
        if (length == 0) {
            QCOMPARE(w->Editor->defAttributes().style, fontstyle::Bold);
            QCOMPARE(w->Editor->defAttributes().size, size);
            QCOMPARE(w->Editor->defAttributes().name, face);
            QVERIFY(!w->Editor->isModified());
            return;
        }
        QCOMPARE(w->Editor->defAttributes(), defaults);
        QCOMPARE(attributesAt(w, 5).style, fontstyle::Bold);
        QCOMPARE(attributesAt(w, 5).size, size);
        QCOMPARE(attributesAt(w, 5).name, face);
        QCOMPARE(attributesAt(w, 8).size, 12);
    }

    void upDownStepsTheSizeBox_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("steps"); // up when positive
        QTest::addColumn<int>("size");
        QTest::newRow("up") << "12" << 2 << 14;
        QTest::newRow("no wrap at the top") << "99" << 3 << 100;
        QTest::newRow("no wrap at the bottom") << "1" << -3 << 0;
        QTest::newRow("from out of range") << "300" << -1 << 99;
    }

    void upDownStepsTheSizeBox()
    {
        QFETCH(QString, shown);
        QFETCH(int, steps);
        QFETCH(int, size);
        EditWindowFixture f;
        TEditForm *w = rtf(f, "aaa bbb");
        w->Editor->selectAll();
        w->formatting()->FontSize->setText(shown);
        const auto arrows = w->formatting()->UpDown1->findChildren<QToolButton *>();
        for (int i = 0; i < qAbs(steps); ++i)
            arrows[steps > 0 ? 0 : 1]->click();
        QCOMPARE(w->formatting()->FontSize->text(), QString::number(size));
        if (size > 0)
            QCOMPARE(attributesAt(w, 2).size, size);
    }

    void alignmentFromButtonsAndMenu_data()
    {
        QTest::addColumn<QByteArray>("paragraph");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("checked");
        QTest::newRow("menu centre") << QByteArray() << "Center1" << 2 << "CenterAlign"
                                     << "Center1";
        QTest::newRow("button right") << QByteArray() << "RightAlign" << 1 << "RightAlign"
                                      << "Right1";
        QTest::newRow("justified text") << QByteArray("\\qj ") << "" << 3 << ""
                                        << "Left1";
    }

    void alignmentFromButtonsAndMenu()
    {
        QFETCH(QByteArray, paragraph);
        QFETCH(QString, command);
        QFETCH(int, alignment);
        QFETCH(QString, pressed);
        QFETCH(QString, checked);
        EditWindowFixture f;
        TEditForm *w = rtf(f, "\\pard" + paragraph + "one\\par two");
        if (!command.isEmpty())
            w->findChild<QAction *>(command)->trigger();
        QCOMPARE(int(w->Editor->paragraph().alignment), alignment);
        for (QAction *a : {w->formatting()->LeftAlign, w->formatting()->CenterAlign,
                           w->formatting()->RightAlign})
            QCOMPARE(a->isChecked(), a->objectName() == pressed);
        for (QAction *a :
             {w->formatting()->Left1, w->formatting()->Center1, w->formatting()->Right1})
            QCOMPARE(a->isChecked(), a->objectName() == checked);
    }

    void statusBarShowsTheCaret_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("panel");
        QTest::newRow("start") << QByteArray("abc") << 0 << 0 << "Line:   1   Col:   1";
        QTest::newRow("mid-line selection")
            << QByteArray("hello world") << 6 << 3 << "Line:   1   Col:   7";
        QTest::newRow("after a line break")
            << QByteArray("ab\r\ncd") << 4 << 0 << "Line:   2   Col:   1";
        QTest::newRow("line 1000")
            << QByteArray("x\r\n").repeated(999) + "yz" << 2998 << 1 << "Line: 1000   Col:   2";
    }

    void statusBarShowsTheCaret()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, panel);
        EditWindowFixture f;
        TEditForm *w = &f.window;
        w->Editor->setWholeText(text);
        w->Editor->setSelStart(start);
        w->Editor->setSelLength(length);
        QCOMPARE(w->panelText(TEditForm::CaretPanel), panel);
        for (const QAction *a : {w->CutButton, w->Cut1, w->CopyButton, w->Copy1})
            QCOMPARE(a->isEnabled(), length > 0);
    }

    void insertSwitchesOnlyItsOwnWindow()
    {
        EditWindowFixture f;
        TEditForm *first = &f.window;
        TEditForm other(f.host, EditWindowFixture::frameDefaults());
        TEditForm *second = &other;
        QTest::keyClick(second->Editor, Qt::Key_Insert, Qt::ShiftModifier); // a paste, not a switch
        QTest::keyClick(first->Editor, Qt::Key_Insert);
        QCOMPARE(first->panelText(TEditForm::InsertPanel), QStringLiteral("Overwrite"));
        QCOMPARE(second->panelText(TEditForm::InsertPanel), QStringLiteral("Insert"));
        QTest::keyClick(first->Editor, Qt::Key_Insert);
        QCOMPARE(first->panelText(TEditForm::InsertPanel), QStringLiteral("Insert"));
    }

    void undoFollowsTheEditor()
    {
        EditWindowFixture f;
        TEditForm *w = &f.window;
        const auto offered = [w](bool on) {
            return w->UndoButton->isEnabled() == on && w->Undo1->isEnabled() == on;
        };
        QVERIFY(offered(false));
        QTest::keyClicks(w->Editor, "ab");
        QVERIFY(offered(true));
        w->Undo1->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray());
        QVERIFY(offered(false));
    }

    // A screen reader says what a control does, not "push button"; the
    // status bar tells more.
    void toolbarControlsHaveNamesAndHints()
    {
        EditWindowFixture f;
        TEditForm *w = &f.window;
        const auto name = [](QWidget *c) {
            return QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
        };
        for (QWidget *c : w->ToolBar->findChildren<QWidget *>()) {
            const bool control = qobject_cast<QToolButton *>(c) || qobject_cast<QComboBox *>(c) ||
                                 qobject_cast<QLineEdit *>(c);
            if (control && c->isVisibleTo(w->ToolBar))
                QVERIFY2(!name(c).isEmpty(), qPrintable(c->objectName()));
        }
        QWidget *bullets = w->ToolBar->widgetForAction(w->formatting()->BulletsButton);
        QCOMPARE(name(bullets), QStringLiteral("Bullets"));
        QCOMPARE(name(w->Editor->focusProxy()), QStringLiteral("Text"));
        // Qt on Linux names an editable combo box by its text; elsewhere by this.
        QCOMPARE(w->formatting()->FontName->accessibleName(), QStringLiteral("Font Name"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(bullets, &enter);
        QCOMPARE(w->StatusBar->currentMessage(), QStringLiteral("Enter bullet mode"));
    }

    // A command the menu and the toolbar share is one action: the menu
    // shows the caption without the glyph, the button is named by the
    // hint's short part and tells its long part.
    void sharedCommandsAreNamedByTheirHints_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("tooltip"); // the short part and the key
        const auto row = [](const char *name, const char *item, const char *caption,
                            const char *tip, const char *key) {
            QTest::newRow(name) << item << caption << name << tip
                                << QStringLiteral("%1 (%2)").arg(QLatin1String(name),
                                                                 QLatin1String(key));
        };
        row("New", "New1", "&New", "New file", "Ctrl+N");
        row("Open", "Open1", "&Open...", "Open an existing file", "Ctrl+O");
        row("Save", "Save1", "&Save", "Save current file", "Ctrl+S");
        row("Print", "Print1", "&Print", "Print current file", "Ctrl+P");
        row("Undo", "Undo1", "&Undo", "Undo the last action", "Ctrl+Z");
        row("Redo", "Redo1", "&Redo", "Redo the last undone action", "Ctrl+Y");
        row("Cut", "Cut1", "Cu&t", "Delete selected item", "Ctrl+X");
        row("Copy", "Copy1", "&Copy", "Copy selected item to clipboard", "Ctrl+C");
        row("Paste", "Paste1", "&Paste", "Paste contents of clipboard", "Ctrl+V");
    }

    void sharedCommandsAreNamedByTheirHints()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, name);
        QFETCH(QString, tip);
        QFETCH(QString, tooltip);
        EditWindowFixture f;
        TEditForm *w = &f.window;
        QAction *command = w->findChild<QAction *>(item);
        QVERIFY(command && (w->File1->actions() + w->Edit1->actions()).contains(command));
        QCOMPARE(command->text(), caption);
        QVERIFY(!command->isIconVisibleInMenu());
        QWidget *button = w->ToolBar->widgetForAction(command);
        QVERIFY(button);
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), name);
        QCOMPARE(button->toolTip(), tooltip);
        command->setEnabled(true);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
        QCOMPARE(w->StatusBar->currentMessage(), tip);
    }
};

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
