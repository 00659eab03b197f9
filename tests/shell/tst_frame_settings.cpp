// What the frame takes from the settings store when it starts, what it
// keeps there when the program ends, and the favourites and recent files
// that last from one run to the next.

#include "FontPrinting.h"
#include "FrameFixture.h"
#include "SmallDisk.h"
#include "platform/text/WinColors.h"
#include "settings/LParser.h"
#include "settings/OptionsPages.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"
#include "settings/uniOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

using namespace settingsnames;

QByteArray recordOf(const FontSpec &f)
{
    fontrecord::Record r{};
    fontrecord::write(r, f);
    return fontrecord::toBytes(r);
}

// Where the frame stands and how big it is, as the store keeps them.
QRect placeOf(const QWidget &frame)
{
    return QRect(frame.pos(), frame.size());
}

QStringList texts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << a->text();
    return out;
}

// Runs of the program one after another on one store: each start creates
// a frame, each exit ends it as File > Exit does.
struct Runs
{
    ScriptedPrompts prompts;
    QTemporaryDir dir;
    SettingsSandbox settings;
    std::unique_ptr<TFrameForm> frame;

    TFrameForm &start()
    {
        frame = std::make_unique<TFrameForm>();
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            QTest::qFail("the frame did not show", __FILE__, __LINE__);
        return *frame;
    }

    void exit()
    {
        frame->Exit1Click();
        if (frame->isVisible())
            QTest::qFail("the frame did not close", __FILE__, __LINE__);
        frame.reset();
    }

    TFrameForm &restart()
    {
        exit();
        return start();
    }

    // Values written as the program writes them.
    template<typename Write>
    void store(Write write)
    {
        SettingsStore s;
        write(s);
        s.close();
    }

    QString stored(const QString &key) const { return settings.value(key).toString(); }

    QString file(const QString &name, const QByteArray &bytes = "text")
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            QTest::qFail("cannot write a test file", __FILE__, __LINE__);
        f.write(bytes);
        return f.fileName();
    }

    QStringList recent() const { return FrameFixture::recent(frame->File1, 4); }
};

} // namespace

class TestFrameSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anEmptyStoreGivesEveryDefault()
    {
        Runs runs;
        TFrameForm &frame = runs.start();
        QCOMPARE(placeOf(frame), QRect(200, 100, 700, 500));
        QVERIFY(!frame.isMaximized());
        QCOMPARE(frame.CommentFont, frame.LangParserDefault->CommentStyle());
        QCOMPARE(frame.KeywordFont, frame.LangParserDefault->KeywordStyle());
        QCOMPARE(frame.NormalFont, frame.LangParserDefault->NormalStyle());
        QCOMPARE(frame.NumberFont, frame.LangParserDefault->NumberStyle());
        QCOMPARE(frame.StringFont, frame.LangParserDefault->StringStyle());
        QCOMPARE(frame.TranslateHotKeys, QStringLiteral("^{F3}"));
        QVERIFY(frame.TranslateEnabled);
        QVERIFY(!frame.LangParserEnabled);
        // The desktop's colours and general font, which a Linux desktop has
        // in place of MS Sans Serif.
        QCOMPARE(frame.EditorBGColor, wincolors::kWindow);
        const CharAttributes editorFont{
            QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(), 10, 0,
            wincolors::kWindowText, 204};
        QCOMPARE(frame.editorFont(), editorFont);
        QVERIFY(!frame.OnlyOneKeyLayout);
        QCOMPARE(frame.FavourCount, 0);
        QVERIFY(frame.Favourites1->actions().isEmpty());
        QVERIFY(frame.TrayFavourites->actions().isEmpty());
        QCOMPARE(frame.File1->actions().constLast(), frame.Exit1);

        // An edit window shows in the editor settings.
        frame.New1Click();
        QCOMPARE(frame.activeEditWindow()->Editor->backgroundColor(), wincolors::kWindow);
        QCOMPARE(frame.activeEditWindow()->Editor->defAttributes(), editorFont);
        QVERIFY(!frame.ReopenDocuments);
    }

    // Until the user chooses a background, the text takes the desktop's
    // colours, as a dark theme gives them to Qt through its palette.
    void aDarkDesktopGivesADarkTextAreaUntilAColourIsChosen()
    {
        const QPalette light = QGuiApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        QPalette dark = light;
        dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
        dark.setColor(QPalette::Text, QColor(0xDD, 0xDD, 0xDD));
        QApplication::setPalette(dark);
        Runs runs;
        TFrameForm &frame = runs.start();
        frame.New1Click();
        const auto colours = [&] {
            const QPalette p = frame.activeEditWindow()->Editor->focusProxy()->palette();
            return QStringList{p.color(QPalette::Base).name(), p.color(QPalette::Text).name()};
        };
        QCOMPARE(colours(), QStringList({"#1e1e1e", "#dddddd"}));

        runs.prompts.expectColor(0xC0FFFF);
        frame.frmOptions->TSGeneral->btnBGColor->click();
        frame.frmOptions->TSGeneral->btnOKGen->click();
        frame.New1Click();
        QCOMPARE(colours().first(), QStringLiteral("#ffffc0"));
    }

    void storedValuesAreTaken()
    {
        Runs runs;
        const FontSpec normal = fontSpec(QStringLiteral("Arial"), 12, 0x008000, 204, 1);
        runs.store([&](SettingsStore &s) {
            s.writeBool(FormPosition, FormMaximized, false);
            s.writeInteger(FormPosition, FormWidth, 600);
            s.writeInteger(FormPosition, FormHeight, 400);
            s.writeInteger(FormPosition, FormLeft, 30);
            s.writeInteger(FormPosition, FormTop, 40);
            s.writeBinaryData(MainKey, settingsnames::NormalFont, recordOf(normal));
            s.writeString(HotKeys, HotKeys, QStringLiteral("+{F5}"));
            s.writeBool(HotKeys, EnableTranslate, false);
            s.writeString(BGColorSection, BGColor, QStringLiteral("0xC0C0C0"));
            s.writeInteger(FontColorSection, FGFontColor, 0xFF);
            s.writeInteger(FontSizeSection, FGFontSize, 12);
            s.writeString(FontNameSection, FGFontName, QStringLiteral("Courier New"));
            s.writeInteger(FontNameSection, FGFontStyle, 8);
            s.writeInteger(FontNameSection, FGFontCharSet, 0);
            s.writeBool(Other, settingsnames::OnlyOneKeyLayout, true);
        });
        TFrameForm &frame = runs.start();
        QCOMPARE(placeOf(frame), QRect(30, 40, 600, 400));
        QCOMPARE(frame.NormalFont, normal);
        QCOMPARE(frame.KeywordFont, frame.LangParserDefault->KeywordStyle());
        QCOMPARE(frame.TranslateHotKeys, QStringLiteral("+{F5}"));
        QVERIFY(!frame.TranslateEnabled);
        QCOMPARE(frame.EditorBGColor, 0xC0C0C0u);
        // Style code 8: bold, italic, underlined.
        const CharAttributes editorFont{QStringLiteral("Courier New"), 12,
                                        fontstyle::Bold | fontstyle::Italic | fontstyle::Underline,
                                        0xFF, 0};
        QCOMPARE(frame.editorFont(), editorFont);
        QVERIFY(frame.OnlyOneKeyLayout);

        frame.New1Click();
        TEditForm *first = frame.activeEditWindow();
        QCOMPARE(first->Editor->backgroundColor(), 0xC0C0C0u);
        QCOMPARE(first->Editor->defAttributes(), editorFont);

        // Windows already open keep what they were shown with.
        frame.EditorBGColor = 0x00FFFF;
        frame.New1Click();
        QCOMPARE(frame.activeEditWindow()->Editor->backgroundColor(), 0x00FFFFu);
        QCOMPARE(first->Editor->backgroundColor(), 0xC0C0C0u);
    }

    void frameSizesAreReadByTheStoresRules_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("width");
        const int desktop = QGuiApplication::primaryScreen()->virtualSize().width();
        QTest::newRow("decimal") << "640" << 640;
        QTest::newRow("hexadecimal") << "0x2BC" << 700;
        QTest::newRow("a word") << "wide" << 700;
        QTest::newRow("wider than all screens") << "99999" << desktop;
        QTest::newRow("nothing left to hold") << "-5" << 136;
    }

    void frameSizesAreReadByTheStoresRules()
    {
        QFETCH(QString, stored);
        QFETCH(int, width);
        Runs runs;
        runs.store([&](SettingsStore &s) { s.writeString(FormPosition, FormWidth, stored); });
        const TFrameForm &frame = runs.start();
        QCOMPARE(frame.width(), std::max(width, frame.minimumWidth()));
    }

    void aMaximisedFrameKeepsItsStoredSize()
    {
        Runs runs;
        runs.store([](SettingsStore &s) {
            s.writeBool(FormPosition, FormMaximized, true);
            s.writeInteger(FormPosition, FormWidth, 640);
            s.writeInteger(FormPosition, FormHeight, 480);
            s.writeInteger(FormPosition, FormLeft, 20);
            s.writeInteger(FormPosition, FormTop, 10);
        });
        QVERIFY(runs.start().isMaximized());
        runs.exit();
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormMaximized_Key")),
                 QStringLiteral("1"));
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormWidth_Key")), QStringLiteral("640"));
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormTop_Key")), QStringLiteral("10"));

        runs.store([](SettingsStore &s) { s.writeBool(FormPosition, FormMaximized, false); });
        TFrameForm &frame = runs.start();
        QVERIFY(!frame.isMaximized());
        QCOMPARE(placeOf(frame), QRect(20, 10, 640, 480));
    }

    void theFramesPlaceIsKeptAtExit()
    {
        Runs runs;
        TFrameForm &frame = runs.start();
        frame.resize(640, 480);
        frame.move(150, 120);
        runs.exit();
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormMaximized_Key")),
                 QStringLiteral("0"));
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormWidth_Key")), QStringLiteral("640"));
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormHeight_Key")), QStringLiteral("480"));
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormLeft_Key")), QStringLiteral("150"));
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormTop_Key")), QStringLiteral("120"));
        QCOMPARE(placeOf(runs.start()), QRect(150, 120, 640, 480));
    }

    void styleFontsComeFromTheirRecords()
    {
        Runs runs;
        const FontSpec longName =
            fontSpec(QStringLiteral("A Face Of Twenty-Five Chrs"), 11, 0x800000, 1, 2);
        QByteArray zeroSize = recordOf(fontSpec(QStringLiteral("Arial"), 10, 0, 0, 0));
        zeroSize[32] = 0;
        const QByteArray systemColour =
            recordOf(fontSpec(QStringLiteral("Arial"), 10, wincolors::kWindowText, 0, 0));
        runs.store([&](SettingsStore &s) {
            s.writeBinaryData(MainKey, settingsnames::CommentFont, systemColour);
            s.writeBinaryData(MainKey, settingsnames::KeywordFont, zeroSize);
            s.writeBinaryData(MainKey, settingsnames::NormalFont, recordOf(longName));
            s.writeBinaryData(MainKey, settingsnames::NumberFont, QByteArray());
            s.writeBinaryData(MainKey, settingsnames::StringFont, recordOf(longName).left(12));
        });
        TFrameForm &frame = runs.start();
        QCOMPARE(frame.NormalFont.name, QStringLiteral("A Face Of Twenty-Fiv"));
        QCOMPARE(frame.NormalFont.size(), 11);
        QCOMPARE(frame.NormalFont.style, fontstyle::Italic);
        QCOMPARE(frame.KeywordFont.height, 8);
        QCOMPARE(frame.CommentFont.color, wincolors::kWindowText);
        QCOMPARE(frame.CommentFont.shownColor(), QGuiApplication::palette().color(QPalette::Text));
        // An empty record is no record.
        QCOMPARE(frame.NumberFont, frame.LangParserDefault->NumberStyle());
        // A short one is read as far as it goes.
        QCOMPARE(frame.StringFont.name, QStringLiteral("A Face Of T"));
        QCOMPARE(frame.StringFont.color, 0u);
        QCOMPARE(frame.StringFont.height, 8);
    }

    void aFontRecordThatCannotBeReadLeavesTheRestToLoad()
    {
        Runs runs;
        QByteArray bad = recordOf(fontSpec(QStringLiteral("Arial"), 10, 0, 0, 0));
        bad[0] = char(30); // a name longer than its room
        runs.store([&](SettingsStore &s) {
            s.writeBinaryData(MainKey, settingsnames::KeywordFont, bad);
            s.writeString(HotKeys, HotKeys, QStringLiteral("%{F2}"));
        });
        runs.prompts.expectFailure(QStringLiteral("Error in TFrameForm.RegistryToFont"));
        TFrameForm &frame = runs.start();
        QCOMPARE(frame.KeywordFont, frame.LangParserDefault->KeywordStyle());
        QCOMPARE(frame.TranslateHotKeys, QStringLiteral("%{F2}"));
    }

    // A value of the wrong kind stops the load at its step: the steps before
    // it are in force, the later ones keep their defaults.
    void aValueOfTheWrongKindStopsTheLoad_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("bad");
        QTest::addColumn<int>("step");
        const QVariant binary = QByteArray("1");
        QTest::newRow("maximised flag") << "FormPosition/FormMaximized_Key" << binary << 2;
        QTest::newRow("font record as text") << "CommentFont" << QVariant("Arial") << 3;
        QTest::newRow("font record of 41 bytes")
            << "StringFont" << QVariant(QByteArray(41, '\1')) << 3;
        QTest::newRow("hot key") << "HotKeys_Key/HotKeys_Key" << binary << 4;
        QTest::newRow("translate flag") << "HotKeys_Key/EnableTranslate_Key" << binary << 5;
        QTest::newRow("background") << "BGColor_Key/BGColor" << QVariant(QSize(1, 1)) << 6;
        QTest::newRow("font colour") << "FontColor_Key/FGFontColor" << binary << 7;
        QTest::newRow("character set") << "FontName_Key/FGFontCharSet" << binary << 8;
        QTest::newRow("one layout") << "Other/OnlyOneKeyLayout" << binary << 9;
        QTest::newRow("favourites count") << "Favourites/FavourCount" << binary << 10;
        QTest::newRow("recent-files count") << "LastOpened/LastOpenedCount" << binary << 11;
    }

    void aValueOfTheWrongKindStopsTheLoad()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, bad);
        QFETCH(int, step);
        Runs runs;
        const FontSpec arial = fontSpec(QStringLiteral("Arial"), 12, 0, 0, 0);
        runs.store([&](SettingsStore &s) {
            s.writeInteger(FormPosition, FormTop, 40);
            for (const QString &name : {settingsnames::CommentFont, settingsnames::StringFont})
                s.writeBinaryData(MainKey, name, recordOf(arial));
            s.writeString(HotKeys, HotKeys, QStringLiteral("+{F5}"));
            s.writeBool(HotKeys, EnableTranslate, false);
            s.writeInteger(BGColorSection, BGColor, 0xC0C0C0);
            s.writeString(FontNameSection, FGFontName, QStringLiteral("Arial"));
            s.writeBool(Other, settingsnames::OnlyOneKeyLayout, true);
            s.writeInteger(Favourites, settingsnames::FavourCount, 1);
            s.writeString(Favourites, item(0), QStringLiteral("/favourite.txt"));
            s.writeInteger(LastOpened, settingsnames::LastOpenedCount, 1);
            s.writeString(LastOpened, item(0), QStringLiteral("/recent.txt"));
        });
        runs.settings.setValue(key, bad);

        runs.prompts.expectFailure(QStringLiteral("Error in TFrameForm.LoadDefaultValue"));
        const TFrameForm &frame = runs.start();
        QCOMPARE(frame.y() == 40, step > 2);
        QCOMPARE(frame.StringFont.name == QStringLiteral("Arial"), step > 3);
        QCOMPARE(frame.TranslateHotKeys == QStringLiteral("+{F5}"), step > 4);
        QCOMPARE(frame.TranslateEnabled, step <= 5);
        QCOMPARE(frame.EditorBGColor == 0xC0C0C0u, step > 6);
        QCOMPARE(frame.EditorFont.name == QStringLiteral("Arial"), step > 8);
        QCOMPARE(frame.OnlyOneKeyLayout, step > 9);
        QCOMPARE(frame.Favourites1->actions().size(), step > 10 ? 1 : 0);
        QCOMPARE(frame.recentFiles().size(), step > 11 ? 1 : 0);
        // Whatever was not reached, an editor font is there.
        QVERIFY(!frame.editorFont().name.isEmpty());

        // The exit writes back only what the load read: the value it could
        // not read, the place and the recent files stay as they were.
        runs.exit();
        QCOMPARE(runs.settings.value(key), bad);
        QCOMPARE(runs.stored(QStringLiteral("FormPosition/FormTop_Key")), QStringLiteral("40"));
        QCOMPARE(runs.stored(QStringLiteral("LastOpened/Item0")), QStringLiteral("/recent.txt"));
        if (step != 11)
            QCOMPARE(runs.stored(QStringLiteral("LastOpened/LastOpenedCount")),
                     QStringLiteral("1"));
    }

    void recentFilesAtExit_data()
    {
        QTest::addColumn<int>("entries");
        QTest::newRow("none") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("twelve") << 12;
    }

    void recentFilesAtExit()
    {
        QFETCH(int, entries);
        Runs runs;
        // Left by a longer list of an earlier time.
        runs.store([](SettingsStore &s) {
            s.writeString(LastOpened, item(10), QStringLiteral("/old/ten"));
            s.writeString(LastOpened, item(11), QStringLiteral("/old/eleven"));
        });
        TFrameForm &frame = runs.start();
        for (int n = 1; n <= entries; ++n)
            frame.NewLastOpened(QStringLiteral("f%1").arg(n), QStringLiteral("/p/f%1").arg(n));
        runs.exit();

        const int kept = std::min(entries, 10);
        QCOMPARE(runs.stored(QStringLiteral("LastOpened/LastOpenedCount")), QString::number(kept));
        QStringList expected;
        for (int n = 0; n < kept; ++n) {
            QCOMPARE(runs.stored(QStringLiteral("LastOpened/Item%1").arg(n)),
                     QStringLiteral("/p/f%1").arg(entries - n));
            expected << QStringLiteral("f%1=/p/f%1").arg(entries - n);
        }
        QCOMPARE(runs.stored(QStringLiteral("LastOpened/Item10")), QStringLiteral("/old/ten"));
        QCOMPARE(runs.stored(QStringLiteral("LastOpened/Item11")), QStringLiteral("/old/eleven"));

        // The next run lists what was kept, the top one first.
        runs.start();
        if (kept > 0)
            expected.prepend(QStringLiteral("-"));
        QCOMPARE(runs.recent(), expected);
    }

    // With the box on the General page ticked and applied, the documents
    // open at exit open again at the next start, their carets where they
    // were; a document without a file, or whose file went, does not.
    void theDocumentsOpenAtExitOpenAgain_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::newRow("ticked") << true;
        QTest::newRow("not ticked") << false;
    }

    void theDocumentsOpenAtExitOpenAgain()
    {
        QFETCH(bool, ticked);
        Runs runs;
        const QString a = runs.file(QStringLiteral("a.txt"), "alpha\r\nbeta");
        const QString gone = runs.file(QStringLiteral("gone.txt"));
        const QString b = runs.file(QStringLiteral("b.rtf"), "{\\rtf1 bold}");
        // Long enough to load while the window works on.
        const QString c =
            runs.file(QStringLiteral("c.txt"), QByteArray("line\r\n").repeated(300000));
        TFrameForm &frame = runs.start();
        if (ticked) {
            frame.frmOptions->TSGeneral->cbReopenDocuments->click();
            frame.frmOptions->TSGeneral->btnOKGen->click();
        }
        QCOMPARE(runs.stored(QStringLiteral("Session/ReopenDocuments")),
                 ticked ? QStringLiteral("1") : QString());
        for (const auto &[path, caret] : {std::pair{a, 8}, {gone, 1}, {b, 2}, {c, 1000000}}) {
            frame.PerformFileOpen(path);
            TRichEdit *editor = frame.activeEditWindow()->Editor;
            QTRY_VERIFY_WITH_TIMEOUT(!editor->isLoading(), 60000);
            editor->setSelStart(caret);
        }
        frame.New1Click();
        runs.exit();
        QFile::remove(gone);

        TFrameForm &next = runs.start();
        QStringList reopened;
        QTRY_COMPARE(next.editWindows().size(), ticked ? 3 : 0);
        for (const TEditForm *w : next.editWindows()) {
            QTRY_VERIFY_WITH_TIMEOUT(!w->Editor->isLoading(), 60000);
            reopened << QStringLiteral("%1@%2").arg(w->FFileName).arg(w->Editor->selStart());
        }
        QCOMPARE(reopened,
                 ticked ? QStringList({a + "@8", b + "@2", c + "@1000000"}) : QStringList());
    }

    void recentFilesComeBackInTheirOrder()
    {
        Runs runs;
        const QString a = runs.file(QStringLiteral("a.txt"));
        const QString b = runs.file(QStringLiteral("b.txt"));
        TFrameForm &frame = runs.start();
        for (const QString &path : {a, b}) {
            runs.prompts.expectOpenFile(path);
            frame.Open1Click();
        }
        const QStringList list{"-", "b.txt=" + b, "a.txt=" + a};
        QCOMPARE(runs.recent(), list);

        TFrameForm &next = runs.restart();
        QCOMPARE(runs.recent(), list);
        QCOMPARE(next.recentFiles().size(), 2);
        QCOMPARE(next.recentFiles()[0].path, b);
        // An edit window carries the same list, and a click on it opens.
        next.New1Click();
        QCOMPARE(FrameFixture::recent(next.activeEditWindow()), list);
        next.activeEditWindow()->File1->actions().constLast()->trigger();
        QCOMPARE(next.activeEditWindow()->windowTitle(), a);
    }

    void moreThanTenStoredEntriesGiveTen()
    {
        Runs runs;
        runs.store([](SettingsStore &s) {
            s.writeInteger(Favourites, settingsnames::FavourCount, 12);
            s.writeInteger(LastOpened, settingsnames::LastOpenedCount, 12);
            for (int n = 0; n < 12; ++n) {
                s.writeString(Favourites, item(n), QStringLiteral("/fav/%1").arg(n));
                s.writeString(LastOpened, item(n), QStringLiteral("/last/%1").arg(n));
            }
        });
        const TFrameForm &frame = runs.start();
        QCOMPARE(frame.FavourCount, 10);
        QCOMPARE(frame.Favourites1->actions().size(), 10);
        QCOMPARE(frame.TrayFavourites->actions().size(), 10);
        QCOMPARE(frame.Favourites1->actions().constLast()->text(), QStringLiteral("/fav/9"));
        QCOMPARE(frame.recentFiles().size(), 10);
        QCOMPARE(runs.recent().size(), 11); // the separator and ten entries
    }

    void favouritesAreListedInBothMenus()
    {
        Runs runs;
        const QString a = runs.file(QStringLiteral("a.txt"), "favourite a");
        const QString gone = runs.dir.filePath(QStringLiteral("gone.txt"));
        runs.store([&](SettingsStore &s) {
            s.writeInteger(Favourites, settingsnames::FavourCount, 2);
            s.writeString(Favourites, item(0), a);
            s.writeString(Favourites, item(1), gone);
        });
        TFrameForm &frame = runs.start();
        QCOMPARE(texts(frame.Favourites1), QStringList({a, gone}));
        QCOMPARE(texts(frame.TrayFavourites), QStringList({a, gone}));
        QCOMPARE(frame.FavouriteFiles[0], a);
        QCOMPARE(frame.FavouriteFiles[1], gone);
        QCOMPARE(frame.FavourMenuCount, 2);

        // Opening a favourite brings the program back and leaves the
        // recent files alone.
        frame.showMinimized();
        frame.Favourites1->actions().at(0)->trigger();
        QVERIFY(!frame.isMinimized());
        QCOMPARE(frame.activeEditWindow()->windowTitle(), a);
        QCOMPARE(frame.PageControl1->tabText(0), QStringLiteral("a.txt"));
        QCOMPARE(frame.activeEditWindow()->Editor->wholeText(), QByteArray("favourite a"));
        QVERIFY(frame.recentFiles().isEmpty());

        // The tray's entry asks before opening it again.
        runs.prompts.expectMessage(QStringLiteral("File already open,continue?"),
                                   Prompts::Answer::Cancel);
        frame.TrayFavourites->actions().at(0)->trigger();
        QCOMPARE(frame.editWindowCount(), 1);

        // A favourite that is gone is reported by the window that loads it,
        // which is left untitled.
        runs.prompts.expectFailure(QStringLiteral("Error in TEditForm.Open"));
        frame.TrayFavourites->actions().at(1)->trigger();
        QCOMPARE(frame.activeEditWindow()->windowTitle(), QStringLiteral("Untitled1"));
    }

    // The favourites list applied again, as the Options dialog does it.
    void reloadingTakesTheStoreAgainButNotTheRecentFiles()
    {
        Runs runs;
        runs.store([](SettingsStore &s) {
            s.writeInteger(FormPosition, FormLeft, 60);
            s.writeInteger(Favourites, settingsnames::FavourCount, 1);
            s.writeString(Favourites, item(0), QStringLiteral("/one.txt"));
            s.writeInteger(LastOpened, settingsnames::LastOpenedCount, 1);
            s.writeString(LastOpened, item(0), QStringLiteral("/recent.txt"));
        });
        TFrameForm &frame = runs.start();
        frame.move(300, 250);
        runs.store([](SettingsStore &s) {
            s.writeInteger(Favourites, settingsnames::FavourCount, 2);
            s.writeString(Favourites, item(1), QStringLiteral("/two.txt"));
            s.writeInteger(LastOpened, settingsnames::LastOpenedCount, 2);
            s.writeString(LastOpened, item(1), QStringLiteral("/other.txt"));
        });
        frame.RemoveFavouriteEntries();
        frame.LoadDefaultValue();
        QCOMPARE(frame.pos(), QPoint(60, 100));
        QCOMPARE(texts(frame.Favourites1), QStringList({"/one.txt", "/two.txt"}));
        QCOMPARE(texts(frame.TrayFavourites), QStringList({"/one.txt", "/two.txt"}));
        QCOMPARE(frame.FavourCount, 2);
        QCOMPARE(runs.recent(), QStringList({"-", "recent.txt=/recent.txt"}));
    }

    // The store on a disk with no room, or with one block that the lock
    // file takes, or with room for part of the new text: the old file
    // stays as it was, and the exit says the save failed and why.
    void aFullDiskAtExitKeepsTheSettingsFile_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("no room") << 0;
        QTest::newRow("one block, for the lock") << 4096;
        QTest::newRow("room for a part") << 8192;
    }

    void aFullDiskAtExitKeepsTheSettingsFile()
    {
        QFETCH(int, room);
        SmallDisk disk(QStringLiteral("size=64k"));
        if (!disk.isReady())
            QSKIP(qPrintable(disk.whyNot()));
        Runs runs;
        SettingsSandbox onDisk(disk.path(QStringLiteral("Brenmoor/Scrivlet.ini")));
        runs.store([](SettingsStore &s) {
            s.writeInteger(Favourites, settingsnames::FavourCount, 1);
            s.writeString(Favourites, item(0), QStringLiteral("/favourite.txt"));
            s.writeString(HotKeys, HotKeys, QStringLiteral("+{F5}"));
            s.writeInteger(LastOpened, settingsnames::LastOpenedCount, 1);
            s.writeString(LastOpened, item(0), QStringLiteral("/recent.txt"));
            s.writeInteger(QStringLiteral("FindItems"), QStringLiteral("FindItemsCount"), 100);
            for (int n = 0; n < 100; ++n)
                s.writeString(QStringLiteral("FindItems"), QStringLiteral("FindItem%1").arg(n),
                              QString(100, QLatin1Char('a' + n % 26)));
        });
        const QByteArray before = onDisk.raw();
        QVERIFY(before.size() > 8192);

        runs.start().move(60, 70); // something to write
        QVERIFY(disk.fill(room));
        // The Find & Replace dialog closes first and keeps its history in
        // the same file.
        runs.prompts.expectFailure(QStringLiteral("Error in TfrmFind.FormClose"));
        runs.prompts.expectFailure(QStringLiteral("Error in TFrameForm.FormCloseQuery part 2"));
        runs.exit();
        // The reason is the disk's, also when the lock could not be made.
        const QString said = runs.prompts.log().constLast().text;
        QVERIFY2(said.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(said));
        QVERIFY(onDisk.raw() == before);
        QCOMPARE(QDir(disk.path(QStringLiteral("Brenmoor"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("Scrivlet.ini")});
    }

    void aSaveThatFailsIsReportedAndTheProgramEnds()
    {
        Runs runs;
        // A file stands where the store's folder would have to be.
        const QString blocker = runs.file(QStringLiteral("Brenmoor"));
        SettingsSandbox blocked(blocker + QStringLiteral("/Scrivlet.ini"));
        runs.start();
        // The Find & Replace dialog's history goes first, and fails first.
        runs.prompts.expectFailure(QStringLiteral("Error in TfrmFind.FormClose"));
        runs.prompts.expectFailure(QStringLiteral("Error in TFrameForm.FormCloseQuery part 2"));
        runs.exit();
    }

    void theFramesStyleSet()
    {
        QCOMPARE(FontSpec::screenPixelsPerInch(), 96);
        Runs runs;
        const TLangParser &p = *runs.start().LangParserDefault;
        QVERIFY(!p.UseDefaults());
        QCOMPARE(p.prefix(TLangParser::Normal), QStringLiteral("\\f0\\fs20\\cf0 "));
        QCOMPARE(p.prefix(TLangParser::Keyword), QStringLiteral("{\\fs20\\cf0\\b "));
        QCOMPARE(p.prefix(TLangParser::String), QStringLiteral("{\\fs20\\cf5 "));
        QCOMPARE(p.prefix(TLangParser::Comment), QStringLiteral("{\\fs20\\cf14\\i "));
        QCOMPARE(p.prefix(TLangParser::Number), QStringLiteral("{\\fs20\\cf8 "));
        QCOMPARE(p.NormalStyle().charset, 0);
        QCOMPARE(p.KeywordStyle().charset, 1);
        QCOMPARE(p.CommentStyle().toQFont().pixelSize(), 13);
        QCOMPARE(p.CommentEnd(), QStringLiteral("}"));
        QCOMPARE(p.StringDelimiter(), QChar(u'\''));
    }
};

QTEST_MAIN(TestFrameSettings)
#include "tst_frame_settings.moc"
