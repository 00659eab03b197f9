// The drop target: which dropped entries count and in which order, and that
// the owner's own drop handling never runs while the target is attached.

#include "Drops.h"
#include "controls/DragDrop.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

namespace {

class Owner : public QWidget
{
public:
    int ownDrops = 0;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override
    {
        ++ownDrops;
        event->acceptProposedAction();
    }
    void dropEvent(QDropEvent *event) override
    {
        ++ownDrops;
        event->acceptProposedAction();
    }
};

QUrl file(const QString &path)
{
    return QUrl::fromLocalFile(path);
}

} // namespace

class TestDragDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropFillsTheLists_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QStringList>("paths"); // empty: the drop changes nothing
        const QString longPath = QStringLiteral("/tmp/") + QString(300, QLatin1Char('x'));
        QTest::newRow("three files, in the drop's order")
            << true << QList<QUrl>{file("/t/c.txt"), file("/t/a b.rtf"), file("/u/b")}
            << QStringList{"/t/c.txt", "/t/a b.rtf", "/u/b"};
        QTest::newRow("other addresses left out")
            << true
            << QList<QUrl>{QUrl("https://example.org/x.txt"), file("/t/a.txt"),
                           QUrl("mailto:a@example.org"), file("/t/b.txt")}
            << QStringList{"/t/a.txt", "/t/b.txt"};
        QTest::newRow("a long path, whole")
            << true << QList<QUrl>{file(longPath)} << QStringList{longPath};
        QTest::newRow("no local file")
            << true << QList<QUrl>{QUrl("https://example.org/")} << QStringList{};
        QTest::newRow("not enabled") << false << QList<QUrl>{file("/t/a.txt")} << QStringList{};
    }

    void dropFillsTheLists()
    {
        QFETCH(bool, enabled);
        QFETCH(QList<QUrl>, urls);
        QFETCH(QStringList, paths);
        Owner owner;
        TDragDrop target(&owner);
        QVERIFY(!target.isEnabled());
        target.setEnabled(true);
        QSignalSpy dropped(&target, &TDragDrop::fileDrop);
        QVERIFY(dropUrls(owner, {file("/t/before.txt")}));
        QTRY_COMPARE(dropped.count(), 1);

        target.setEnabled(enabled);
        QCOMPARE(dropUrls(owner, urls), !paths.isEmpty());
        QCoreApplication::processEvents(); // a drop is reported once the drag is over
        QCOMPARE(dropped.count(), paths.isEmpty() ? 1 : 2);
        const QStringList expected = paths.isEmpty() ? QStringList{"/t/before.txt"} : paths;
        QCOMPARE(target.fullPath(), expected);
        QCOMPARE(target.count(), expected.size());
        QCOMPARE(target.filenames().size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(target.filenames().value(i), QFileInfo(expected[i]).fileName());
        QCOMPARE(owner.ownDrops, 0);
    }
};

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
