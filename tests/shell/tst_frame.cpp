// The frame: creating documents, tabs and windows in step, menus, views and
// the close model.

#include "Drops.h"
#include "FileBytes.h"
#include "FrameFixture.h"
#include "OwnFolder.h"
#include "SmallDisk.h"
#include "controls/TransBtn.h"
#include "editor/Formatting.h"
#include "platform/system/InstanceChannel.h"
#include "platform/system/RecoveryCopies.h"
#include "search/uniFind.h"
#include "settings/uniOptions.h"

#include <QAccessible>
#include <QComboBox>
#include <QLockFile>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QSignalSpy>

#include <functional>

Q_DECLARE_METATYPE(Prompts::Answer)
Q_DECLARE_METATYPE(CopyStart)

class TestFrame : public QObject
{
    Q_OBJECT

    enum Dialog { None, Open, Save, Print };

private Q_SLOTS:
    void newDocumentsTakeTheLowestFreeNumber()
    {
        FrameFixture f;
        for (int i = 0; i < 3; ++i)
            f.frame.New1Click();
        QCOMPARE(f.tabs(), QStringList({"Untitled1", "Untitled2", "Untitled3"}));
        QCOMPARE(f.captions(), QStringList({"Untitled1", "Untitled2", "Untitled3"}));
        QCOMPARE(f.active()->FFileName, QStringLiteral("Untitled3"));
        QCOMPARE(f.frame.OpenPageCount, 3);

        f.frame.MDIArea->setActiveSubWindow(
            qobject_cast<QMdiSubWindow *>(f.frame.editWindows()[1]->parentWidget()));
        f.closeActive();
        QCOMPARE(f.tabs(), QStringList({"Untitled1", "Untitled3"}));
        QCOMPARE(f.frame.OpenPageCount, 2);
        f.frame.New1Click();
        QCOMPARE(f.tabs().last(), QStringLiteral("Untitled2"));
        QCOMPARE(f.frame.PageTagCounter, 4); // numbers are never given twice
    }

