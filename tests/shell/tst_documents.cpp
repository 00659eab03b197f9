// The edit window's document lifecycle: loading, saving, the modified
// state, the close question and reloading.

#include "FrameFixture.h"
#include "SmallDisk.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

// A file the editor loads from the event loop.
QByteArray longFile()
{
    QByteArray file;
    for (int i = 0; file.size() < 2 * TRichEdit::kLongText; ++i)
        file += "line " + QByteArray::number(i) + "\r\n";
    return file;
}

// Whether the status bar shows the text beside its panels.
bool statusShows(const TEditForm *w, const QString &text)
{
    const QList<QLabel *> labels = w->StatusBar->findChildren<QLabel *>();
    return std::any_of(labels.begin(), labels.end(),
                       [&](const QLabel *l) { return l->isVisibleTo(w) && l->text() == text; });
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadingShowsTheFileUnmodified()
    {
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("notes.txt"), "one\ntwo"));
        QCOMPARE(w->Editor->wholeText(), QByteArray("one\r\ntwo"));
        QVERIFY(!w->Editor->isModified());
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QString());
        QCOMPARE(w->panelText(TEditForm::LoadingPanel), QString());
        QCOMPARE(w->panelText(TEditForm::InsertPanel), QStringLiteral("Insert"));
        QVERIFY(w->ToolBar->isVisibleTo(w));

        QTest::keyClicks(w->Editor, QStringLiteral("x"));
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QStringLiteral("Modified"));
    }

    void fileDialogsStartInTheDocumentsFolder()
    {
        FrameFixture f;
        QDir(f.dir.path()).mkpath(QStringLiteral("one"));
        QDir(f.dir.path()).mkpath(QStringLiteral("two"));
        TEditForm *first = f.open(f.write(QStringLiteral("one/a.txt"), "a"));
        f.open(f.write(QStringLiteral("two/b.txt"), "b"));
        f.frame.MDIArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
        f.prompts.expectOpenFile(std::nullopt);
        f.frame.Open1Click();
        QCOMPARE(f.prompts.lastOpenRequest().directory, f.path(QStringLiteral("one")));

        // A document without a file, or none at all: where the last file was chosen.
        f.frame.New1Click();
        f.prompts.expectSaveFile(std::nullopt);
        f.active()->Saveas1Click();
        QCOMPARE(f.prompts.lastSaveRequest().directory, f.path(QStringLiteral("two")));
        f.frame.CloseAll();
        f.prompts.expectOpenFile(std::nullopt);
        f.frame.Open1Click();
        QCOMPARE(f.prompts.lastOpenRequest().directory, f.path(QStringLiteral("two")));
    }

    void rtfExtensionsInAnyCaseLoadAsRichText()
    {
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("NOTES.RTF"), "{\\rtf1 {\\b bold} text}"));
        QVERIFY(!w->Editor->isPlainTextMode());
        QCOMPARE(w->Editor->wholeText(), QByteArray("bold text"));

        // Plain text under .rtf loads as plain text and is saved as RTF.
        w = f.open(f.write(QStringLiteral("plain.rtf"), "just text"));
        QCOMPARE(w->Editor->wholeText(), QByteArray("just text"));
        w->Save1Click();
        QVERIFY(f.read(QStringLiteral("plain.rtf")).startsWith("{\\rtf1"));
    }

    void aFileThatCannotBeReadLeavesAnUntitledDocument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("untitledOpen");
        QTest::addColumn<QString>("untitled");
        QTest::newRow("missing") << QStringLiteral("gone.txt") << false << 0 << "Untitled1";
        QTest::newRow("a folder") << QStringLiteral("dir.txt") << true << 0 << "Untitled1";
        QTest::newRow("next free number")
            << QStringLiteral("gone.txt") << false << 2 << "Untitled3";
    }

    void aFileThatCannotBeReadLeavesAnUntitledDocument()
    {
        QFETCH(QString, name);
        QFETCH(bool, folder);
        QFETCH(int, untitledOpen);
        QFETCH(QString, untitled);
        FrameFixture f;
        for (int i = 0; i < untitledOpen; ++i)
            f.frame.New1Click();
        if (folder)
            QVERIFY(QDir(f.dir.path()).mkdir(name));
        f.prompts.expectOpenFile(f.path(name));
        f.prompts.expectFailure(QStringLiteral("Error in TEditForm.Open"));
        f.frame.Open1Click();
        TEditForm *w = f.active();
        QCOMPARE(w->windowTitle(), untitled);
        QCOMPARE(w->FFileName, untitled);
        QCOMPARE(f.tabs().constLast(), untitled);
        QCOMPARE(w->Editor->wholeText(), QByteArray());
        QVERIFY(w->ToolBar->isVisibleTo(w));
        QCOMPARE(w->panelText(TEditForm::LoadingPanel), QString());

        // Saving asks for a name instead of writing over the file.
        QTest::keyClicks(w->Editor, QStringLiteral("typed"));
        f.prompts.expectSaveFile(std::nullopt);
        w->Save1Click();
        QCOMPARE(f.prompts.lastSaveRequest().fileName, untitled);
        QCOMPARE(QFileInfo(f.path(name)).isDir(), folder);
        QCOMPARE(QFileInfo::exists(f.path(name)), folder);
    }

    void saveOfAnUntitledDocumentAsksForAName()
    {
        FrameFixture f;
        f.frame.New1Click();
        TEditForm *w = f.active();
        w->Editor->setWholeText("draft");
        f.prompts.expectSaveFile(std::nullopt);
        w->Save1Click();
        QCOMPARE(f.prompts.lastSaveRequest().fileName, QStringLiteral("Untitled1"));
        QCOMPARE(f.prompts.lastSaveRequest().filterIndex, 1);
        QCOMPARE(f.prompts.lastSaveRequest().defaultExtension, QStringLiteral("txt"));
        QVERIFY(w->Editor->isModified());
        QCOMPARE(w->FFileName, QStringLiteral("Untitled1"));

        const QString target = f.path(QStringLiteral("draft.txt"));
        f.prompts.expectSaveFile(target);
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("draft.txt")), QByteArray("draft"));
        QCOMPARE(w->windowTitle(), target);
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("draft.txt")});
        QVERIFY(!w->Editor->isModified());
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QString());
        // Save As adds the new name to the recent files, in both menus.
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4), QStringList({"-", "draft.txt=" + target}));
        QCOMPARE(FrameFixture::recent(w), QStringList({"-", "draft.txt=" + target}));
    }

    void aNameChosenInSaveAsIsWrittenEvenWhenItLooksUntitled()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Editor->setWholeText("text");
        const QString target = f.path(QStringLiteral("untitled notes.txt"));
        f.prompts.expectSaveFile(target);
        f.active()->Saveas1Click();
        QCOMPARE(f.read(QStringLiteral("untitled notes.txt")), QByteArray("text"));
        QVERIFY(!f.active()->Editor->isModified());
    }

    void saveFollowsTheExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("rtf");
        QTest::newRow("txt") << QStringLiteral("out.txt") << 1 << false;
        QTest::newRow("htm") << QStringLiteral("out.htm") << 3 << false;
        QTest::newRow("HTML") << QStringLiteral("out.HTML") << 3 << false;
        QTest::newRow("rtf") << QStringLiteral("out.rtf") << 2 << true;
        QTest::newRow("RTF") << QStringLiteral("out.RTF") << 2 << true;
    }

    void saveFollowsTheExtension()
    {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(bool, rtf);
        FrameFixture f;
        // A formatted document, saved under each name.
        TEditForm *w =
            f.open(f.write(QStringLiteral("in.rtf"), "{\\rtf1 <b>{\\b bold}</b>\\par x}"));
        f.prompts.expectSaveFile(f.path(name));
        if (!rtf) {
            f.prompts.expectMessage(QStringLiteral("Save %1 as plain text? Its formatting, "
                                                   "pictures and tables will be lost.")
                                        .arg(f.path(name)),
                                    Prompts::Answer::Ok);
        }
        w->Saveas1Click();
        f.prompts.expectSaveFile(std::nullopt);
        w->Saveas1Click(); // the dialog now starts from the new name
        QCOMPARE(f.prompts.lastSaveRequest().filterIndex, filter);
        QCOMPARE(w->Editor->isPlainTextMode(), !rtf);
        const QByteArray saved = f.read(name);
        if (rtf)
            QVERIFY(saved.startsWith("{\\rtf1"));
        else
            QCOMPARE(saved, QByteArray("<b>bold</b>\r\nx")); // no markup added
    }

    void aFormattedDocumentIsSavedAsPlainTextOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("OK") << int(Prompts::Answer::Ok) << true;
        QTest::newRow("Cancel") << int(Prompts::Answer::Cancel) << false;
    }

    void aFormattedDocumentIsSavedAsPlainTextOnlyWhenTheUserSaysSo()
    {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        FrameFixture f;
        const QString letter = f.write(QStringLiteral("letter.rtf"), "{\\rtf1 {\\b Dear} you}");
        TEditForm *w = f.open(letter);
        const QString target = f.path(QStringLiteral("letter.txt"));
        f.prompts.expectSaveFile(target);
        f.prompts.expectMessage(QStringLiteral("Save %1 as plain text? Its formatting, pictures "
                                               "and tables will be lost.")
                                    .arg(target),
                                Prompts::Answer(answer));
        w->Saveas1Click();
        QCOMPARE(QFileInfo::exists(target), saved);
        QCOMPARE(w->FFileName, saved ? target : letter);
        QCOMPARE(w->Editor->isPlainTextMode(), saved);

        // A document without formatting is saved as plain text unasked.
        w->Editor->setWholeText("plain");
        f.prompts.expectSaveFile(target);
        w->Saveas1Click();
        QCOMPARE(f.read(QStringLiteral("letter.txt")), QByteArray("plain"));
    }

    void whatADocumentCannotKeepIsSaidAtOpenAndAskedAtSave()
    {
        FrameFixture f;
        const QByteArray nested = "{\\rtf1{\\footer\\pard page\\par}\\trowd\\cellx3000\\intbl\\itap2 x"
                                  "\\nestcell y\\nestcell{\\nonesttables\\par}\\itap1\\cell\\row}";
        const QString notice = QStringLiteral("This document holds a table inside a table that "
                                              "Scrivlet cannot keep; saving it will turn it "
                                              "into text.\n"
                                              "This document holds headers, footers, footnotes or "
                                              "comments that Scrivlet cannot keep; saving it will "
                                              "drop them.");
        f.prompts.expectOpenFile(f.write(QStringLiteral("nested.rtf"), nested));
        f.prompts.expectMessage(notice);
        f.frame.Open1Click();
        TEditForm *w = f.active();
        w->Editor->setModified(true);
        f.prompts.expectMessage(notice, Prompts::Answer::Cancel);
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("nested.rtf")), nested);
        QVERIFY(w->Editor->isModified());

        f.prompts.expectMessage(notice, Prompts::Answer::Ok);
        w->Save1Click();
        QVERIFY(!w->Editor->isModified());
        // The file holds what the document holds: the next save asks nothing.
        w->Save1Click();
        QVERIFY(f.read(QStringLiteral("nested.rtf")).contains("x\\tab y"));
    }

    // Each file keeps its encoding and line endings through an edit and a
    // save; a character the file cannot hold is refused with a word.
    void filesKeepTheirEncodingAndLineEndings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("lineEndings");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray script = QStringLiteral(u"#!/bin/sh\necho Привет\n").toUtf8();
        const QByteArray russian = QStringLiteral(u"Съешь ещё\r\nбулок\r\n").toUtf8();
        const QByteArray letter("\xc4\xee\xf0\xee\xe3\xee\xe9 \xe4\xf0\xf3\xe3\r\n");
        QTest::newRow("shell script")
            << script << QStringLiteral("# Ω") << "UTF-8"
            << "Unix (LF)" << QString() << QByteArray("# \xCE\xA9") + script;
        QTest::newRow("UTF-8 Russian text")
            << russian << QStringLiteral("Ж") << "UTF-8"
            << "Windows (CR LF)" << QString() << QByteArray("\xD0\x96") + russian;
        QTest::newRow("Windows-1251 letter")
            << letter << QStringLiteral("Ж") << "Windows-1251"
            << "Windows (CR LF)" << QString() << QByteArray("\xC6") + letter;
        QTest::newRow("Ω in a Windows-1251 letter")
            << letter << QStringLiteral("Ω") << "Windows-1251"
            << "Windows (CR LF)"
            << "Ω is not in Windows-1251; save as UTF-8 to keep it" << letter;
        QTest::newRow("ASCII with Unix line ends")
            << QByteArray("a\nb\n") << QStringLiteral("c") << "Windows-1251"
            << "Unix (LF)" << QString() << QByteArray("ca\nb\n");
    }

    void filesKeepTheirEncodingAndLineEndings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QString, encoding);
        QFETCH(QString, lineEndings);
        QFETCH(QString, notice);
        QFETCH(QByteArray, saved);
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("f.txt"), file));
        QCOMPARE(w->panelText(TEditForm::EncodingPanel), encoding);
        QCOMPARE(w->panelText(TEditForm::LineBreakPanel), lineEndings);
        // Keys as a keyboard layout with these letters types them.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, w->Editor, Qt::Key_unknown, c, Qt::NoModifier);
        QCOMPARE(w->StatusBar->currentMessage(), notice);
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("f.txt")), saved);
    }

    // The File menu's encoding and line-ending choices, and what a save
    // then writes.
    void encodingAndLineEndingsAreTheUsersChoice_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("question"); // empty: none
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("lineEndings");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray cp1251("\xD9\xE8\r\n");
        const QByteArray utf8 = QStringLiteral(u"Щи Ω\n").toUtf8();
        const QString lost = QStringLiteral(
            "Ω is not in Windows-1251 and will be saved as \"?\", as will every character "
            "Windows-1251 lacks. Save anyway? (File > Save with Encoding > UTF-8 keeps them.)");
        QTest::newRow("Unix line endings") << cp1251 << "LineEndings1"
                                           << "Unix (LF)" << QString() << true << "Windows-1251"
                                           << "Unix (LF)" << QByteArray("\xD9\xE8\n");
        QTest::newRow("Save with UTF-8") << cp1251 << "SaveEncoding1"
                                         << "UTF-8" << QString() << true << "UTF-8"
                                         << "Windows (CR LF)" << QStringLiteral(u"Щи\r\n").toUtf8();
        QTest::newRow("Save with UTF-8 with BOM")
            << cp1251 << "SaveEncoding1"
            << "UTF-8 with BOM" << QString() << true << "UTF-8 with BOM"
            << "Windows (CR LF)" << QByteArray("\xEF\xBB\xBF") + QStringLiteral(u"Щи\r\n").toUtf8();
        QTest::newRow("Save with Windows-1251, Yes to the loss")
            << utf8 << "SaveEncoding1"
            << "Windows-1251" << lost << true << "Windows-1251"
            << "Unix (LF)" << QByteArray("\xD9\xE8 ?\n");
        QTest::newRow("Save with Windows-1251, No")
            << utf8 << "SaveEncoding1"
            << "Windows-1251" << lost << false << "Windows-1251"
            << "Unix (LF)" << utf8;
        QTest::newRow("Reopen with KOI8-R") << QByteArray("\xFB\xC1\xC8\r\n") << "ReopenEncoding1"
                                            << "KOI8-R" << QString() << true << "KOI8-R"
                                            << "Windows (CR LF)" << QByteArray("\xFB\xC1\xC8\r\n");
    }

    void encodingAndLineEndingsAreTheUsersChoice()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, question);
        QFETCH(bool, yes);
        QFETCH(QString, encoding);
        QFETCH(QString, lineEndings);
        QFETCH(QByteArray, saved);
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("f.txt"), file));
        if (!question.isEmpty())
            f.prompts.expectMessage(question, yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        const QList<QAction *> items = w->findChild<QMenu *>(menu)->actions();
        const auto chosen =
            std::find_if(items.begin(), items.end(), [&](QAction *a) { return a->text() == item; });
        QVERIFY(chosen != items.end());
        (*chosen)->trigger();
        QCOMPARE(w->panelText(TEditForm::EncodingPanel), encoding);
        QCOMPARE(w->panelText(TEditForm::LineBreakPanel), lineEndings);
        if (menu != QLatin1String("SaveEncoding1"))
            w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("f.txt")), saved);
        QCOMPARE(w->Editor->isModified(), !yes);
        if (menu == QLatin1String("ReopenEncoding1"))
            QCOMPARE(w->Editor->wholeText(), QByteArray("\xD8\xE0\xF5\r\n")); // Шах
    }

    void aFailedSaveIsReportedWithItsReason()
    {
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("keep.txt"), "original"));
        w->Editor->setWholeText("changed");
        f.write(QStringLiteral("blocker"), "a file, not a folder");
        const QString target = f.path(QStringLiteral("blocker/x.txt"));
        f.prompts.expectSaveFile(target);
        f.prompts.expectMessageContaining(target);
        w->Saveas1->trigger();
        QVERIFY(w->Editor->isModified());
        // The document keeps the name of the file it still belongs to.
        QCOMPARE(w->windowTitle(), f.path(QStringLiteral("keep.txt")));
        QCOMPARE(w->FFileName, f.path(QStringLiteral("keep.txt")));
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("keep.txt")});
        QCOMPARE(FrameFixture::recent(f.frame.File1, 4),
                 QStringList({"-", "keep.txt=" + f.path(QStringLiteral("keep.txt"))}));
        QCOMPARE(f.read(QStringLiteral("keep.txt")), QByteArray("original"));
    }

    // A save that does not fit on the disk fails before anything replaces
    // the file, says why, and leaves the document modified.
    void aSaveOnAFullDiskKeepsTheFileAndSaysWhy_data()
    {
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<int>("room");
        QTest::newRow("small") << 4000 << 4212 << 0;
        QTest::newRow("large") << 20000 << 60000 << 16384;
    }

    void aSaveOnAFullDiskKeepsTheFileAndSaysWhy()
    {
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        QFETCH(int, room);
        SmallDisk disk(QStringLiteral("size=64k"));
        if (!disk.isReady())
            QSKIP(qPrintable(disk.whyNot()));
        FrameFixture f;
        const QString file = disk.path(QStringLiteral("doc.txt"));
        const QByteArray old(oldSize, 'o');
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(old) == oldSize);
        out.close();
        TEditForm *w = f.open(file);
        w->Editor->setWholeText(QByteArray(newSize, 'n'));
        w->ShowModifiedState(true);
        QVERIFY(disk.fill(room));

        f.prompts.expectMessageContaining(QString::fromLocal8Bit(std::strerror(ENOSPC)));
        w->Save1->trigger();
        QVERIFY(w->Editor->isModified());
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QStringLiteral("Modified"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(out.readAll() == old);
    }

    // What is not a regular file is refused at once: a FIFO would block
    // the program until something wrote to it, a device would fill the
    // memory.
    void openingWhatIsNotARegularFileNeverWaits_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("device") << "device";
    }

    void openingWhatIsNotARegularFileNeverWaits()
    {
        QFETCH(QString, kind);
        FrameFixture f;
        QString target = QStringLiteral("/dev/zero");
        if (kind == QLatin1String("fifo")) {
            target = f.path(QStringLiteral("fifo"));
            QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        }
        f.prompts.expectOpenFile(target);
        f.prompts.expectMessageContaining(QStringLiteral("Error in TEditForm.Open"));
        f.frame.Open1Click();
        // A document whose file could not be read never saves over it.
        QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled1"));
        QCOMPARE(f.active()->Editor->wholeText(), QByteArray());
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << int(Prompts::Answer::Yes) << true << true;
        QTest::newRow("no") << int(Prompts::Answer::No) << true << false;
        QTest::newRow("cancel") << int(Prompts::Answer::Cancel) << false << false;
    }

    void closeQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        FrameFixture f;
        const QString path = f.write(QStringLiteral("doc.txt"), "old");
        f.open(path)->Editor->setWholeText("new");
        f.prompts.expectMessage(QStringLiteral("Save changes to ") + path + QLatin1Char('?'),
                                Prompts::Answer(answer));
        f.closeActive();
        QCOMPARE(f.frame.editWindows().isEmpty(), closed);
        QCOMPARE(f.read(QStringLiteral("doc.txt")), saved ? QByteArray("new") : QByteArray("old"));
    }

    void cancellingTheSaveDialogKeepsTheDocument()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Editor->setWholeText("unsaved work");
        f.prompts.expectMessage(QStringLiteral("Save changes to Untitled1?"), Prompts::Answer::Yes);
        f.prompts.expectSaveFile(std::nullopt);
        f.closeActive();
        QCOMPARE(f.captions(), QStringList{QStringLiteral("Untitled1")});
        QCOMPARE(f.active()->Editor->wholeText(), QByteArray("unsaved work"));
    }

    void refreshAsksBeforeDroppingChanges_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("unmodified reloads") << false << -1 << QByteArray("disk");
        QTest::newRow("modified, OK") << true << int(Prompts::Answer::Ok) << QByteArray("disk");
        QTest::newRow("modified, Cancel")
            << true << int(Prompts::Answer::Cancel) << QByteArray("editedold");
    }

    void refreshAsksBeforeDroppingChanges()
    {
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(QByteArray, text);
        FrameFixture f;
        const QString path = f.write(QStringLiteral("r.txt"), "old");
        TEditForm *w = f.open(path);
        f.write(QStringLiteral("r.txt"), "disk");
        if (edited)
            QTest::keyClicks(w->Editor, QStringLiteral("edited"));
        if (answer >= 0)
            f.prompts.expectMessage(
                QStringLiteral("Discard the changes to %1 and reload it from disk?").arg(path),
                Prompts::Answer(answer));
        w->Refresh1->trigger();
        QCOMPARE(w->Editor->wholeText(), text);
        const bool kept = text != "disk";
        QCOMPARE(w->Editor->isModified(), kept);
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel),
                 kept ? QStringLiteral("Modified") : QString());
    }

    void refreshOfAnUntitledDocumentKeepsItsText()
    {
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Editor->setWholeText("typed");
        f.prompts.expectMessage(
            QStringLiteral("Discard the changes to Untitled1 and reload it from disk?"),
            Prompts::Answer::Ok);
        f.prompts.expectFailure(QStringLiteral("Error in TEditForm.Open"));
        f.active()->Refresh1->trigger();
        QCOMPARE(f.active()->Editor->wholeText(), QByteArray("typed"));
        QCOMPARE(f.captions(), QStringList{QStringLiteral("Untitled1")});
    }

    void aDocumentBeyondTheTextLimitStaysEditable()
    {
        FrameFixture f;
        // 16,777,216 characters: one more than a new document may hold.
        const QByteArray line = QByteArray(1022, 'x') + "\r\n";
        const QString path = f.write(QStringLiteral("big.txt"), line.repeated(16384));
        TEditForm *w = f.open(path);
        QTRY_VERIFY_WITH_TIMEOUT(!w->Editor->isLoading(), 120000);
        const int loaded = w->Editor->textLength();
        QCOMPARE(loaded, 16384 * 1024);
        QTest::keyClicks(w->Editor, QStringLiteral("ab"));
        QCOMPARE(w->Editor->textLength(), loaded + 2);
        QVERIFY(w->StatusBar->currentMessage().isEmpty());
    }

    // A long file loads while the window works on: typing meanwhile is
    // refused and the status bar says why, Escape stops the load, and a
    // save over the file it cut short asks first.
    void aStoppedLoadAsksBeforeSavingOverItsFile_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("saved anyway") << true;
        QTest::newRow("kept") << false;
    }

    void aStoppedLoadAsksBeforeSavingOverItsFile()
    {
        QFETCH(bool, save);
        FrameFixture f;
        const QByteArray file = longFile();
        const QString path = f.write(QStringLiteral("long.txt"), file);
        TEditForm *w = f.open(path);
        QVERIFY(w->Editor->isLoading());
        QCOMPARE(w->panelText(TEditForm::LoadingPanel), QStringLiteral("Loading "));
        QTest::keyClicks(w->Editor, QStringLiteral("x"));
        QVERIFY(w->StatusBar->currentMessage().contains(QStringLiteral("still loading")));
        QTest::keyClick(w->Editor, Qt::Key_Escape);
        QVERIFY(!w->Editor->isLoading());
        QCOMPARE(w->panelText(TEditForm::LoadingPanel), QString());
        QVERIFY(w->ToolBar->isVisibleTo(w));
        QVERIFY(statusShows(w, QStringLiteral("Only part of the file was loaded")));
        QVERIFY(!w->Editor->isModified());

        const QByteArray part = w->Editor->wholeText();
        QTest::keyClicks(w->Editor, QStringLiteral("x"));
        f.prompts.expectMessage(QStringLiteral("Only the start of %1 was loaded. Saving it now "
                                               "cuts the file short. Save anyway?")
                                    .arg(path),
                                save ? Prompts::Answer::Yes : Prompts::Answer::No);
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("long.txt")), save ? "x" + part : file);
        QCOMPARE(w->Editor->isModified(), !save);
        QCOMPARE(statusShows(w, QStringLiteral("Only part of the file was loaded")), !save);
    }

    // The user closes the window while its file goes in, or just as it is
    // all in: the window goes, and the rest of the load with it.
    void closingWhileLoadingEndsTheLoad_data()
    {
        QTest::addColumn<bool>("asItEnds");
        QTest::newRow("while it goes in") << false;
        QTest::newRow("as it ends") << true;
    }

    void closingWhileLoadingEndsTheLoad()
    {
        QFETCH(bool, asItEnds);
        FrameFixture f;
        QPointer<TEditForm> w = f.open(f.write(QStringLiteral("long.txt"), longFile()));
        QVERIFY(w->Editor->isLoading());
        if (asItEnds) {
            connect(w->Editor, &TRichEdit::loadFinished, w, &TEditForm::Close1Click);
        } else {
            connect(w->Editor, &TRichEdit::workProgress, w, &TEditForm::Close1Click,
                    Qt::SingleShotConnection);
        }
        QTRY_VERIFY_WITH_TIMEOUT(w.isNull(), 60000);
        QCOMPARE(f.tabs(), QStringList());
    }

    void typingAtTheLimitBeepsAndSaysSo()
    {
        FrameFixture f;
        f.frame.New1Click();
        TEditForm *w = f.active();
        w->Editor->setTextLimit(3);
        QSignalSpy limits(w->Editor, &TRichEdit::textLimitReached);
        QTest::keyClicks(w->Editor, QStringLiteral("abc"));
        QVERIFY(w->StatusBar->currentMessage().isEmpty());
        QTest::keyClicks(w->Editor, QStringLiteral("de"));
        QApplication::clipboard()->setText(QStringLiteral("fg"));
        w->Editor->paste();
        QCOMPARE(w->Editor->wholeText(), QByteArray("abc"));
        QCOMPARE(limits.count(), 3);
        QCOMPARE(w->StatusBar->currentMessage(), QStringLiteral("Document is at its size limit"));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
