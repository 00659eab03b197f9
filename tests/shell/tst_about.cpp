// The About box: the memory figures in the user's number format, its place
// over the frame wherever the frame is, and what closes it.

#include "FrameFixture.h"
#include "platform/system/MemoryStatus.h"
#include "shell/Reabout.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        memorystatus::installPhysical(nullptr);
        QLocale::setDefault(QLocale::system());
    }

    void memoryFigures_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("totalBytes");
        QTest::addColumn<int>("load");
        QTest::addColumn<QString>("physMem");
        QTest::addColumn<QString>("freeRes");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("English") << english << qint64(131072) * 1024 << 37 << "131,072 KB"
                                 << "37 %";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << qint64(131072) * 1024 << 100 << "131.072 KB"
                                << "100 %";
        QTest::newRow("the system cannot tell") << english << qint64(-1) << -1 << "0"
                                                << "0";
    }

    void memoryFigures()
    {
        QFETCH(QLocale, locale);
        QFETCH(qint64, totalBytes);
        QFETCH(int, load);
        QFETCH(QString, physMem);
        QFETCH(QString, freeRes);
        QLocale::setDefault(locale);
        const memorystatus::Physical figures{totalBytes, load};
        memorystatus::installPhysical(&figures);
        TAboutBox box;
        QCOMPARE(box.PhysMem->text(), physMem);
        QCOMPARE(box.FreeRes->text(), freeRes);
    }

    void aboutMenuShowsTheBoxOverTheFrame_data()
    {
        QTest::addColumn<QPoint>("frameAt");
        QTest::addColumn<int>("close"); // a key, or 0 for the OK button
        QTest::newRow("on the screen, Escape") << QPoint(100, 80) << int(Qt::Key_Escape);
        QTest::newRow("off to the left and top, Enter")
            << QPoint(-500, -400) << int(Qt::Key_Return);
        QTest::newRow("off to the right and bottom, OK") << QPoint(1000, 900) << 0;
    }

    void aboutMenuShowsTheBoxOverTheFrame()
    {
        QFETCH(QPoint, frameAt);
        QFETCH(int, close);
        FrameFixture f;
        f.frame.move(frameAt);
        QRect shown;
        QRect frame;
        bool okFocused = false;
        QTimer::singleShot(0, &f.frame, [&] {
            auto *box = f.frame.findChild<TAboutBox *>();
            shown = box->frameGeometry();
            frame = f.frame.frameGeometry();
            okFocused = box->focusWidget() == box->OKButton;
            if (close)
                QTest::keyClick(box, Qt::Key(close));
            else
                QTest::mouseClick(box->OKButton, Qt::LeftButton);
        });
        f.frame.About->trigger(); // returns once the box has closed
        QVERIFY(f.frame.findChildren<TAboutBox *>().isEmpty());
        QVERIFY(okFocused);
        QCOMPARE(shown.topLeft(), QPoint(frame.left() + (frame.width() - shown.width()) / 2,
                                         frame.top() + (frame.height() - shown.height()) / 2));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
