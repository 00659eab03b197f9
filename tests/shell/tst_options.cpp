// The Options dialog: what each page stores and hands to the running
// program, the question on closing, the favourites limit, and what edit
// windows take from it.

#include "FrameFixture.h"
#include "RecordingKeyboard.h"
#include "platform/keyboard/KeyboardDriver.h"
#include "platform/text/WinColors.h"
#include "search/uniFind.h"
#include "settings/uniOptions.h"
#include "shell/Translations.h"
#include "transform/sndkey32.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTranslator>

#include <functional>

namespace {

using Change = std::function<void(FrameFixture &, TfrmOptions &)>;

// The window text of the running system, so that a font in it is stored as
// this colour: 0x563412 as Windows writes RGB.
const QColor kWindowText(0x12, 0x34, 0x56);

CharAttributes font(const char *face, int size, int style, quint32 color)
{
    return {QString::fromLatin1(face), size, style, color, 204};
}

// A stored value as the tables give it; a font record as its face and colour.
QString described(const QVariant &value)
{
    if (value.typeId() != QMetaType::QByteArray)
        return value.toString();
    FontSpec f;
    fontrecord::read(f, fontrecord::fromBytes(value.toByteArray()));
    return QStringLiteral("%1 %2").arg(f.name).arg(f.color, 0, 16);
}

QStringList texts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << a->text();
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestOptions : public QObject
{
    Q_OBJECT

    // One change on each page, the Apply button that takes it, and what
    // Apply stores; when the store fails, the page's message, and whether
    // Apply stays enabled.
    static void pageRows()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("apply");
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("enabledAfterFailure");
        const int bold = fontstyle::Bold, italic = fontstyle::Italic;
        // clang-format off
        QTest::newRow("General") << Change([=](FrameFixture &f, TfrmOptions &d) {
            f.prompts.expectColor(0x00FF00);
            d.btnBGColorClick();
            f.prompts.expectFont(font("Serif", 12, bold | italic | fontstyle::Underline,
                                      wincolors::kWindowText));
            d.btnFontClick();
            QVERIFY(f.prompts.lastFontRequest().ansiOnly);
        }) << "btnOKGen"
            << QVariantMap{{"BGColor_Key/BGColor", "65280"},
                           {"FontColor_Key/FGFontColor", "5649426"},
                           {"FontSize_Key/FGFontSize", "12"}, {"FontName_Key/FGFontName", "Serif"},
                           {"FontName_Key/FGFontStyle", "8"}, {"FontName_Key/FGFontCharSet", "204"}}
            << "Error in TfrmOptions.btnOKGenClick" << true;
        QTest::newRow("Favourites") << Change([](FrameFixture &f, TfrmOptions &d) {
            f.prompts.expectOpenFile(QStringLiteral("/fav/a.txt"));
            d.btnInsertClick();
        }) << "btnOKFav"
            << QVariantMap{{"Favourites/FavourCount", "1"}, {"Favourites/Item0", "/fav/a.txt"}}
            << "Error in TfrmOptions.btnOKFavClick" << true;
        QTest::newRow("Translate") << Change([](FrameFixture &, TfrmOptions &d) {
            d.Edit1->setText(QStringLiteral("^% z"));
            d.CBTranslate->click();
        }) << "btnOKHot"
            << QVariantMap{{"HotKeys_Key/HotKeys_Key", "^%z"},
                           {"HotKeys_Key/EnableTranslate_Key", "0"}}
            << "Error in TfrmOptions.btnOKHotClick" << false;
        QTest::newRow("LangParser") << Change([=](FrameFixture &f, TfrmOptions &d) {
            f.prompts.expectFont(font("Monospace", 11, bold, 0x0000FF));
            d.btnCommentFontClick();
            f.prompts.expectFont(std::nullopt);
            d.btnStringFontClick(); // cancelled, and still a change
            QVERIFY(!f.prompts.lastFontRequest().ansiOnly);
            d.TSLangParser->cbLangParserEnabled->click();
        }) << "btnOKLang"
            << QVariantMap{{"CommentFont", "Monospace ff"},
                           {"KeywordFont", "Courier New 80000008"},
                           {"StringFont", "Courier New ff"},
                           {"LangParser/LangParserEnabled_Key", "1"}}
            << "Error in TfrmOptions.btnOKLangClick" << true;
        QTest::newRow("Other") << Change([](FrameFixture &, TfrmOptions &d) {
            d.CBOnlyOneKeyLayout->click();
        }) << "btnOKOther" << QVariantMap{{"Other/OnlyOneKeyLayout", "1"}}
            << "Error in TfrmOptions.btnOKOtherClick" << false;
        // clang-format on
    }

private Q_SLOTS:
    void initTestCase()
    {
        QPalette palette = QGuiApplication::palette();
        palette.setColor(QPalette::Text, kWindowText);
        QGuiApplication::setPalette(palette);
    }

