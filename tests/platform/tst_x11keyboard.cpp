#include "platform/keyboard/X11Display.h"
#include "platform/keyboard/X11Keyboard.h"
#include "platform/keyboard/X11KeyboardLayouts.h"
#include "XkbLayouts.h"

#include <QGuiApplication>
#include <QTest>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

// Runs on a virtual X server whose keymap the test sets with setxkbmap; the
// application's own connection keeps the server (and so the keymap) alive.
class TestX11Keyboard : public QObject
{
    Q_OBJECT

private:
    XkbStateRec serverState() const
    {
        XkbStateRec state{};
        XkbGetState(m_probe.get(), XkbUseCoreKbd, &state);
        return state;
    }

    void lockGroup(int group) const
    {
        XkbLockGroup(m_probe.get(), XkbUseCoreKbd, unsigned(group));
        XSync(m_probe.get(), False);
    }

    x11::DisplayPtr m_probe;
    std::unique_ptr<X11Keyboard> m_keyboard;
    std::unique_ptr<X11KeyboardLayouts> m_layouts;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(setXkbLayouts(QStringLiteral("us,ru")));
        const QByteArray display = x11::applicationDisplayName();
        QVERIFY(!display.isEmpty());
        m_probe = x11::openXkbDisplay(display);
        m_keyboard = X11Keyboard::open(display);
        m_layouts = X11KeyboardLayouts::open(display);
        QVERIFY(m_probe && m_keyboard && m_layouts);
    }

    void init()
    {
        lockGroup(0);
        XkbLockModifiers(m_probe.get(), XkbUseCoreKbd, Mod2Mask | LockMask, 0);
        XSync(m_probe.get(), False);
    }

    void keyCodesFollowTheActiveGroup_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QByteArray>("character");
        QTest::addColumn<int>("keyCode");
        QTest::newRow("us a") << 0 << QByteArray("a") << 0x41;
        QTest::newRow("us A") << 0 << QByteArray("A") << 0x141;
        QTest::newRow("us 1") << 0 << QByteArray("1") << 0x31;
        QTest::newRow("us !") << 0 << QByteArray("!") << 0x131;
        QTest::newRow("us * on the main keys") << 0 << QByteArray("*") << 0x138;
        QTest::newRow("us {") << 0 << QByteArray("{") << 0x1DB;
        QTest::newRow("us ;") << 0 << QByteArray(";") << 0xBA;
        QTest::newRow("us space") << 0 << QByteArray(" ") << 0x20;
        QTest::newRow("us tab") << 0 << QByteArray("\t") << 0x09;
        QTest::newRow("us return") << 0 << QByteArray("\r") << 0x0D;
        QTest::newRow("us short i") << 0 << QByteArray("\xE9") << 0xFFFF;
        QTest::newRow("ru short i") << 1 << QByteArray("\xE9") << 0x51;
        QTest::newRow("ru capital short i") << 1 << QByteArray("\xC9") << 0x151;
        QTest::newRow("ru ha on the [ key") << 1 << QByteArray("\xF5") << 0xDB;
        QTest::newRow("ru io on the ` key") << 1 << QByteArray("\xB8") << 0xC0;
        QTest::newRow("ru numero sign") << 1 << QByteArray("\xB9") << 0x133;
        QTest::newRow("ru digit") << 1 << QByteArray("1") << 0x31;
        QTest::newRow("ru latin a") << 1 << QByteArray("a") << 0xFFFF;
    }

    void keyCodesFollowTheActiveGroup()
    {
        QFETCH(int, group);
        QFETCH(QByteArray, character);
        QFETCH(int, keyCode);
        lockGroup(group);
        QCOMPARE(int(m_keyboard->keyCodeOf(character.at(0))), keyCode);
    }

    // A keymap loaded after the driver was opened is the one looked up,
    // and AltGr levels come back as Ctrl+Alt.
    void newKeymapIsPickedUp()
    {
        QVERIFY(setXkbLayouts(QStringLiteral("de")));
        const int at = m_keyboard->keyCodeOf('@');
        const int euro = m_keyboard->keyCodeOf('\x88');
        const int z = m_keyboard->keyCodeOf('z');
        const int y = m_keyboard->keyCodeOf('y');
        QVERIFY(setXkbLayouts(QStringLiteral("us,ru")));
        QCOMPARE(at, 0x651);
        QCOMPARE(euro, 0x645);
        QCOMPARE(z, 0x5A);
        QCOMPARE(y, 0x59);
        QCOMPARE(int(m_keyboard->keyCodeOf('@')), 0x132);
    }

    void numLockStateIsTheServers()
    {
        QCOMPARE(m_keyboard->keyState(0x90) & KeyboardDriver::KeyToggled, 0);
        KeyboardDriver::KeyboardState state = m_keyboard->keyboardState();
        state[0x90] |= KeyboardDriver::KeyToggled;
        m_keyboard->setKeyboardState(state);
        QVERIFY(serverState().locked_mods & Mod2Mask);
        QCOMPARE(m_keyboard->keyState(0x90) & KeyboardDriver::KeyToggled,
                 KeyboardDriver::KeyToggled);
        QVERIFY(!(serverState().locked_mods & LockMask));
        state[0x90] = 0;
        m_keyboard->setKeyboardState(state);
        QVERIFY(!(serverState().locked_mods & Mod2Mask));
    }

    void keyEventsReachTheServer()
    {
        m_keyboard->keyEvent(0x10, 0x2A, 0);
        QCOMPARE(m_keyboard->keyState(0x10) & KeyboardDriver::KeyDown, KeyboardDriver::KeyDown);
        QVERIFY(serverState().mods & ShiftMask);
        m_keyboard->keyEvent(0x10, 0x2A, KeyboardDriver::KeyUp);
        QCOMPARE(m_keyboard->keyState(0x10) & KeyboardDriver::KeyDown, 0);
        QVERIFY(!(serverState().mods & ShiftMask));
    }

    void scanCodesArePcScanCodes()
    {
        QCOMPARE(m_keyboard->scanCodeOf(0x72), 0x3Du);
        QCOMPARE(m_keyboard->scanCodeOf(0x25), 0x4Bu);
        QCOMPARE(m_keyboard->scanCodeOf(0x11), 0x1Du);
    }

    void layoutNameFollowsTheGroup()
    {
        QCOMPARE(m_layouts->groupLayouts(),
                 (QStringList{QStringLiteral("us"), QStringLiteral("ru")}));
        QCOMPARE(m_layouts->activeLayout(), QStringLiteral("00000409"));
        lockGroup(1);
        QCOMPARE(m_layouts->activeLayout(), QStringLiteral("00000419"));
        lockGroup(0);
        QCOMPARE(m_layouts->activeLayout(), QStringLiteral("00000409"));
    }

    void activatingLocksTheGroup_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("to");
        QTest::newRow("russian") << 0 << QStringLiteral("00000419") << true << 1;
        QTest::newRow("english") << 1 << QStringLiteral("00000409") << true << 0;
        QTest::newRow("already active") << 1 << QStringLiteral("00000419") << true << 1;
        QTest::newRow("german not installed") << 1 << QStringLiteral("00000407") << false << 1;
        QTest::newRow("empty name") << 0 << QString() << false << 0;
    }

    void activatingLocksTheGroup()
    {
        QFETCH(int, from);
        QFETCH(QString, name);
        QFETCH(bool, found);
        QFETCH(int, to);
        lockGroup(from);
        QCOMPARE(m_layouts->activateLayout(name), found);
        QCOMPARE(int(serverState().locked_group), to);
    }

    void cleanupTestCase()
    {
        if (m_probe)
            lockGroup(0);
    }
};

QTEST_MAIN(TestX11Keyboard)
#include "tst_x11keyboard.moc"
