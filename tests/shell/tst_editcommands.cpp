// The edit window's whole-text commands and its popup menu.

#include "FrameFixture.h"

#include <QApplication>
#include <QClipboard>

class TestEditCommands : public QObject
{
    Q_OBJECT

private:
    static TEditForm *document(FrameFixture &f, const QByteArray &text)
    {
        f.frame.New1Click();
        TEditForm *w = f.active();
        w->Editor->setWholeText(text);
        w->Editor->setModified(false);
        w->ShowModifiedState(false);
        return w;
    }

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
    }

    void convertMenuReencodesTheWholeDocument()
    {
        QFETCH(QString, item);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        FrameFixture f;
        TEditForm *w = document(f, before);
        w->Editor->setSelStart(1);
        w->Editor->setSelLength(1); // a selection makes no difference
        w->Convert1->findChild<QAction *>(item)->trigger();
        QCOMPARE(w->Editor->wholeText(), after);
        QVERIFY(w->Editor->isModified()); // even when nothing changed
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QStringLiteral("Modified"));
        w->Editor->undo();
        QCOMPARE(w->Editor->wholeText(), before);
    }

    void engToLowerLowersOnlyLatinCapitals()
    {
        FrameFixture f;
        TEditForm *w = document(f, "ABC xyz \xc0\xc1\xc2 Q");
        w->mnuEngToLower->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray("abc xyz \xc0\xc1\xc2 q"));
        QCOMPARE(w->panelText(TEditForm::ModifiedPanel), QStringLiteral("Modified"));
    }

    void wholeTextCommandsDropRichFormatting()
    {
        FrameFixture f;
        TEditForm *w = f.open(f.write(QStringLiteral("b.rtf"), "{\\rtf1 {\\b BOLD} text}"));
        w->mnuEngToLower->trigger();
        QCOMPARE(w->Editor->wholeText(), QByteArray("bold text"));
        w->Editor->setSelStart(1);
        QCOMPARE(w->Editor->selAttributes().style, 0);
    }

    void popupMenuFollowsSelectionAndClipboard()
    {
        FrameFixture f;
        TEditForm *w = document(f, "some text");
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
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