    void everyPageIsStored_data() { pageRows(); }

    void everyPageIsStored()
    {
        QFETCH(Change, change);
        QFETCH(QString, apply);
        QFETCH(QVariantMap, stored);
        FrameFixture f;
        TfrmOptions &d = *f.frame.frmOptions;
        QVERIFY(!d.OptionsModified());
        change(f, d);
        auto *button = d.findChild<QPushButton *>(apply);
        QVERIFY(button->isEnabled());
        button->click();
        QVERIFY(!d.OptionsModified());
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            QCOMPARE(described(f.settings.value(it.key())), it.value().toString());
        if (apply == QLatin1String("btnOKHot")) // the box keeps what was typed
            QCOMPARE(d.Edit1->text(), QStringLiteral("^% z"));
    }

    void aStoreThatFailsIsReported_data() { pageRows(); }

    void aStoreThatFailsIsReported()
    {
        QFETCH(Change, change);
        QFETCH(QString, apply);
        QFETCH(QString, failure);
        QFETCH(bool, enabledAfterFailure);
        FrameFixture f;
        TfrmOptions &d = *f.frame.frmOptions;
        change(f, d);
        // A file stands where the store's folder would have to be.
        SettingsSandbox blocked(f.write(QStringLiteral("Brenmoor"), {}) +
                                QStringLiteral("/Scrivlet.ini"));
        f.prompts.expectFailure(failure);
        d.findChild<QPushButton *>(apply)->click();
        QCOMPARE(d.findChild<QPushButton *>(apply)->isEnabled(), enabledAfterFailure);
    }

    void closingAsksOnlyWhileChangesAreUnapplied()
    {
        FrameFixture f;
        TfrmOptions &d = *f.frame.frmOptions;
        QVERIFY(!d.isVisible());
        f.frame.Preference1->trigger();
        QVERIFY(d.isVisible());
        QVERIFY(!d.isModal());
        for (QWidget *w : d.findChildren<QWidget *>()) {
            if (w->isVisible() && w->focusPolicy() != Qt::NoFocus)
                QVERIFY2(
                    !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
                    qPrintable(w->objectName()));
        }
        d.ButtonClose->click(); // nothing to ask
        QVERIFY(!d.isVisible());

        f.frame.Preference1->trigger();
        f.prompts.expectColor(0x00FF00);
        d.btnBGColorClick();
        const QString question = QStringLiteral("Options were modified,leave without the saving?");
        f.prompts.expectMessage(question, Prompts::Answer::No);
        d.ButtonClose->click();
        QVERIFY(d.isVisible());
        f.prompts.expectMessage(question, Prompts::Answer::Yes);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());

