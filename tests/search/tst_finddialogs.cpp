#include "FakeEdit.h"
#include "ScriptedPrompts.h"

#include "search/FindReplace.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

template<typename T>
T *control(FindDialog *dialog, const char *name)
{
    QDialog *window = dialog->window();
    if (!window)
        return nullptr;
    return window->findChild<T *>(QLatin1String(name));
}

void click(FindDialog *dialog, const char *button)
{
    QPushButton *b = control<QPushButton>(dialog, button);
    QVERIFY(b);
    QVERIFY(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

void type(FindDialog *dialog, const char *field, const QString &text)
{
    QLineEdit *edit = control<QLineEdit>(dialog, field);
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// An engine that shows its own dialogs, over a window of the host.
struct Host
{
    explicit Host(const QByteArray &text)
        : edit(text)
    {
        engine = new TFindReplace(&owner);
        engine->setEditControl(&edit);
        engine->setOnShow([this](QObject *) { log << QStringLiteral("show"); });
        engine->setOnClose([this](QObject *) { log << QStringLiteral("close"); });
        engine->setOnFind([this](QObject *) { log << QStringLiteral("find"); });
        engine->setOnReplace([this](QObject *) { log << QStringLiteral("replace"); });
        engine->setOnNotFound([this](QObject *) { log << QStringLiteral("notFound"); });
    }

    ScriptedPrompts prompts;
    QWidget owner;
    FakeEdit edit;
    TFindReplace *engine;
    QStringList log;
};

} // namespace

class TestFindDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findDialogSearchesUntilNotFound()
    {
        Host host("cat concat cat.");
        host.engine->setOptions(frDown);
        host.engine->Find();
        FindDialog *dialog = host.engine->findDialog();
        QVERIFY(dialog->isOpen());
        QCOMPARE(dialog->window()->windowTitle(), QStringLiteral("Find"));
        QCOMPARE(host.log, QStringList{QStringLiteral("show")});
        QVERIFY(!control<QPushButton>(dialog, "findNext")->isEnabled()); // nothing to find yet
        QVERIFY(!control<QPushButton>(dialog, "replace"));

        type(dialog, "findText", QStringLiteral("cat"));
        QTest::mouseClick(control<QCheckBox>(dialog, "wholeWord"), Qt::LeftButton);
        QCOMPARE(host.engine->Options(), frDown | frWholeWord);
        QCOMPARE(host.engine->FindText(), QStringLiteral("cat"));

        click(dialog, "findNext");
        QCOMPARE(host.edit.start, 0);
        click(dialog, "findNext");
        QCOMPARE(host.edit.start, 11);
        QCOMPARE(host.edit.length, 3);
        host.prompts.expectMessage(QStringLiteral("Search string 'cat' not found"));
        click(dialog, "findNext");
        QCOMPARE(host.prompts.log().last().caption, QStringLiteral("Find"));
        QCOMPARE(host.edit.start, 11);

        click(dialog, "cancel");
        QVERIFY(!dialog->isOpen());
        QCOMPARE(host.log, QStringList({QStringLiteral("show"), QStringLiteral("find"),
                                        QStringLiteral("find"), QStringLiteral("notFound"),
                                        QStringLiteral("close")}));
    }

    void upwardsFromTheDialog()
    {
        Host host("ab ab");
        host.engine->setFindText(QStringLiteral("ab"));
        host.engine->setOptions(frDown);
        host.edit.setSelStart(5);
        host.engine->Find();
        FindDialog *dialog = host.engine->findDialog();
        QCOMPARE(control<QLineEdit>(dialog, "findText")->text(), QStringLiteral("ab"));
        QTest::mouseClick(control<QRadioButton>(dialog, "up"), Qt::LeftButton);
        QVERIFY(!(host.engine->Options() & frDown));
        click(dialog, "findNext");
        QCOMPARE(host.edit.start, 3);
        click(dialog, "findNext");
        QCOMPARE(host.edit.start, 0);
    }

    void replaceDialogReplacesOneOrAll()
    {
        Host host("one two two Two");
        host.engine->setOptions(frDown | frMatchCase);
        host.engine->Replace();
        ReplaceDialog *dialog = host.engine->replaceDialog();
        QVERIFY(dialog->isOpen());
        QCOMPARE(dialog->window()->windowTitle(), QStringLiteral("Replace"));
        QVERIFY(control<QCheckBox>(dialog, "matchCase")->isChecked());
        type(dialog, "findText", QStringLiteral("two"));
        type(dialog, "replaceText", QStringLiteral("2"));

        click(dialog, "replace"); // nothing selected: finds the first
        QCOMPARE(host.edit.text, QByteArray("one 2 two Two"));
        QCOMPARE(dialog->options() & (frReplace | frReplaceAll), TFindOptions(frReplace));

        host.log.clear();
        host.prompts.expectMessage(QStringLiteral("Search string 'two' not found"));
        click(dialog, "replaceAll");
        QCOMPARE(host.edit.text, QByteArray("one 2 2 Two"));
        QCOMPARE(host.prompts.log().last().caption, QStringLiteral("Replace"));
        QCOMPARE(host.log, QStringList({QStringLiteral("find"), QStringLiteral("notFound"),
                                        QStringLiteral("replace")}));
        QCOMPARE(host.engine->ReplaceText(), QStringLiteral("2"));
    }

    void flagsHideAndDisableOptions()
    {
        Host host("x");
        host.engine->setOptions(frHideMatchCase | frDisableWholeWord | frHideUpDown);
        host.engine->Find();
        FindDialog *dialog = host.engine->findDialog();
        QVERIFY(control<QCheckBox>(dialog, "matchCase")->isHidden());
        QVERIFY(!control<QCheckBox>(dialog, "wholeWord")->isHidden());
        QVERIFY(!control<QCheckBox>(dialog, "wholeWord")->isEnabled());
        QVERIFY(control<QRadioButton>(dialog, "up")->parentWidget()->isHidden());

        // Options set while the dialog is open show at once.
        host.engine->setOptions(frDown | frMatchCase);
        QVERIFY(!control<QCheckBox>(dialog, "matchCase")->isHidden());
        QVERIFY(control<QCheckBox>(dialog, "matchCase")->isChecked());
        QVERIFY(control<QRadioButton>(dialog, "down")->isChecked());
    }

    void keepTextCopiesTheDialogTexts_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("kept") << true;
        QTest::newRow("not kept") << false;
    }

    void keepTextCopiesTheDialogTexts()
    {
        QFETCH(bool, keep);
        Host host("abc");
        host.engine->setKeepText(keep);
        host.engine->setFindText(QStringLiteral("old"));
        host.engine->setReplaceText(QStringLiteral("old too"));
        host.engine->Replace();
        ReplaceDialog *dialog = host.engine->replaceDialog();
        type(dialog, "findText", QStringLiteral("b"));
        type(dialog, "replaceText", QStringLiteral("B"));
        QTest::mouseClick(control<QRadioButton>(dialog, "down"), Qt::LeftButton);
        click(dialog, "findNext");
        QCOMPARE(host.edit.start, 1);

        host.engine->setShowDialogs(false); // closes the dialog
        QVERIFY(!dialog->isOpen());
        QCOMPARE(host.log.last(), QStringLiteral("close"));
        QCOMPARE(host.engine->FindText(), keep ? QStringLiteral("b") : QStringLiteral("old"));
        QCOMPARE(host.engine->ReplaceText(),
                 keep ? QStringLiteral("B") : QStringLiteral("old too"));
    }

    void failuresInTheDialogAreShown()
    {
        Host host("abc");
        auto edit = std::make_unique<FakeEdit>("abc");
        host.engine->setEditControl(edit.get());
        host.engine->Find();
        FindDialog *dialog = host.engine->findDialog();
        type(dialog, "findText", QStringLiteral("b"));
        edit.reset(); // the document goes away while the dialog is open
        QCOMPARE(host.engine->EditControl(), nullptr);

        host.prompts.expectMessage(QStringLiteral("No editcontrol assigned!"));
        click(dialog, "findNext");
        host.prompts.expectMessage(QStringLiteral("No editcontrol assigned!"));
        QTest::keyClick(dialog->window(), Qt::Key_Escape);
        QVERIFY(!dialog->isOpen());
        QCOMPARE(host.prompts.pending(), 0);
    }

    void placeIsKeptBetweenShowings()
    {
        Host host("abc");
        host.engine->Find();
        FindDialog *dialog = host.engine->findDialog();
        dialog->window()->move(123, 77);
        QCOMPARE(dialog->position(), QPoint(123, 77));
        click(dialog, "cancel");
        host.engine->Replace();
        QCOMPARE(host.engine->replaceDialog()->window()->pos(), QPoint(123, 77));
    }

    void ownerMayGoWhileTheDialogIsOpen()
    {
        auto host = std::make_unique<Host>("abc");
        host->engine->Find();
        host->engine->Replace();
        QPointer<QDialog> window = host->engine->findDialog()->window();
        QVERIFY(window);
        host.reset();
        QVERIFY(!window);
    }
};

QTEST_MAIN(TestFindDialogs)
#include "tst_finddialogs.moc"
