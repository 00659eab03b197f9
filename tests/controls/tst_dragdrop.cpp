// The drop target: which dropped entries count, and that the owner's own
// drop handling never runs while the target is attached.

#include "Drops.h"
#include "controls/DragDrop.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class Owner : public QWidget
{
public:
    int ownDrops = 0;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override { ++ownDrops, event->accept(); }
    void dropEvent(QDropEvent *event) override { ++ownDrops, event->accept(); }
};

} // namespace

class TestDragDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropFillsTheLists_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QStringList>("names"); // empty: the drop changes nothing
        const QString longName(300, QLatin1Char('x'));
        QTest::newRow("other addresses left out")
            << QList<QUrl>{QUrl("https://example.org/x.txt"), QUrl("file:///t/c d.txt"),
                           QUrl("mailto:a@example.org"), QUrl("file:///u/b")}
            << QStringList{"c d.txt", "b"};
        QTest::newRow("a long path, whole")
            << QList<QUrl>{QUrl::fromLocalFile("/t/" + longName)} << QStringList{longName};
        QTest::newRow("no local file")
            << QList<QUrl>{QUrl("https://example.org/")} << QStringList{};
    }

    void dropFillsTheLists()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QStringList, names);
        Owner owner;
        TDragDrop target(&owner);
        target.setEnabled(true);
        QSignalSpy dropped(&target, &TDragDrop::fileDrop);
        QVERIFY(dropUrls(owner, {QUrl::fromLocalFile("/t/before.txt")}));
        QTRY_COMPARE(dropped.count(), 1);

        QCOMPARE(dropUrls(owner, urls), !names.isEmpty());
        QCoreApplication::processEvents(); // a drop is reported once the drag is over
        QCOMPARE(dropped.count(), names.isEmpty() ? 1 : 2);
        const QStringList expected = names.isEmpty() ? QStringList{"before.txt"} : names;
        QCOMPARE(target.filenames(), expected);
        QCOMPARE(target.count(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY(target.fullPath().value(i).endsWith('/' + expected[i]));
        QCOMPARE(owner.ownDrops, 0);
    }
};

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