        // Nothing was thrown away; only the demo shows the applied colour.
        f.frame.Preference1->trigger();
        QVERIFY(d.TSGeneral->btnOKGen->isEnabled());
        QCOMPARE(d.TSGeneral->MemoDemo->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void favouritesKeepToTheirLimit()
    {
        FrameFixture f;
        TfrmOptions &d = *f.frame.frmOptions;
        QListWidget *list = d.TSFavourites->ListBoxFav;
        d.FavDeleteClick(); // nothing selected: nothing goes, yet it counts
        QVERIFY(d.TSFavourites->btnOKFav->isEnabled());
        QStringList ten;
        for (int n = 0; n < 10; ++n) {
            ten << QStringLiteral("/fav/%1.txt").arg(n);
            f.prompts.expectOpenFile(ten.last());
            d.btnInsertClick();
        }
        f.prompts.expectOpenFile(QStringLiteral("/fav/eleven.txt"));
        f.prompts.expectMessage(QStringLiteral("Sorry,only 10 Favourites"));
        d.btnInsertClick();
        QCOMPARE(list->count(), 10);

        // A list grown past the limit some other way is cut when applied;
        // the list itself keeps what it holds.
        list->addItem(QStringLiteral("/fav/extra.txt"));
        f.prompts.expectMessage(QStringLiteral("Only 10 Favourites"));
        f.frame.move(300, 250);
        d.btnOKFavClick();
        QCOMPARE(f.settings.value(QStringLiteral("Favourites/FavourCount")).toString(),
                 QStringLiteral("10"));
        QCOMPARE(texts(f.frame.Favourites1), ten);
        QCOMPARE(texts(f.frame.TrayFavourites), ten);
        QCOMPARE(f.frame.pos(), QPoint(200, 100)); // the stored geometry is back

        list->setCurrentRow(0);
        d.FavDeleteClick();
        d.btnOKFavClick();
        const QStringList nine = ten.mid(1) << QStringLiteral("/fav/extra.txt");
        QCOMPARE(texts(f.frame.Favourites1), nine);
        QCOMPARE(texts(f.frame.TrayFavourites), nine);
    }

    void newEditWindowsTakeWhatTheDialogHolds()
    {
        FrameFixture f;
        TfrmOptions &d = *f.frame.frmOptions;
        f.frame.New1Click();
        TEditForm *before = f.active();
        f.prompts.expectColor(0x00FF00);
        d.btnBGColorClick();
        const CharAttributes applied = font("Serif", 14, fontstyle::Italic, 0x0000FF);
        f.prompts.expectFont(applied);
        d.btnFontClick();
        d.btnOKGenClick();
        f.prompts.expectFont(font("Monospace", 9, 0, 0)); // chosen, not applied
        d.btnFontClick();
        d.Edit1->setText(QStringLiteral("+{F5}"));
        d.CBTranslate->click();

        f.frame.New1Click();
        TEditForm *after = f.active();
        QCOMPARE(after->Editor->backgroundColor(), 0x00FF00u);
        QCOMPARE(after->Editor->defAttributes(), applied);
        QCOMPARE(before->Editor->backgroundColor(), wincolors::kWindow); // the desktop's
        QVERIFY(before->Translate2->isVisible());
        QVERIFY(!after->Translate2->isVisible());
        QVERIFY(!f.settings.value(QStringLiteral("HotKeys_Key/HotKeys_Key")).isValid());

        // Translate types the hot key the box held, applied or not.
        RecordingKeyboard keyboard, expected;
        installKeyboardDriver(&keyboard);
        after->Editor->setWholeText("word");
        after->Translate2Click();
        SendKeys(expected, QByteArray("+{F5}"), true);
        QCOMPARE(keyboard.trace(), expected.trace());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("word"));

        // A hot key that cannot be read is reported; the copy stays.
        d.Edit1->setText(QStringLiteral("{LEFT x}"));
        f.frame.New1Click();
        f.active()->Editor->setWholeText("text");
        f.prompts.expectFailure(QStringLiteral("Error in TEditForm.Translate2Click"));
        f.active()->Translate2Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("text"));
        installKeyboardDriver(nullptr);
    }

    // The buttons a dialog shows together each answer Alt and a letter of
    // their own, in English and in Russian: a letter two buttons share only
    // moves the focus.
    void dialogButtonsAnswerAltAndALetter_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("page"); // of the Options dialog
        for (const char *locale : {"C", "ru_RU"}) {
            QTest::addRow("%s Find & Replace", locale)
                << QString::fromLatin1(locale) << "find" << -1;
            for (int page = 0; page < 5; ++page)
                QTest::addRow("%s Options page %d", locale, page)
                    << QString::fromLatin1(locale) << "options" << page;
        }
    }

    void dialogButtonsAnswerAltAndALetter()
    {
        QFETCH(QString, locale);
        QFETCH(QString, dialog);
        QFETCH(int, page);
        translations::install(QLocale(locale));
        const auto english = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
        FrameFixture f;
        QDialog *shown = f.frame.frmFind;
        QList<QPushButton *> buttons = shown->findChildren<QPushButton *>();
        QPushButton *close = f.frame.frmFind->btnClose;
        if (dialog == QLatin1String("options")) {
            TfrmOptions &d = *f.frame.frmOptions;
            shown = &d;
            d.PageControl1->setCurrentIndex(page);
            buttons = d.PageControl1->currentWidget()->findChildren<QPushButton *>();
            buttons << d.ButtonClose;
            close = d.ButtonClose;
        }
        QStringList letters;
        for (const QPushButton *b : buttons) {
            const QKeySequence key = QKeySequence::mnemonic(b->text());
            QVERIFY2(!key.isEmpty(), qPrintable(b->text()));
            QVERIFY2(!letters.contains(key.toString()), qPrintable(b->text()));
            letters << key.toString();
        }
        shown->show();
        shown->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), shown);
        QSignalSpy clicked(close, &QPushButton::clicked);
        // A Cyrillic letter goes with its text: QTest knows Latin keys only.
        const Qt::Key letter = QKeySequence::mnemonic(close->text())[0].key();
        QTest::sendKeyEvent(QTest::Click, shown, letter, QString(QChar(letter)).toLower(),
                            Qt::AltModifier);
        // The button shows itself pressed a moment before it acts.
        QVERIFY(clicked.wait());
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
