// Paste follows the clipboard, whoever changes it: every open edit window
// hears of another program taking or emptying the clipboard.

#include "FrameFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>

class TestClipboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteFollowsAnotherProgramsClipboard_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("pastable");
        QTest::newRow("text") << "text" << true;
        QTest::newRow("rich text only") << "rtf" << true;
        QTest::newRow("a picture only") << "image" << false;
    }

    void pasteFollowsAnotherProgramsClipboard()
    {
        QFETCH(QString, format);
        QFETCH(bool, pastable);
        FrameFixture f;
        QList<TEditForm *> windows;
        for (int i = 0; i < 3; ++i) {
            f.frame.New1Click();
            windows << f.active();
        }
        f.closeActive(); // leaves the others hearing
        windows.removeLast();
        const auto pasteOffered = [&](bool offered) {
            return std::all_of(windows.begin(), windows.end(), [&](TEditForm *w) {
                return w->PasteButton->isEnabled() == offered && w->Paste1->isEnabled() == offered;
            });
        };
        if (pastable)
            QApplication::clipboard()->clear();
        else
            QApplication::clipboard()->setText(QStringLiteral("ours"));
        QTRY_VERIFY(pasteOffered(!pastable));

        QProcess owner;
        owner.start(QStringLiteral(CLIPBOARD_OWNER), {format});
        QTRY_VERIFY(pasteOffered(pastable));
        if (pastable) {
            owner.write("clear\n");
            QTRY_VERIFY(pasteOffered(false));
        }
        owner.closeWriteChannel();
        QVERIFY(owner.waitForFinished());
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
