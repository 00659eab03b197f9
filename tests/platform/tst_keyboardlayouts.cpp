#include "platform/keyboard/KeyboardDriver.h"
#include "platform/keyboard/KeyboardLayouts.h"

#include <QTest>

class TestKeyboardLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void xkbLayoutsGetWindowsNames_data()
    {
        QTest::addColumn<QString>("xkb");
        QTest::addColumn<QString>("windows");
        QTest::newRow("us") << QStringLiteral("us") << QStringLiteral("00000409");
        QTest::newRow("gb is English too") << QStringLiteral("gb") << QStringLiteral("00000409");
        QTest::newRow("us variant") << QStringLiteral("us(dvorak)") << QStringLiteral("00000409");
        QTest::newRow("ru") << QStringLiteral("ru") << QStringLiteral("00000419");
        QTest::newRow("ru variant") << QStringLiteral("ru(phonetic)") << QStringLiteral("00000419");
        QTest::newRow("ua") << QStringLiteral("ua") << QStringLiteral("00000422");
        QTest::newRow("by") << QStringLiteral("by") << QStringLiteral("00000423");
        QTest::newRow("de") << QStringLiteral("de") << QStringLiteral("00000407");
        QTest::newRow("fr") << QStringLiteral("fr") << QStringLiteral("0000040C");
        QTest::newRow("unknown keeps its name") << QStringLiteral("epo") << QStringLiteral("epo");
        QTest::newRow("unknown drops its variant")
            << QStringLiteral("epo(legacy)") << QStringLiteral("epo");
    }

    void xkbLayoutsGetWindowsNames()
    {
        QFETCH(QString, xkb);
        QFETCH(QString, windows);
        QCOMPARE(windowsLayoutName(xkb), windows);
    }

    // Offscreen there is no keyboard to reach: no layout is known or
    // activated, and keystrokes are refused.
    void offscreenHasNoKeyboard()
    {
        const std::unique_ptr<KeyboardLayouts> layouts = createKeyboardLayouts();
        QCOMPARE(layouts->activeLayout(), QString());
        QVERIFY(!layouts->activateLayout(QStringLiteral("00000409")));
        const std::unique_ptr<KeyboardDriver> driver = createKeyboardDriver();
        QVERIFY(!driver->isAvailable());
        QCOMPARE(driver->keyCodeOf('a'), KeyboardDriver::NoKey);
    }
};

QTEST_MAIN(TestKeyboardLayouts)
#include "tst_keyboardlayouts.moc"
