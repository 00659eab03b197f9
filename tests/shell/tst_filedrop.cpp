// Files dragged from another program over the X display (the XDND
// protocol): a drop on the frame or on an edit window opens the first file
// as a document; a frame that takes no files opens nothing.

#include "FrameFixture.h"
#include "controls/DragDrop.h"
#include "editor/Formatting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QWindow>

namespace {

// Counts the drag positions the frame's window is told about, whether or
// not a control of it takes the drag.
class DragWatch : public QObject
{
public:
    int moves = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        moves += event->type() == QEvent::DragMove;
        return false;
    }
};

bool xdotool(const QStringList &args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

QStringList moveTo(QPoint at)
{
    return {"mousemove", QString::number(at.x()), QString::number(at.y())};
}

QByteArray nextLine(QProcess &process)
{
    return QTest::qWaitFor([&] { return process.canReadLine(); }) ? process.readLine().trimmed()
                                                                  : QByteArray("<silent>");
}

} // namespace

class TestFileDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropFromAnotherProgram_data()
    {
        QTest::addColumn<QString>("over"); // where the files are let go
        QTest::addColumn<bool>("enabled");
        // The frame's drop target lists the files of a drop on the frame;
        // an edit window puts only its first file there, wherever in the
        // window they were let go.
        QTest::addColumn<int>("frameListed");
        QTest::newRow("on the frame") << "frame" << true << 3;
        QTest::newRow("on an edit window's text") << "text" << true << 1;
        QTest::newRow("on its font name box") << "font name" << true << 1;
        QTest::newRow("on its font size box") << "font size" << true << 1;
        QTest::newRow("on a frame that takes no files") << "frame" << false << 0;
    }

    void dropFromAnotherProgram()
    {
        QFETCH(QString, over);
        QFETCH(bool, enabled);
        QFETCH(int, frameListed);
        const bool opens = frameListed > 0;
        FrameFixture f;
        QStringList captions;
        if (over != QLatin1String("frame"))
            f.open(captions.emplace_back(f.write(QStringLiteral("open.txt"), "x")));
        f.frame.DragDrop1->setEnabled(enabled);
        const QStringList files{f.write(QStringLiteral("c.txt"), "c"),
                                f.write(QStringLiteral("a.txt"), "a"),
                                f.write(QStringLiteral("b.txt"), "b")};
        if (opens)
            captions.append(files.first());
        const QMap<QString, QWidget *> targets{
            {QStringLiteral("frame"), f.frame.Panel1},
            {QStringLiteral("text"), f.active() ? f.active()->Editor->viewport() : nullptr},
            {QStringLiteral("font name"),
             f.active() ? f.active()->formatting()->FontName->lineEdit() : nullptr},
            {QStringLiteral("font size"),
             f.active() ? f.active()->formatting()->FontSize : nullptr}};
        QWidget *target = targets.value(over);
        const auto *box = qobject_cast<QLineEdit *>(target);
        const QString boxText = box ? box->text() : QString();
        DragWatch watch;
        f.frame.windowHandle()->installEventFilter(&watch);

        const QPoint source(1100, 40);
        QProcess dragSource;
        dragSource.start(QStringLiteral(DRAG_SOURCE),
                         QStringList{QString::number(source.x()), QString::number(source.y())} +
                             files);
        QCOMPARE(nextLine(dragSource), QByteArray("ready"));
        QVERIFY(xdotool(moveTo(source + QPoint(50, 50)) + QStringList{"mousedown", "1"}));
        QCOMPARE(nextLine(dragSource), QByteArray("dragging"));
        // Where the target is once the frame has laid out the new document.
        const QPoint drop = target->mapToGlobal(target->rect().center());
        QVERIFY(xdotool(moveTo(drop) + moveTo(drop + QPoint(1, 1))));
        // The frame has answered whether it takes the files before the
        // mouse is let go.
        QTRY_VERIFY(watch.moves > 0);
        QVERIFY(xdotool({"mouseup", "1"}));
        QCOMPARE(nextLine(dragSource), opens ? QByteArray("dropped") : QByteArray("refused"));
        QTRY_COMPARE(f.captions(), captions);
        QCOMPARE(f.frame.DragDrop1->fullPath(), files.first(frameListed));
        if (box)
            QCOMPARE(box->text(), boxText);
        dragSource.closeWriteChannel();
        QVERIFY(dragSource.waitForFinished());
    }
};

QTEST_MAIN(TestFileDrop)
#include "tst_filedrop.moc"
