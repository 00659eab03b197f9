// The Find & Replace dialog over the frame's documents: its scopes, start
// and direction, its replace buttons, Ctrl+F and F3, and the histories that
// last from one run to the next.

#include "FrameFixture.h"
#include "search/FindReplace.h"
#include "search/uniFind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace {

using Texts = QList<QByteArray>;
using Ints = QList<int>;

struct FindFixture : FrameFixture
{
    using FrameFixture::FrameFixture;

    TfrmFind &find() { return *frame.frmFind; }

    // Documents with these texts and carets; the first is active.
    QList<TEditForm *> documents(const Texts &texts, const Ints &carets = {})
    {
        QList<TEditForm *> out;
        for (const QByteArray &text : texts) {
            frame.New1Click();
            out << active();
            out.back()->Editor->setWholeText(text);
            out.back()->Editor->setModified(false);
            out.back()->Editor->setSelStart(carets.value(out.size() - 1));
        }
        activate(out.front());
        return out;
    }

    void activate(TEditForm *w)
    {
        frame.MDIArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(w->parentWidget()));
    }

    // Ctrl+F in the window; the dialog takes the focus, and the texts.
    void show(TEditForm *w, const QString &findText, const QString &replaceText = {})
    {
        w->Find1->trigger();
        QTRY_COMPARE(QApplication::activeWindow(), &find());
        find().cbFind->setEditText(findText);
        find().cbReplace->setEditText(replaceText);
    }

    // A text typed into the box, then the focus moved on.
    void leave(QComboBox *box, const QString &text)
    {
        box->setFocus(Qt::TabFocusReason);
        box->setEditText(text);
        find().btnClose->setFocus(Qt::TabFocusReason);
    }

    Texts texts() const
    {
        Texts out;
        for (const TEditForm *w : frame.editWindows())
            out << w->Editor->wholeText();
        return out;
    }
};

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QString notFound(const QString &text)
{
    return QStringLiteral("Search string \"%1\" not found").arg(text);
}

} // namespace

class TestFrmFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void search_data()
    {
        QTest::addColumn<Texts>("docs");
        QTest::addColumn<Ints>("carets");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<Ints>("found"); // per press, in the active document; -1: not found
        QTest::addColumn<int>("shown");  // the active document at the end

        QTest::newRow("from the start, down: always the first")
            << Texts{"Cat Cat"} << Ints{4} << "start" << Ints{0, 0, 0} << 0;
        QTest::newRow("from the start, up: never found")
            << Texts{"Cat Cat"} << Ints{4} << "start up" << Ints{-1, -1} << 0;
        QTest::newRow("case and whole words")
            << Texts{"cat Cat conCat Cat"} << Ints{0} << "case whole" << Ints{4, 15, -1} << 0;
        QTest::newRow("Find Next ignores the start")
            << Texts{"Cat Cat"} << Ints{0} << "start next" << Ints{0, 4} << 0;
        QTest::newRow("all: only the third holds it")
            << Texts{"one", "two", "x Cat"} << Ints{} << "everywhere" << Ints{2} << 2;
        QTest::newRow("all: none holds it, one message")
            << Texts{"one", "two", "three"} << Ints{} << "everywhere" << Ints{-1} << 0;
        QTest::newRow("all: the active one first")
            << Texts{"Cat", "Cat", "Cat"} << Ints{} << "everywhere" << Ints{0} << 0;
        QTest::newRow("all, Find: every document from its caret")
            << Texts{"x", "y", "Cat"} << Ints{0, 0, 3} << "everywhere" << Ints{-1} << 0;
        QTest::newRow("all, Find Next: the others from their start")
            << Texts{"Cat", "y", "Cat"} << Ints{1, 0, 3} << "everywhere next" << Ints{0} << 2;
    }

    void search()
    {
        QFETCH(Texts, docs);
        QFETCH(Ints, carets);
        QFETCH(QString, setup);
        QFETCH(Ints, found);
        QFETCH(int, shown);
        const auto has = [&](const char *word) { return setup.contains(QLatin1String(word)); };
        FindFixture f;
        const QList<TEditForm *> w = f.documents(docs, carets);
        f.show(w.front(), QStringLiteral("Cat"));
        TfrmFind &d = f.find();
        d.RadioButtonAll->setChecked(has("everywhere"));
        d.RadioButtonStart->setChecked(has("start"));
        d.rbUp->setChecked(has("up"));
        d.CheckBoxCase->setChecked(has("case"));
        d.CheckBoxWhole->setChecked(has("whole"));
        for (const int at : found) {
            if (at < 0)
                f.prompts.expectMessage(notFound(QStringLiteral("Cat")));
            (has("next") ? d.btnFindNext : d.btnFind)->click();
            if (at >= 0) {
                QCOMPARE(f.active()->Editor->selStart(), at);
                QCOMPARE(f.active()->Editor->selText(), QByteArray("Cat"));
            }
        }
        QCOMPARE(f.active(), w[shown]);
    }

    // "All open documents" goes from the active document to the one active
    // before it, and on, as the frame's Next does.
    void allDocumentsGoAsNextGoes_data()
    {
        QTest::addColumn<Ints>("holding"); // the documents that hold the text
        QTest::addColumn<int>("shown");
        // Activated 2, 0, 3, 1: the search goes 1, 3, 0, 2.
        QTest::newRow("then the one active before it") << Ints{0, 3} << 3;
        QTest::newRow("the oldest activation last") << Ints{2} << 2;
        QTest::newRow("the third") << Ints{0, 2} << 0;
    }

    void allDocumentsGoAsNextGoes()
    {
        QFETCH(Ints, holding);
        QFETCH(int, shown);
        FindFixture f;
        Texts texts(4, "none");
        for (const int i : holding)
            texts[i] = "Cat";
        const QList<TEditForm *> w = f.documents(texts);
        for (const int i : {2, 0, 3, 1})
            f.activate(w[i]);
        f.show(w[1], QStringLiteral("Cat"));
        f.find().RadioButtonAll->setChecked(true);
        f.find().btnFind->click();
        QCOMPARE(f.active(), w[shown]);
    }

    void replace_data()
    {
        QTest::addColumn<Texts>("docs");
        QTest::addColumn<Ints>("carets");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<Texts>("after");
        QTest::addColumn<QString>("status"); // what Replace All says in the status bar
        const auto said = [](int replaced, int documents) {
            return QStringLiteral("Replace All: occurrences replaced: %1; documents changed: %2")
                .arg(replaced)
                .arg(documents);
        };

        QTest::newRow("all, nothing to replace: no message")
            << Texts{"xyz"} << Ints{} << "all" << Texts{"xyz"} << said(0, 0);
        QTest::newRow("all, whatever the caret")
            << Texts{"a a a"} << Ints{5} << "all" << Texts{"b b b"} << said(3, 1);
        QTest::newRow("all in every document")
            << Texts{"a1", "x", "a3 a"} << Ints{} << "all everywhere" << Texts{"b1", "x", "b3 b"}
            << said(3, 2);
        QTest::newRow("next: the next occurrence")
            << Texts{"a a"} << Ints{0} << "next" << Texts{"b a"} << QString();
        QTest::newRow("next, none left: the selection stays")
            << Texts{"a x"} << Ints{0} << "next selected message" << Texts{"a x"} << QString();
        QTest::newRow("next in the next document")
            << Texts{"x", "y a a"} << Ints{} << "next everywhere" << Texts{"x", "y b a"}
            << QString();
    }

    void replace()
    {
        QFETCH(Texts, docs);
        QFETCH(Ints, carets);
        QFETCH(QString, setup);
        QFETCH(Texts, after);
        QFETCH(QString, status);
        const auto has = [&](const char *word) { return setup.contains(QLatin1String(word)); };
        FindFixture f;
        const QList<TEditForm *> w = f.documents(docs, carets);
        w.front()->Editor->setSelLength(has("selected") ? 1 : 0);
        f.show(w.front(), QStringLiteral("a"), QStringLiteral("b"));
        f.find().RadioButtonAll->setChecked(has("everywhere"));
        if (has("message"))
            f.prompts.expectMessage(notFound(QStringLiteral("a")));
        (has("all") ? f.find().btnReplaceAll : f.find().btnReplaceNext)->click();
        QCOMPARE(f.texts(), after);
        QVERIFY(!f.find().ReplacingAll);
        QCOMPARE(f.active()->StatusBar->currentMessage(), status);
    }

    void ctrlFBindsAndShowsF3SearchesOnWithoutRebinding()
    {
        FindFixture f;
        const QList<TEditForm *> w = f.documents({"cat cat", "cat"});
        QTest::keyClick(w[0]->Editor, Qt::Key_F3); // nothing bound, box empty: nothing
        QTest::keyClick(w[0]->Editor, Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE(QApplication::focusWidget(), f.find().cbFind);
        QVERIFY(!f.find().CheckBoxPrompt->isEnabled());
        // Enter presses Find, the default button; the box adds nothing itself.
        QTest::keyClicks(f.find().cbFind, QStringLiteral("cat"));
        QTest::keyClick(f.find().cbFind, Qt::Key_Return);
        QCOMPARE(w[0]->Editor->selText(), QByteArray("cat"));
        QCOMPARE(f.find().cbFind->count(), 0);
        f.activate(w[1]);
        f.frame.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &f.frame);
        QTest::keyClick(w[1]->Editor, Qt::Key_F3);
        QCOMPARE(w[0]->Editor->selStart(), 4); // the document the dialog was shown for
        QCOMPARE(w[1]->Editor->selLength(), 0);
    }

    void aClosedDocumentLeavesTheDialogUnbound()
    {
        FindFixture f;
        QPointer<TEditForm> w = f.documents({"cat"}).front();
        f.show(w, QStringLiteral("cat"));
        f.closeActive();
        QTRY_VERIFY(w.isNull());
        f.prompts.expectMessage(QStringLiteral("No editcontrol assigned!"));
        f.find().btnFind->click();
        f.find().RadioButtonAll->setChecked(true); // no document to search
        f.prompts.expectMessage(notFound(QStringLiteral("cat")));
        f.find().btnFind->click();
    }

    void historyKeepsTheNewestFirst_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("history");

        QStringList many;
        for (int i = 1; i <= 31; ++i)
            many.prepend(QString::number(i));
        QTest::newRow("new on top") << QStringList{"a", "b"} << QStringList{"b", "a"};
        QTest::newRow("known moves up, once")
            << QStringList{"a", "b", "c", "a"} << QStringList{"a", "c", "b"};
        QTest::newRow("case counts") << QStringList{"cat", "Cat"} << QStringList{"Cat", "cat"};
        QTest::newRow("empty is not kept") << QStringList{"a", ""} << QStringList{"a"};
        QTest::newRow("the 31st pushes the oldest out")
            << QStringList(many.rbegin(), many.rend()) << many.mid(0, 30);
    }

    void historyKeepsTheNewestFirst()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, history);
        FindFixture f;
        f.show(f.documents({"x"}).front(), QString());
        for (const QString &text : left)
            f.leave(f.find().cbReplace, text);
        QCOMPARE(items(f.find().cbReplace), history);
        QCOMPARE(f.find().cbReplace->currentText(), left.back());
    }

    void historiesLastFromRunToRun()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("store.ini"));
        {
            FindFixture f(store);
            f.show(f.documents({"x"}).front(), QString());
            for (const char *text : {"one", "two", "three"})
                f.leave(f.find().cbFind, QString::fromLatin1(text));
            f.leave(f.find().cbReplace, QStringLiteral("R"));
            f.frame.Exit1Click(); // the frame closes the dialog first
        }
        FindFixture f(store);
        QCOMPARE(items(f.find().cbFind), (QStringList{"three", "two", "one"}));
        QCOMPARE(items(f.find().cbReplace), QStringList{"R"});
        QCOMPARE(f.find().cbFind->currentText(), QString()); // a new run starts empty
    }

    void storedHistoriesAreReadSafely_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("history");

        QTest::newRow("a count far beyond the size")
            << QByteArray("[FindItems]\nFindItemsCount=2147483647\nFindItem1=b\n")
            << (QStringList{"", "b"} + QStringList(28, QString()));
        QTest::newRow("an entry of the wrong kind: what came before stays")
            << QByteArray("[FindItems]\nFindItemsCount=2\nFindItem0=a\nFindItem1=@ByteArray(\\0)\n")
            << QStringList{"a"};
    }

    void storedHistoriesAreReadSafely()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, history);
        ScriptedPrompts prompts;
        SettingsSandbox settings;
        settings.writeRaw(ini);
        if (history.size() == 1)
            prompts.expectFailure(QStringLiteral("Error in TfrmFind.LoadFindItems"));
        TFrameForm frame;
        QCOMPARE(items(frame.frmFind->cbFind), history);
    }
};

QTEST_MAIN(TestFrmFind)
#include "tst_frmfind.moc"
