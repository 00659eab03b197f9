// The frame in a real tray host (trayer), driven by real clicks (xdotool).

#include "FrameFixture.h"
#include "controls/TrayIcon.h"

#include <QProcess>
#include <QSignalSpy>

namespace {

bool clickAt(QPoint at, int button)
{
    const QStringList args{"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                           QString::number(button)};
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// Once the tray host has taken the icon in.
bool clickIcon(const TFrameForm &frame, int button)
{
    const auto *icon = frame.tray()->TrayIcon1->findChild<QSystemTrayIcon *>();
    return QTest::qWaitFor([icon] { return !icon->geometry().isEmpty(); }, 20000) &&
           clickAt(icon->geometry().center(), button);
}

} // namespace

class TestTray : public QObject
{
    Q_OBJECT

    QProcess m_host;

private Q_SLOTS:
    void initTestCase()
    {
        m_host.start("trayer", {"--edge", "top", "--widthtype", "request"});
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 20000);
    }

    void cleanupTestCase()
    {
        m_host.kill();
        m_host.waitForFinished();
    }

    void backFromTheTray_data()
    {
        QTest::addColumn<bool>("closed");  // else minimised with the document
        QTest::addColumn<QString>("item"); // empty: a left click on the icon
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<bool>("ends");
        const QStringList one{"Untitled1"};
        QTest::newRow("click after the close") << true << "" << QStringList{} << false;
        QTest::newRow("New after the close") << true << "TrayNew" << one << false;
        QTest::newRow("Open, cancelled") << false << "TrayOpen" << one << false;
        QTest::newRow("RESTORE") << false << "TrayRestore" << one << false;
        QTest::newRow("Exit") << false << "TrayClose" << one << true;
    }

    void backFromTheTray()
    {
        QFETCH(bool, closed);
        QFETCH(QString, item);
        QFETCH(QStringList, tabs);
        QFETCH(bool, ends);
        FrameFixture f;
        f.frame.New1Click();
        f.active()->Editor->setWholeText("changed");
        const QString question = QStringLiteral("Save changes to Untitled1?");
        if (closed)
            f.prompts.expectMessage(question, Prompts::Answer::No);
        if (closed)
            QVERIFY(!f.frame.close());
        else
            f.frame.showMinimized();
        QTRY_VERIFY(!f.frame.isVisible());

        QSignalSpy ended(&f.frame, &TFrameForm::closed);
        if (item.isEmpty()) {
            QVERIFY(clickIcon(f.frame, 1));
        } else {
            QVERIFY(clickIcon(f.frame, 3));
            QMenu *menu = f.frame.tray()->PopupMenu1;
            QTRY_VERIFY(menu->isVisible());
            if (item == QLatin1String("TrayOpen"))
                f.prompts.expectOpenFile(std::nullopt);
            if (ends)
                f.prompts.expectMessage(question, Prompts::Answer::No);
            const QRect area = menu->actionGeometry(menu->findChild<QAction *>(item));
            QVERIFY(clickAt(menu->mapToGlobal(area.center()), 1));
            QTRY_VERIFY(!menu->isVisible());
        }
        QTRY_COMPARE(f.frame.isVisible(), !ends);
        QCOMPARE(ended.size(), ends ? 1 : 0);
        QCOMPARE(f.tabs(), tabs);
        QCOMPARE(f.frame.isCalendarView(), tabs.isEmpty());
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
