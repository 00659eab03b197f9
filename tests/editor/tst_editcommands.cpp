// The edit window's whole-text commands, the hint that offers one for a
// file in another encoding, and its popup menu.

#include "EditWindowFixture.h"
#include "editor/EncodingHint.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QStringEncoder>
#include <QToolButton>

namespace {

const QString kRussian = QStringLiteral(u"Съешь же ещё этих мягких французских булок.\n"
                                        u"В чащах юга жил бы цитрус? Да, но фальшивый!\n");

QByteArray encoded(const char *encoding, const QString &text)
{
    return QStringEncoder(encoding).encode(text);
}

// The hint as the bar and the status bar show it; empty when they do not.
QString shownHint(const TEditForm *w)
{
    const auto *status = w->StatusBar->findChild<QLabel *>(QStringLiteral("EncodingHintStatus"));
    const QString inStatus = status->isHidden() ? QString() : status->text();
    return w->encodingHint->text() == inStatus ? inStatus : QStringLiteral("<differ>");
}

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertMenuReencodesTheWholeDocument_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("KOI8 to 1251")
            << QStringLiteral("Koi8Win12511") << QByteArray("\xfb\xc1\xc8 ok\r\n")
            << QByteArray("\xd8\xe0\xf5 ok\r\n");
        QTest::newRow("1251 to KOI8") << QStringLiteral("Win1251Koi8") << QByteArray("\xd8\xe0\xf5")
                                      << QByteArray("\xfb\xc1\xc8");
        QTest::newRow("DOS to 1251") << QStringLiteral("D866W1251") << QByteArray("\x80\xef\xc4")
                                     << QByteArray("\xc0\xff\xc4");
        QTest::newRow("1251 to DOS")
            << QStringLiteral("W1251D866") << QByteArray("\xb9\x35") << QByteArray("\xfc\x35");
        QTest::newRow("nothing to change")
            << QStringLiteral("Win1251Koi8") << QByteArray("ascii") << QByteArray("ascii");
        QTest::newRow("1251 to UTF-8")
            << QStringLiteral("Win1251Utf8") << QByteArray("\xcf\xf0\xe8 ok\r\n")
            << QByteArray("\xd0\x9f\xd1\x80\xd0\xb8 ok\r\n");
    }

    void convertMenuReencodesTheWholeDocument()
    {
        QFETCH(QString, item);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        EditWindowFixture f;
        TEditForm *w = f.document(before);
        w->Editor->setSelStart(1);
        w->Editor->setSelLength(1); // a selection makes no difference
        w->Convert1->findChild<QAction *>(item)->trigger();
        QCOMPARE(w->Editor->wholeText(), after);
        QVERIFY(w->Editor->isModified()); // even when nothing changed
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QStringLiteral("Modified"));
        w->Editor->undo();
        QCOMPARE(w->Editor->wholeText(), before);
    }

    void utf8ToWin1251AsksBeforeLosingCharacters_data()
    {
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("OK") << Prompts::Answer::Ok << QByteArray("\xcf ?");
        QTest::newRow("Cancel") << Prompts::Answer::Cancel << QByteArray("\xd0\x9f \xe4\xb8\xad");
    }

    void utf8ToWin1251AsksBeforeLosingCharacters()
    {
        QFETCH(Prompts::Answer, answer);
        QFETCH(QByteArray, after);
        EditWindowFixture f;
        TEditForm *w = f.document("\xd0\x9f \xe4\xb8\xad"); // П and a Chinese character
        f.prompts.expectMessage(
            QStringLiteral("1 character of the text is not in Windows-1251 and will become \"?\"."),
            answer);
        w->Utf8Win1251->trigger();
        QCOMPARE(w->Editor->wholeText(), after);
        QCOMPARE(w->Editor->isModified(), answer == Prompts::Answer::Ok);
    }

    void aPlainFileInAnotherEncodingOffersItsConversion_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("hint");
        QTest::newRow("UTF-8, read as such") << kRussian.toUtf8() << QString();
        QTest::newRow("KOI8-R") << encoded("KOI8-R", kRussian)
                                << QStringLiteral("Looks like KOI8-R: Convert > Koi8->Win1251");
        QTest::newRow("DOS 866") << encoded("IBM866", kRussian)
                                 << QStringLiteral("Looks like IBM866: Convert > Dos866->Win1251");
        QTest::newRow("Windows-1251") << encoded("windows-1251", kRussian) << QString();
        QTest::newRow("ASCII") << QByteArray("nothing to convert\n") << QString();
    }

    // One click makes the text readable, which is an edit: the hint goes,
    // and what the user chose is what goes to disk.
    void aPlainFileInAnotherEncodingOffersItsConversion()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, hint);
        EditWindowFixture f;
        TEditForm *w = f.open(QStringLiteral("a.txt"), bytes);
        QCOMPARE(shownHint(w), hint);
        if (hint.isEmpty())
            return;
        w->encodingHint->convertButton()->click();
        const QByteArray readable = encoded("windows-1251", kRussian);
        QCOMPARE(w->Editor->wholeText(), QByteArray(readable).replace("\n", "\r\n"));
        QCOMPARE(shownHint(w), QString());
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("a.txt")), readable); // with the file's own line breaks
    }

    void closingTheHintChangesNothing()
    {
        EditWindowFixture f;
        const QByteArray koi8 = encoded("KOI8-R", kRussian);
        TEditForm *w = f.open(QStringLiteral("k.txt"), koi8);
        w->encodingHint->closeButton()->click();
        QCOMPARE(shownHint(w), QString());
        QVERIFY(!w->Editor->isModified());
        QCOMPARE(w->Editor->wholeText(), QByteArray(koi8).replace("\n", "\r\n"));
    }

    void engToLowerLowersOnlyLatinCapitals()
    {
        EditWindowFixture f;
        TEditForm *w = f.document("ABC xyz \xc0\xc1\xc2 Q");
        w->mnuEngToLower->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray("abc xyz \xc0\xc1\xc2 q"));
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QStringLiteral("Modified"));
    }

    void wholeTextCommandsKeepRichFormatting()
    {
        EditWindowFixture f;
        TEditForm *w = f.open(QStringLiteral("b.rtf"), "{\\rtf1 {\\b BOLD} text}");
        w->mnuEngToLower->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray("bold text"));
        w->Editor->setSelStart(1);
        QCOMPARE(w->Editor->selAttributes().style, fontstyle::Bold);
    }

    void popupMenuFollowsSelectionAndClipboard()
    {
        EditWindowFixture f;
        TEditForm *w = f.document("some text");
        QApplication::clipboard()->clear();
        w->Edit1Click();
        QVERIFY(!w->Cut2->isEnabled() && !w->Copy2->isEnabled() && !w->Paste2->isEnabled());
        QVERIFY(w->InStart1->isEnabled());

        w->Editor->setSelStart(5);
        w->Editor->setSelLength(4);
        w->Edit1Click();
        QVERIFY(w->Cut2->isEnabled() && w->Copy2->isEnabled());
        w->Copy2->trigger();
        w->Edit1Click();
        QVERIFY(w->Paste2->isEnabled());

        w->InStart1->trigger();
        QCOMPARE(w->Editor->selStart(), 0);
        QCOMPARE(w->Editor->selLength(), 0);
        w->Paste2->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray("textsome text"));
    }

    void aPictureIsPastedIntoRichDocumentsOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("rich") << QStringLiteral("a.rtf") << true;
        QTest::newRow("plain") << QStringLiteral("a.txt") << false;
    }

    void aPictureIsPastedIntoRichDocumentsOnly()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        EditWindowFixture f;
        TEditForm *w = f.open(name, "{\\rtf1 text}");
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        auto *data = new QMimeData;
        data->setImageData(picture);
        QApplication::clipboard()->setMimeData(data);
        w->Edit1Click();
        QCOMPARE(w->Paste2->isEnabled(), taken);
        QTRY_COMPARE(w->PasteButton->isEnabled(), taken);
        const int length = w->Editor->textLength();
        w->Editor->paste();
        QCOMPARE(w->Editor->textLength(), length + (taken ? 1 : 0));
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
