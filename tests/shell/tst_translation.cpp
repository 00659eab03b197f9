// The Russian interface: the translations load for a Russian locale and for
// no other, and every menu item and toolbar hint of the frame and of an
// edit window reads Russian under it, with an accelerator of its own.

#include "FrameFixture.h"
#include "shell/Translations.h"

#include <QLocale>
#include <QTranslator>

#include <algorithm>

namespace {

// Texts that read the same in both languages, with the reason.
const QStringList kSameInRussian = {
    // The command's name as the program's users know it.
    QStringLiteral("EngToLower"),
    // The popup item that the Russian notes of Options name "Translate".
    QStringLiteral("Translate"),
    // Code pages and line breaks, named as their systems name them.
    QStringLiteral("Dos866->Win1251"),
    QStringLiteral("Win1251->Dos866"),
    QStringLiteral("Koi8->Win1251"),
    QStringLiteral("Win1251->Koi8"),
    QStringLiteral("UTF-8->Win1251"),
    QStringLiteral("Win1251->UTF-8"),
    QStringLiteral("Windows-1251"),
    QStringLiteral("UTF-8"),
    QStringLiteral("KOI8-R"),
    QStringLiteral("DOS 866"),
    QStringLiteral("Windows (CR LF)"),
    QStringLiteral("Unix (LF)"),
    QStringLiteral("Mac (CR)"),
};

// The few notes the design writes in Russian are Russian in both languages.
bool isRussian(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

struct Shown
{
    QString where; // the menu or control that shows it
    QString text;
};

// Every menu title and item, toolbar command and hint of the frame and of
// what it holds, in the order the frame made them.
QList<Shown> shownTexts(const TFrameForm &frame)
{
    QList<Shown> out;
    const auto add = [&out](const QObject *where, const QString &text) {
        if (!text.isEmpty())
            out.append({where->objectName(), text});
    };
    for (const QMenu *menu : frame.findChildren<QMenu *>()) {
        // Qt's own menus, such as a window's system menu, carry no name.
        if (menu->objectName().isEmpty())
            continue;
        add(menu, menu->title());
        for (const QAction *item : menu->actions())
            add(menu, item->text());
    }
    for (const QToolBar *bar : frame.findChildren<QToolBar *>()) {
        for (const QAction *command : bar->actions())
            add(command, hints::hintOf(command));
    }
    for (const QWidget *control : frame.findChildren<QWidget *>())
        add(control, control->toolTip());
    return out;
}

// The letters of the items' accelerators that more than one visible item of
// a menu or of the menu bar takes: Alt and the letter would only move
// between them.
QStringList sharedAccelerators(const TFrameForm &frame)
{
    QList<const QWidget *> menus{frame.menuBar()};
    for (const QMenu *menu : frame.findChildren<QMenu *>()) {
        if (!menu->objectName().isEmpty()) // Qt's own menus are Qt's
            menus << menu;
    }
    QStringList shared;
    for (const QWidget *menu : menus) {
        QString taken;
        for (const QAction *item : menu->actions()) {
            const QString text = QString(item->text()).remove(QLatin1String("&&"));
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (!item->isVisible() || amp < 0 || amp + 1 >= text.size())
                continue;
            const QChar letter = text[amp + 1].toLower();
            if (taken.contains(letter))
                shared << menu->objectName() + QLatin1String(": ") + item->text();
            taken += letter;
        }
    }
    return shared;
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { qDeleteAll(qApp->findChildren<QTranslator *>()); }

    void installsForTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QString>("qtCancel"); // the buttons of Qt's dialogs
        QTest::newRow("Russian") << "ru_RU" << true << "&Файл"
                                 << "Отмена";
        QTest::newRow("Russian elsewhere") << "ru_UA" << true << "&Файл"
                                           << "Отмена";
        QTest::newRow("C") << "C" << false << "&File"
                           << "Cancel";
        QTest::newRow("English") << "en_GB" << false << "&File"
                                 << "Cancel";
        QTest::newRow("German: Qt's dialogs only") << "de_DE" << false << "&File"
                                                   << "Abbrechen";
    }

    void installsForTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(bool, own);
        QFETCH(QString, fileMenu);
        QFETCH(QString, qtCancel);
        QCOMPARE(translations::install(QLocale(locale)), own);
        FrameFixture f;
        QCOMPARE(f.frame.File1->title(), fileMenu);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
    }

    // Each text is compared with the same text of a frame made in English.
    void everyMenuAndHintReadsRussian()
    {
        QList<Shown> english;
        {
            FrameFixture f;
            f.frame.New1Click();
            english = shownTexts(f.frame);
        }
        QVERIFY(translations::install(QLocale(QStringLiteral("ru_RU"))));
        FrameFixture f;
        f.frame.New1Click();
        // A new document's name is read back to find it: it stays as it is.
        QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled1"));
        const QList<Shown> russian = shownTexts(f.frame);
        QCOMPARE(russian.size(), english.size());
        QStringList untranslated;
        for (qsizetype i = 0; i < english.size(); ++i) {
            const QString plain = QString(english[i].text).remove(QLatin1Char('&'));
            if (russian[i].text == english[i].text && !kSameInRussian.contains(plain) &&
                !isRussian(plain))
                untranslated << english[i].where + QLatin1String(": ") + english[i].text;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
        const QStringList shared = sharedAccelerators(f.frame);
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
