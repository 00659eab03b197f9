#include "platform/text/VirtualKeys.h"

#include <QTest>

class TestVirtualKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysHaveTheirPcScanCodes_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<int>("scanCode");
        QTest::addColumn<int>("linuxKeyCode");
        QTest::newRow("A") << int('A') << 0x1E << 30;
        QTest::newRow("1") << int('1') << 0x02 << 2;
        QTest::newRow("F1") << vk::F1 << 0x3B << 59;
        QTest::newRow("F12") << vk::F1 + 11 << 0x58 << 88;
        QTest::newRow("F13") << vk::F1 + 12 << 0x64 << 183;
        QTest::newRow("F23") << vk::F1 + 22 << 0x6E << 193;
        QTest::newRow("F24") << vk::F24 << 0x76 << 194;
        QTest::newRow("left, extended") << vk::Left << 0xE04B << 105;
        QTest::newRow("delete, extended") << vk::Delete << 0xE053 << 111;
        QTest::newRow("print screen") << vk::Snapshot << 0xE037 << 99;
        QTest::newRow("oem 102") << vk::Oem102 << 0x56 << 86;
        QTest::newRow("[") << vk::OemBracketLeft << 0x1A << 26;
        QTest::newRow("numlock") << vk::NumLock << 0x45 << 69;
        QTest::newRow("help has none") << vk::Help << 0 << 0;
    }

    void keysHaveTheirPcScanCodes()
    {
        QFETCH(int, virtualKey);
        QFETCH(int, scanCode);
        QFETCH(int, linuxKeyCode);
        QCOMPARE(vk::toScanCode(virtualKey), scanCode);
        QCOMPARE(vk::toLinuxKeyCode(scanCode), linuxKeyCode);
        if (scanCode != 0) {
            QCOMPARE(vk::fromLinuxKeyCode(linuxKeyCode), scanCode);
            QCOMPARE(vk::fromScanCode(scanCode), virtualKey);
        }
    }

    void unknownCodesGiveNothing()
    {
        QCOMPARE(vk::fromLinuxKeyCode(0), 0);
        QCOMPARE(vk::fromLinuxKeyCode(500), 0);
        QCOMPARE(vk::toLinuxKeyCode(0xE0FF), 0);
        QCOMPARE(vk::fromQtKey(0), 0);
    }
};

QTEST_MAIN(TestVirtualKeys)
#include "tst_virtualkeys.moc"