    void openingAFileAlreadyOpenAsks()
    {
        FrameFixture f;
        const QString a = f.write(QStringLiteral("a.txt"), "alpha");
        f.open(a);
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("a.txt")});
        QCOMPARE(f.active()->windowTitle(), a);
        QCOMPARE(f.active()->Editor->wholeText(), QByteArray("alpha"));

        f.open(a, Prompts::Answer::Cancel);
        QCOMPARE(f.tabs().size(), 1);

        f.open(a, Prompts::Answer::Ok);
        QCOMPARE(f.tabs(), QStringList({"a.txt", "a.txt"}));
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4),
                 QStringList({"-", "a.txt=" + a, "a.txt=" + a}));

        // Another spelling of the path is another file to the frame.
        f.open(f.write(QStringLiteral("A.TXT"), "other"));
        QCOMPARE(f.tabs().size(), 3);
    }

    void tabsAndWindowsFollowEachOther()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.frame.New1Click();
        f.frame.New1Click();
        QCOMPARE(f.frame.PageControl1->currentIndex(), 2);

        f.frame.PageControl1->setCurrentIndex(0); // as a click does
        QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled1"));

        f.frame.MDIArea->setActiveSubWindow(
            qobject_cast<QMdiSubWindow *>(f.frame.editWindows()[1]->parentWidget()));
        QCOMPARE(f.frame.PageControl1->currentIndex(), 1);
        QCOMPARE(f.frame.EditorComponentIndex,
                 int(f.active()->children().indexOf(f.active()->Editor)));
    }

    // Next goes to the window active before the active one, which goes to
    // the back: repeated, it comes to every window once. A window activated
    // another way comes to the front.
    void nextGoesToTheWindowActiveBefore()
    {
        FrameFixture f;
        for (int i = 0; i < 4; ++i)
            f.frame.New1Click();
        const auto activate = [&](int number) {
            f.frame.PageControl1->setCurrentIndex(number - 1);
        };
        for (const int number : {3, 1, 4, 2})
            activate(number);
        QStringList walk;
        const auto next = [&] {
            f.frame.nextDocument();
            walk << f.tabs().value(f.frame.PageControl1->currentIndex());
            QCOMPARE(f.active()->windowTitle(), walk.last());
        };
        for (int i = 0; i < 5; ++i)
            next();
        activate(3);
        next();
        QCOMPARE(walk, QStringList({"Untitled4", "Untitled1", "Untitled3", "Untitled2", "Untitled4",
                                    "Untitled4"}));
    }

    // Ctrl+PgDn, Ctrl+PgUp and Ctrl+F6 walk the tab row, round its ends,
    // whichever window was active before.
    void keysWalkTheTabRow_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("Ctrl+PgDn") << QKeySequence(Qt::CTRL | Qt::Key_PageDown) << 0 << 1;
        QTest::newRow("Ctrl+PgDn at the end")
            << QKeySequence(Qt::CTRL | Qt::Key_PageDown) << 2 << 0;
        QTest::newRow("Ctrl+PgUp") << QKeySequence(Qt::CTRL | Qt::Key_PageUp) << 1 << 0;
        QTest::newRow("Ctrl+PgUp at the start")
            << QKeySequence(Qt::CTRL | Qt::Key_PageUp) << 0 << 2;
        QTest::newRow("Ctrl+F6") << QKeySequence(Qt::CTRL | Qt::Key_F6) << 1 << 2;
        QTest::newRow("Ctrl+Shift+F6") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6) << 1 << 0;
    }

    void keysWalkTheTabRow()
    {
        QFETCH(QKeySequence, key);
        QFETCH(int, from);
        QFETCH(int, to);
        FrameFixture f;
        for (int i = 0; i < 3; ++i)
            f.frame.New1Click();
        f.frame.PageControl1->setCurrentIndex(from);
        QTRY_VERIFY(f.active()->Editor->focusProxy()->hasFocus());
        QTest::keySequence(QApplication::focusWidget(), key);
        QCOMPARE(f.frame.PageControl1->currentIndex(), to);
        QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled%1").arg(to + 1));
    }

    // The tab draws the mark beside its caption, which stays as it is, and
    // the title shows "*" while the active document has unsaved changes:
    // through edits, a save, an Undo back to what was saved and a Redo.
    void unsavedDocumentsAreMarked()
    {
        FrameFixture f;
        TEditForm *saved = f.open(f.write(QStringLiteral("m.txt"), "saved"));
        f.frame.New1Click();
        const auto marks = [&] {
            QString out;
            for (int i = 0; i < f.frame.PageControl1->count(); ++i)
                out += f.frame.PageControl1->tabIcon(i).isNull() ? u'-' : u'*';
            return out + (f.frame.isWindowModified() ? u'*' : u'-');
        };
        const auto type = [&] { QTest::keyClicks(f.active()->Editor->focusProxy(), "x"); };
        const auto show = [&](int tab) { f.frame.PageControl1->setCurrentIndex(tab); };
        const struct
        {
            const char *step;
            std::function<void()> act;
            const char *marks; // each tab's, then the title's
        } steps[] = {
            {"opened", [] {}, "---"},
            {"typed in the new one", type, "-**"},
            {"the other one shown", [&] { show(0); }, "-*-"},
            {"typed in it", type, "***"},
            {"saved", [&] { saved->Save1Click(); }, "-*-"},
            {"typed again", type, "***"},
            {"undone to the saved text", [&] { saved->Undo1->trigger(); }, "-*-"},
            {"redone", [&] { saved->Redo1->trigger(); }, "***"},
        };
        for (const auto &s : steps) {
            s.act();
            QVERIFY2(marks() == QLatin1String(s.marks), s.step);
        }
        QCOMPARE(f.tabs(), QStringList({"m.txt", "Untitled1"}));
        QCOMPARE(f.frame.PageControl1->tabToolTip(0), QStringLiteral("Modified"));
    }

    void theActiveWindowsMenusJoinTheBar()
    {
        FrameFixture f;
        QCOMPARE(f.menuBar(),
                 QStringList({"&File", "Fa&vourites", "&Window", "&Options", "&About"}));
        f.frame.New1Click();
        QCOMPARE(f.frame.menuBar()->actions().first(), f.active()->File1->menuAction());
        QCOMPARE(f.menuBar(), QStringList({"&File", "&Edit", "Ch&aracter", "&Convert", "EngToLower",
                                           "Fa&vourites", "&Window", "&Options", "&About"}));
        f.closeActive();
        QCOMPARE(f.frame.menuBar()->actions().first(), f.frame.File1->menuAction());

        // The Window menu lists the documents under its own items.
        f.frame.New1Click();
        f.frame.New1Click();
        Q_EMIT f.frame.Window1->aboutToShow();
        QStringList items;
        for (const QAction *a : f.frame.Window1->actions())
            items << a->text();
        QCOMPARE(items,
                 QStringList({"&Tile", "&Cascade", "&Entire", "", "Calendar", "", "&Next Document",
                              "&Previous Document", "", "&1 Untitled1", "&2 Untitled2"}));
    }

    void calendarViewComesAndGoes()
    {
        FrameFixture f;
        QVERIFY(f.frame.isCalendarView());
        QVERIFY(f.frame.mnuCalendar2->isChecked());
        f.frame.New1Click();
        QVERIFY(!f.frame.isCalendarView());
        QVERIFY(!f.frame.ToolBar->isVisibleTo(&f.frame));
        f.frame.New1Click();
        f.closeActive();
        QVERIFY(!f.frame.isCalendarView());
        f.closeActive();
        QVERIFY(f.frame.isCalendarView());
        QVERIFY(f.frame.ToolBar->isVisibleTo(&f.frame));
        QVERIFY(f.frame.mnuCalendar2->isChecked());

        // A click on the tab row puts the calendar away.
        f.frame.New1Click();
        f.frame.showCalendarView();
        QTest::mouseClick(f.frame.PageControl1, Qt::LeftButton, {},
                          f.frame.PageControl1->tabRect(0).center());
        QVERIFY(!f.frame.isCalendarView());
        QVERIFY(!f.frame.mnuCalendar2->isChecked());
    }

    // A screen reader names every control that takes the focus, in the
    // calendar view and beside a document.
    static void collectUnnamed(QAccessibleInterface *node, QStringList &found)
    {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface *child = node->child(i);
            if (!child || child->state().invisible)
                continue;
            if (child->state().focusable && child->text(QAccessible::Name).isEmpty())
                found << (child->object()
                              ? QLatin1String(child->object()->metaObject()->className()) + u' ' +
                                    child->object()->objectName()
                              : QStringLiteral("a part of ") + node->text(QAccessible::Name));
            collectUnnamed(child, found);
        }
    }

    void everyControlThatTakesTheFocusHasAName()
    {
        FrameFixture f;
        const auto unnamed = [](QWidget *window) {
            QStringList found;
            collectUnnamed(QAccessible::queryAccessibleInterface(window), found);
            return found.join(u", ");
        };
        QCOMPARE(unnamed(&f.frame), QString());
        f.frame.New1Click();
        QCOMPARE(unnamed(&f.frame), QString());
        const QList<QWidget *> dialogs{f.frame.frmFind, f.frame.frmOptions};
        for (QWidget *dialog : dialogs) {
            dialog->show();
            QCOMPARE(unnamed(dialog), QString());
            dialog->hide();
        }
    }

    // By its label or hint, not by what it holds (a tab row by no tab).
    void controlsAreNamedByTheirLabels()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Find1->trigger();
        f.frame.frmFind->cbFind->setEditText(QStringLiteral("Cat"));
        f.frame.frmFind->cbReplace->setEditText(QStringLiteral("Dog"));
        // clang-format off
        const QList<QPair<QWidget *, QString>> controls{
            {f.frame.PageControl1, "Documents"},
            {f.frame.ToolBar->widgetForAction(f.frame.NewlButton), "New"},
            {f.frame.ToolBar->widgetForAction(f.frame.OpenButton), "Open"},
            {f.frame.ToolBar->widgetForAction(f.frame.ExitButton), "Exit"},
            {f.frame.Panel1->PageControl2, "Month"},
            {f.frame.Panel1->TButton, "Current Date Button"},
            {f.active()->formatting()->FontName, "Font Name"},
            {f.frame.frmFind->cbFind, "Text to find:"},
            {f.frame.frmFind->cbReplace, "Replace with:"}};
        // clang-format on
        for (const auto &[control, name] : controls)
            QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name);
    }

    void tileStacksTheWindowsAcrossTheWidth()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.frame.New1Click();
        f.frame.New1Click();
        f.frame.Tile1Click();
        QVERIFY(f.frame.Tile1->isChecked() && !f.frame.Entire1->isChecked());
        const QRect area = f.frame.MDIArea->viewport()->rect();
        QList<int> tops;
        for (QMdiSubWindow *w : f.frame.MDIArea->subWindowList()) {
            QCOMPARE(w->width(), area.width());
            QCOMPARE(w->height(), area.height() / 3);
            tops << w->y();
        }
        std::sort(tops.begin(), tops.end());
        QCOMPARE(tops, QList<int>({0, area.height() / 3, 2 * (area.height() / 3)}));

        f.frame.resize(900, 700); // tiling follows the frame's size
        QTRY_COMPARE(f.frame.MDIArea->subWindowList().first()->width(),
                     f.frame.MDIArea->viewport()->width());

        f.frame.Entire1Click();
        QVERIFY(f.frame.Entire1->isChecked() && !f.frame.Tile1->isChecked());
        QVERIFY(f.frame.MDIArea->activeSubWindow()->isMaximized());
    }

    void minimisingAWindowChecksCascade_data()
    {
        QTest::addColumn<bool>("tiledFirst");
        QTest::newRow("from Entire") << false;
        QTest::newRow("from Tile") << true;
    }

    void minimisingAWindowChecksCascade()
    {
        QFETCH(bool, tiledFirst);
        FrameFixture f;
        f.frame.New1Click();
        f.frame.New1Click();
        if (tiledFirst)
            f.frame.Tile1Click();
        QMdiSubWindow *active = f.frame.MDIArea->activeSubWindow();
        active->showMinimized();
        QVERIFY(f.frame.Cascade1->isChecked());
        QVERIFY(!f.frame.Tile1->isChecked() && !f.frame.Entire1->isChecked());

        // Entire then brings the window back whole.
        f.frame.Entire1->trigger();
        QVERIFY(f.frame.Entire1->isChecked());
        QVERIFY(f.frame.MDIArea->activeSubWindow()->isMaximized());
    }

    void closingWithoutExitEmptiesTheFrame()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.frame.New1Click();
        f.active()->Editor->setWholeText("changed");
        f.prompts.expectMessage(QStringLiteral("Save changes to Untitled2?"), Prompts::Answer::No);
        QVERIFY(!f.frame.close());
        QVERIFY(f.frame.editWindows().isEmpty());
        QCOMPARE(f.frame.PageControl1->count(), 0);
        QCOMPARE(f.frame.OpenPageCount, 0);
        QCOMPARE(f.frame.PageTagCounter, 0);
        QVERIFY(f.frame.isCalendarView());
        QVERIFY(f.frame.isMinimized());
        // Without a system tray here nothing could bring a hidden frame back.
        QCoreApplication::sendPostedEvents();
        QVERIFY(f.frame.isVisible());
        f.frame.New1Click(); // and it works on
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("Untitled1")});
    }

    void exitEndsTheFrameAfterTheSaveQuestions()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Editor->setWholeText("changed");
        f.prompts.expectMessage(QStringLiteral("Save changes to Untitled1?"),
                                Prompts::Answer::Cancel);
        f.frame.Exit1Click();
        QVERIFY(f.frame.isVisible());
        QVERIFY(f.frame.ExitRequested); // stays: the close box now ends the program
        QCOMPARE(f.frame.editWindows().size(), 1);

        f.prompts.expectMessage(QStringLiteral("Save changes to Untitled1?"), Prompts::Answer::No);
        QVERIFY(f.frame.close());
        QVERIFY(!f.frame.isVisible());
    }

    void theEndOfTheSessionEndsTheProgram()
    {
        FrameFixture f;
        f.frame.New1Click();
        QVERIFY(f.frame.QueryEndSession());
        QVERIFY(!f.frame.isVisible());
    }

    void ctrlQInTheEditWindowExits()
    {
        FrameFixture f;
        f.frame.New1Click();
        QTRY_VERIFY(f.active()->Editor->hasFocus());
        QTest::keyClick(f.active()->Editor, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(f.frame.ExitRequested);
        QVERIFY(!f.frame.isVisible());
    }

    // Standard keys for the commands that have none of their own; with two
    // documents open, only the active one's command answers.
    void standardKeys_data()
    {
        QTest::addColumn<bool>("inDocument");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("dialog");
        QTest::newRow("frame New") << false << QKeySequence("Ctrl+N") << "New1" << int(None);
        QTest::newRow("frame Open") << false << QKeySequence("Ctrl+O") << "Open1" << int(Open);
        QTest::newRow("New") << true << QKeySequence("Ctrl+N") << "New1" << int(None);
        QTest::newRow("Open") << true << QKeySequence("Ctrl+O") << "Open1" << int(Open);
        QTest::newRow("Save") << true << QKeySequence("Ctrl+S") << "Save1" << int(Save);
        QTest::newRow("Save as") << true << QKeySequence("Ctrl+Shift+S") << "Saveas1" << int(Save);
        QTest::newRow("Print") << true << QKeySequence("Ctrl+P") << "Print1" << int(Print);
        QTest::newRow("Close") << true << QKeySequence("Ctrl+W") << "Close1" << int(None);
    }

    void standardKeys()
    {
        QFETCH(bool, inDocument);
        QFETCH(QKeySequence, key);
        QFETCH(QString, command);
        QFETCH(int, dialog);
        FrameFixture f;
        if (inDocument) {
            f.frame.New1Click();
            f.frame.New1Click();
            QTRY_VERIFY(f.active()->Editor->hasFocus());
        }
        if (dialog == Open)
            f.prompts.expectOpenFile(std::nullopt);
        else if (dialog == Save)
            f.prompts.expectSaveFile(std::nullopt);
        else if (dialog == Print)
            f.prompts.expectPrint(false);
        const QObject *menus = inDocument ? static_cast<QObject *>(f.active()) : &f.frame;
        QSignalSpy triggered(menus->findChild<QAction *>(command), &QAction::triggered);
        QTest::keySequence(inDocument ? static_cast<QWidget *>(f.active()->Editor) : &f.frame, key);
        QCOMPARE(triggered.count(), 1);
    }

    void closeAllAsksEachWindowOnce()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.frame.New1Click();
        f.frame.New1Click();
        f.frame.editWindows()[1]->Editor->setWholeText("keep me");
        f.prompts.expectMessage(QStringLiteral("Save changes to Untitled2?"),
                                Prompts::Answer::Cancel);
        f.active()->CloseAll1->trigger();
        QCOMPARE(f.captions(), QStringList{QStringLiteral("Untitled2")});
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("Untitled2")});
        QCOMPARE(f.frame.OpenPageCount, 1);
        QVERIFY(f.frame.isCalendarView()); // over the one left, until put away
    }

    void recentFilesGoToTheTop()
    {
        FrameFixture f;
        const QString a = f.write(QStringLiteral("a.txt"), "a");
        const QString b = f.write(QStringLiteral("b.txt"), "b");
        f.open(a);
        f.open(b);
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4),
                 QStringList({"-", "b.txt=" + b, "a.txt=" + a}));
        // The active edit window carries a copy of the tail.
        QCOMPARE(FrameFixture::recent(f.active()), QStringList({"-", "b.txt=" + b, "a.txt=" + a}));

        // A click on the copy of a.txt moves a.txt to the top and opens it.
        f.prompts.expectMessage(QStringLiteral("File already open,continue?"), Prompts::Answer::Ok);
        f.active()->File1->actions().constLast()->trigger();
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4),
                 QStringList({"-", "a.txt=" + a, "b.txt=" + b}));
        QCOMPARE(f.tabs(), QStringList({"a.txt", "b.txt", "a.txt"}));

        // A file that is gone is reported and its entry stays.
        QFile::remove(b);
        f.prompts.expectMessage(QStringLiteral("File ") + b + QStringLiteral(" not exists"));
        f.frame.File1->actions().at(6)->trigger();
        QCOMPARE(f.tabs().size(), 3);
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4).size(), 3);
    }

    void droppedFilesOpenOnlyTheFirst()
    {
        FrameFixture f;
        const QString a = f.write(QStringLiteral("a.txt"), "a");
        const QString b = f.write(QStringLiteral("b.txt"), "b");
        QVERIFY(dropUrls(f.frame, {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
        QTRY_COMPARE(f.tabs(), QStringList{QStringLiteral("a.txt")});
        QCOMPARE(f.captions(), QStringList{a});
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4), QStringList({"-", "a.txt=" + a}));

        // Text dragged into an editor stays text.
        QMimeData text;
        text.setText(QStringLiteral("dragged "));
        QVERIFY(dropData(*f.active()->Editor->viewport(), text)); // below the text
        QCOMPARE(f.active()->Editor->wholeText(), QByteArray("adragged "));
        QCOMPARE(f.tabs().size(), 1);
    }

    void performFileOpenKeepsTheView()
    {
        FrameFixture f;
        const QString a = f.write(QStringLiteral("a.txt"), "a");
        f.frame.PerformFileOpen(a);
        QVERIFY(f.frame.isCalendarView());
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("a.txt")});
        QCOMPARE(f.active()->FFileName, a);
    }

    // A runtime folder with no room left: the command line's file cannot be
    // handed over through the hand-off file. That is told, and the file
    // opens all the same instead of being dropped.
    void aHandOffThatFailsIsReportedAndTheFileStillOpens()
    {
        SmallDisk runtime(QStringLiteral("size=64k,mode=0700"));
        if (!runtime.isReady())
            QSKIP(qPrintable(runtime.whyNot()));
        QVERIFY(runtime.fill(0));
        const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", previous); });
        QCOMPARE(QFileInfo(TFrameForm::handOffPath()).path(), runtime.path());

        ScriptedPrompts prompts;
        SettingsSandbox settings;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(testfiles::writeAll(file, {}));
        prompts.expectFailure(QStringLiteral("Error in TFrameForm.SaveTempOpenFile"));
        TFrameForm frame({{QStringLiteral("scrivlet"), file}, false});
        QCOMPARE(prompts.pending(), 0);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTRY_COMPARE(frame.editWindows().size(), 1);
        QCOMPARE(frame.activeEditWindow()->windowTitle(), file);
    }

    // A save in place that never ended (the program was killed) kept a
    // copy of the file's old content: the next start offers it, once, and
    // opens it as a document when asked to.
    void aCopyKeptByASaveThatNeverEndedIsOfferedOnce_data()
    {
        QTest::addColumn<bool>("open");
        QTest::newRow("opened") << true;
        QTest::newRow("not opened") << false;
    }

    void aCopyKeptByASaveThatNeverEndedIsOfferedOnce()
    {
        QFETCH(bool, open);
        const OwnFolder cache("XDG_CACHE_HOME");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("doc.txt"));
        QFile old(file);
        QVERIFY(old.open(QIODevice::ReadWrite));
        old.write("the old text");
        old.flush();
        {
            const recovery::KeptCopy kept(file, old.handle(), QFile::encodeName(file));
        }
        const QString copy = recovery::leftCopies().value(0).copy;

        ScriptedPrompts prompts;
        SettingsSandbox settings;
        prompts.expectMessage(QStringLiteral("Scrivlet was stopped while saving %1. The previous "
                                             "version was kept as %2. Open it?")
                                  .arg(file, copy),
                              open ? Prompts::Answer::Yes : Prompts::Answer::No);
        TFrameForm frame;
        QTRY_COMPARE(prompts.pending(), 0);
        QCOMPARE(frame.editWindows().size(), open ? 1 : 0);
        if (open) {
            QCOMPARE(frame.activeEditWindow()->windowTitle(), copy);
            QCOMPARE(frame.activeEditWindow()->Editor->wholeText(), QByteArray("the old text"));
        }
        QVERIFY(recovery::leftCopies().isEmpty());
        QVERIFY(QFile::exists(copy)); // where the user was told it is
    }

    // Another copy holds the lock but does not answer: the user is asked,
    // and a second window, if wanted, opens the file itself rather than
    // through the hand-off file that the other copy would read too.
    void aStartBesideACopyThatDoesNotAnswerAsks_data()
    {
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::addColumn<CopyStart>("start");
        QTest::newRow("a second window") << Prompts::Answer::Yes << CopyStart::SecondCopy;
        QTest::newRow("none") << Prompts::Answer::No << CopyStart::NotWanted;
    }

    void aStartBesideACopyThatDoesNotAnswerAsks()
    {
        QFETCH(Prompts::Answer, answer);
        QFETCH(CopyStart, start);
        const OwnFolder runtime("XDG_RUNTIME_DIR");
        QLockFile held(InstanceChannel::lockPath(QStringLiteral("Scrivlet")));
        QVERIFY(held.tryLock(0));
        ScriptedPrompts prompts;
        SettingsSandbox settings;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(testfiles::writeAll(file, {}));
        prompts.expectMessage(QStringLiteral("Another Scrivlet is running but not answering. "
                                             "Open a second window anyway?"),
                              answer);
        TFrameForm frame({{QStringLiteral("scrivlet"), file}, true});
        QCOMPARE(frame.copyStart(), start);
        QVERIFY(!QFile::exists(TFrameForm::handOffPath()));
        if (start != CopyStart::SecondCopy)
            return;
        frame.show();
        QTRY_COMPARE(frame.editWindows().size(), 1);
        QCOMPARE(frame.activeEditWindow()->windowTitle(), file);
    }
};

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
