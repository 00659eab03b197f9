// What an edit window tells the frame that holds it: the commands that act
// on the frame, its document activated, renamed and closed, a dropped file,
// Find; and the recent files it shows from the frame's list.

#include "Drops.h"
#include "EditWindowFixture.h"

#include <QMenu>
#include <QUrl>

class TestEditWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsTellTheFrame_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("New") << "New1" << QStringList{"New"};
        QTest::newRow("Open") << "Open1" << QStringList{"Open"};
        QTest::newRow("Close All") << "CloseAll1" << QStringList{"Close All"};
        QTest::newRow("Exit") << "Exit1" << QStringList{"Exit"};
        QTest::newRow("Find") << "Find1" << QStringList{"find"};
        QTest::newRow("Find Again") << "FindAgain1" << QStringList{"find again"};
        QTest::newRow("Close") << "Close1" << QStringList{"closed 7"};
    }

    void commandsTellTheFrame()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, told);
        EditWindowFixture f;
        f.window.findChild<QAction *>(item)->trigger();
        QCOMPARE(f.host.told, told);
        QCOMPARE(f.host.findEditor, item == QLatin1String("Find1") ? f.window.Editor : nullptr);
    }

    // Activation, Save As and a dropped file, in the order a user might.
    void theDocumentsLifeReachesTheFrame()
    {
        EditWindowFixture f;
        f.window.FormActivate();
        QCOMPARE(f.host.editorComponentIndex, int(f.window.children().indexOf(f.window.Editor)));

        const QString saved = f.path(QStringLiteral("saved.txt"));
        f.prompts.expectSaveFile(saved);
        f.window.Saveas1Click();
        // The window's File menu shows the frame's list, which Save As topped.
        QAction *entry = f.window.File1->actions().constLast();
        QCOMPARE(entry->text(), QStringLiteral("saved.txt"));
        entry->trigger();

        const QString dropped = f.write(QStringLiteral("dropped.txt"), "d");
        QVERIFY(dropUrls(f.window, {QUrl::fromLocalFile(dropped),
                                    QUrl::fromLocalFile(f.write(QStringLiteral("2.txt"), ""))}));
        QTRY_COMPARE(f.host.told.size(), 5);
        QCOMPARE(f.host.told, QStringList({"activated 7", "chosen " + saved, "renamed 7 " + saved,
                                           "open recent " + saved, "dropped " + dropped}));
    }
};

QTEST_MAIN(TestEditWindow)
#include "tst_editwindow.moc"
