// The edit window's document lifecycle: loading, saving, the modified
// state, the close question and reloading.

#include "FrameFixture.h"
#include "SmallDisk.h"

#include <QDir>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

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

    void aMissingFileLeavesAnEmptyWindowNamedByThePath()
    {
        FrameFixture f;
        const QString missing = f.path(QStringLiteral("gone.txt"));
        f.prompts.expectOpenFile(missing);
        f.prompts.expectMessage(QStringLiteral("Error in TEditForm.Open"));
        f.frame.Open1Click();
        TEditForm *w = f.active();
        QCOMPARE(w->windowTitle(), missing);
        QCOMPARE(w->FFileName, missing);
        QCOMPARE(w->Editor->wholeText(), QByteArray());
        QVERIFY(w->ToolBar->isVisibleTo(w));
        QCOMPARE(w->panelText(TEditForm::LoadingPanel), QString());
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
        QCOMPARE(FrameFixture::recent(w->File1, 14), QStringList({"-", "draft.txt=" + target}));
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

    void loneLineFeedsAreSavedAsCrLf()
    {
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("unix.txt"), "a\nb\n"));
        w->Editor->setModified(true);
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("unix.txt")), QByteArray("a\r\nb\r\n"));
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
        QCOMPARE(w->windowTitle(), target);
        QCOMPARE(f.tabs(), QStringList{QStringLiteral("x.txt")});
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
        QCOMPARE(f.active()->windowTitle(), target);
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

    void refreshReloadsWithoutAsking()
    {
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("r.txt"), "disk"));
        w->Editor->setWholeText("edited");
        QVERIFY(w->Editor->isModified());
        w->Refresh1->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray("disk"));
        QVERIFY(!w->Editor->isModified());
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QString());

        // An untitled document has no file to come back from.
        f.frame.New1Click();
        f.active()->Editor->setWholeText("typed");
        f.prompts.expectMessage(QStringLiteral("Error in TEditForm.Open"));
        f.active()->Refresh1->trigger();
        QCOMPARE(f.active()->Editor->wholeText(), QByteArray("typed"));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
