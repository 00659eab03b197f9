// What an edit window tells the frame that holds it: the commands that act
// on the frame, its document activated, renamed and closed, a dropped file,
// Find; and the recent files it shows from the frame's list.

#include "Drops.h"
#include "EditWindowFixture.h"

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
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

    // A desktop font larger than the panels were measured for widens them
    // rather than cutting their texts short.
    void statusPanelsFitTheirTexts()
    {
        EditWindowFixture f;
        f.window.resize(1000, 600);
        auto *bar = f.window.findChild<QStatusBar *>(QStringLiteral("StatusBar"));
        QFont large = bar->font();
        large.setPixelSize(18);
        bar->setFont(large);
        bar->clearMessage(); // a message hides the panels
        const QList<QLabel *> panels = bar->findChildren<QLabel *>();
        panels[TEditForm::CaretPanel]->setText(QStringLiteral("Line: 12345   Col: 678"));
        panels[TEditForm::ModifiedPanel]->setText(QStringLiteral("Modified"));
        for (QLabel *panel : panels) {
            const int needed = panel->fontMetrics().horizontalAdvance(panel->text());
            QTRY_VERIFY2(panel->contentsRect().width() >= needed, qPrintable(panel->text()));
        }
    }
};

QTEST_MAIN(TestEditWindow)
#include "tst_editwindow.moc"
