// What another program does to an open document's file is never
// overwritten without a question.

#include "FileBytes.h"
#include "FrameFixture.h"

#include <QSaveFile>

class TestFileChanges : public QObject
{
    Q_OBJECT

private:
    // Another program appends a line, or writes a new file and renames it
    // over the old one, as editors save.
    static void changeOutside(const QString &path, bool atomically)
    {
        const QByteArray theirs = testfiles::readAll(path) + "theirs\n";
        if (!atomically) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append) && f.write("theirs\n") == 7 && f.flush());
            return;
        }
        QSaveFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(theirs) == theirs.size() && f.commit());
    }

private Q_SLOTS:
    void anOutsideChangeIsReloadedOrKeptAway_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("atomically");
        QTest::addColumn<bool>("reload");
        QTest::addColumn<bool>("overwrite"); // when kept: the answer to Save's question
        QTest::newRow("unmodified, reloaded") << false << false << true << false;
        QTest::newRow("unmodified, replaced, reloaded") << false << true << true << false;
        QTest::newRow("unmodified, kept, overwritten") << false << false << false << true;
        QTest::newRow("unmodified, replaced, kept") << false << true << false << false;
        QTest::newRow("edited, reloaded") << true << true << true << false;
        QTest::newRow("edited, kept, not overwritten") << true << false << false << false;
    }

    void anOutsideChangeIsReloadedOrKeptAway()
    {
        QFETCH(bool, edited);
        QFETCH(bool, atomically);
        QFETCH(bool, reload);
        QFETCH(bool, overwrite);
        FrameFixture f;
        const QString path = f.write(QStringLiteral("a.txt"), "mine\n");
        TEditForm *w = f.open(path);
        if (edited)
            QTest::keyClicks(w->Editor, QStringLiteral("x"));
        const QByteArray mine = w->Editor->wholeText();
        const auto answer = [](bool yes) {
            return yes ? Prompts::Answer::Yes : Prompts::Answer::No;
        };
        QString question = path + QStringLiteral(" was changed by another program. Reload it?");
        if (edited)
            question += QStringLiteral("\nReloading discards your changes.");
        f.prompts.expectMessage(question, answer(reload));
        changeOutside(path, atomically);
        QTRY_COMPARE(f.prompts.pending(), 0);
        QCOMPARE(w->Editor->isModified(), !reload);
        // The next change is asked about too, also after the file was
        // replaced by another one; a kept document counts as edited.
        const QString again =
            path + QStringLiteral(" was changed by another program. Reload it?") +
            (reload ? QString() : QStringLiteral("\nReloading discards your changes."));
        f.prompts.expectMessage(again, answer(reload));
        changeOutside(path, atomically);
        QTRY_COMPARE(f.prompts.pending(), 0);
        if (reload) {
            QCOMPARE(w->Editor->wholeText(), QByteArray("mine\r\ntheirs\r\ntheirs\r\n"));
            return;
        }
        QCOMPARE(w->Editor->wholeText(), mine);
        f.prompts.expectMessage(
            path + QStringLiteral(" was changed by another program since it was opened. "
                                  "Overwrite it?"),
            answer(overwrite));
        w->Save1Click();
        QCOMPARE(f.read(QStringLiteral("a.txt")),
                 overwrite ? QByteArray(mine).replace("\r\n", "\n") : "mine\ntheirs\ntheirs\n");
        QCOMPARE(w->Editor->isModified(), !overwrite);
    }

    void aFileDeletedOutsideLeavesTheDocumentToBeSaved()
    {
        FrameFixture f;
        const QString path = f.write(QStringLiteral("gone.txt"), "text");
        TEditForm *w = f.open(path);
        f.prompts.expectMessage(path + QStringLiteral(" was deleted or moved by another program."));
        QVERIFY(QFile::remove(path));
        QTRY_COMPARE(f.prompts.pending(), 0);
        QVERIFY(w->Editor->isModified());
        w->Save1Click(); // puts it back without a question
        QCOMPARE(f.read(QStringLiteral("gone.txt")), QByteArray("text"));
    }
};

QTEST_MAIN(TestFileChanges)
#include "tst_filechanges.moc"
