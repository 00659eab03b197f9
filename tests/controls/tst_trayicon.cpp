// The tray icon component: what reaches the notification area's icon, and when.

#include "controls/TrayIcon.h"

#include <QTest>
#include <QWidget>

class TestTrayIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toolTip_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString a61(61, QLatin1Char('a'));
        QTest::newRow("short") << true << "Scrivlet"
                               << "Scrivlet";
        QTest::newRow("70 keep 62") << true << a61 + QStringLiteral("bcdefghij") << a61 + "b";
        QTest::newRow("a two-part character across the end goes whole")
            << true << a61 + QStringLiteral("\U0001D11E") << a61;
        QTest::newRow("inactive: waits for the icon") << false << "Scrivlet"
                                                      << "Scrivlet";
    }

    void toolTip()
    {
        QFETCH(bool, active);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QWidget window;
        TTrayIcon tray(&window);
        const QSystemTrayIcon *shell = tray.findChild<QSystemTrayIcon *>();
        tray.setActive(active);
        tray.setToolTip(text);
        QCOMPARE(tray.toolTip(), kept);
        QCOMPARE(shell->toolTip(), active ? kept : QString());
        QCOMPARE(shell->isVisible(), active);
        tray.setActive(true);
        QCOMPARE(shell->toolTip(), kept);
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
