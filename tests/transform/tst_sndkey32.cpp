#include "transform/sndkey32.h"

#include "RecordingKeyboard.h"
#include "ScriptedPrompts.h"

#include <QTest>

// Traces are "virtual key:scan code:flags" per event (flags 1 extended,
// 2 key up). Keys used: Shift 10:2A, Ctrl 11:1D, Alt 12:38, F3 72:3D,
// Left 25:4B, Enter 0D:1C, Backspace 08:0E, [{ DB:1A, ]} DD:1B.
namespace {

QString repeat(const QString &events, int times)
{
    QStringList all;
    for (int i = 0; i < times; ++i)
        all.append(events);
    return all.join(QLatin1Char(' '));
}

const QString kEnter = QStringLiteral("0D:1C:0 0D:1C:2");
const QString kShiftA = QStringLiteral("10:2A:0 41:1E:0 41:1E:2 10:2A:2");

} // namespace

class TestSendKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sequencesGiveExactEvents_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        const QStringList badName{QStringLiteral("Invalid Key Name")};
        const QStringList noClose{QStringLiteral("No Close")};

        QTest::newRow("ctrl F3") << QByteArray("^{F3}")
                                 << QStringLiteral("11:1D:0 72:3D:0 72:3D:2 11:1D:2") << true
                                 << none;
        QTest::newRow("F3 twice") << QByteArray("{F3 2}")
                                  << repeat(QStringLiteral("72:3D:0 72:3D:2"), 2) << true << none;
        QTest::newRow("left 3, extended")
            << QByteArray("{LEFT 3}") << repeat(QStringLiteral("25:4B:1 25:4B:3"), 3) << true
            << none;
        QTest::newRow("names are upper-cased")
            << QByteArray("{left 2}") << repeat(QStringLiteral("25:4B:1 25:4B:3"), 2) << true
            << none;
        QTest::newRow("enter") << QByteArray("{ENTER}") << kEnter << true << none;
        QTest::newRow("tilde") << QByteArray("~") << kEnter << true << none;
        QTest::newRow("open brace")
            << QByteArray("{{}") << QStringLiteral("10:2A:0 DB:1A:0 DB:1A:2 10:2A:2") << true
            << none;
        QTest::newRow("open brace skips its third character unseen")
            << QByteArray("{{xa")
            << QStringLiteral("10:2A:0 DB:1A:0 DB:1A:2 10:2A:2 41:1E:0 41:1E:2") << true << none;
        QTest::newRow("close brace")
            << QByteArray("{}}") << QStringLiteral("10:2A:0 DD:1B:0 DD:1B:2 10:2A:2") << true
            << none;
        QTest::newRow("close brace, then x")
            << QByteArray("{}}x")
            << QStringLiteral("10:2A:0 DD:1B:0 DD:1B:2 10:2A:2 58:2D:0 58:2D:2") << true << none;
        QTest::newRow("a doubled close brace drops the name")
            << QByteArray("{F3}}") << QStringLiteral("10:2A:0 DD:1B:0 DD:1B:2 10:2A:2") << true
            << none;
        QTest::newRow("unknown name, the walk goes on")
            << QByteArray("{FOO}x") << QStringLiteral("58:2D:0 58:2D:2") << true << badName;
        QTest::newRow("empty name")
            << QByteArray("{}x") << QStringLiteral("58:2D:0 58:2D:2") << true << badName;
        QTest::newRow("bksp") << QByteArray("{BKSP}") << QStringLiteral("08:0E:0 08:0E:2") << true
                              << none;
        QTest::newRow("bs") << QByteArray("{BS}") << QStringLiteral("08:0E:0 08:0E:2") << true
                            << none;
        QTest::newRow("backspace")
            << QByteArray("{BACKSPACE}") << QStringLiteral("08:0E:0 08:0E:2") << true << none;
        QTest::newRow("left 0 sends nothing")
            << QByteArray("{LEFT 0}") << QString() << true << none;
        // "F3 " and 17 digits fill the 20 characters; the "7" after them is
        // dropped before the count is read.
        QTest::newRow("name cut to 20 characters before the split")
            << QByteArray("{F3 000000000000000027}") << repeat(QStringLiteral("72:3D:0 72:3D:2"), 2)
            << true << none;
        QTest::newRow("long name cut, then not found")
            << QByteArray("{BACKSPACEBACKSPACEBACKSPACE}") << QString() << true << badName;
        QTest::newRow("shift group never closed keeps shift down")
            << QByteArray("+(ab") << QStringLiteral("10:2A:0 41:1E:0 41:1E:2 42:30:0 42:30:2")
            << true << none;
        QTest::newRow("shift group released at its close")
            << QByteArray("+(ab)c")
            << QStringLiteral("10:2A:0 41:1E:0 41:1E:2 42:30:0 42:30:2 10:2A:2 43:2E:0 43:2E:2")
            << true << none;
        QTest::newRow("prefix lasts one key")
            << QByteArray("^ab")
            << QStringLiteral("11:1D:0 41:1E:0 41:1E:2 11:1D:2 42:30:0 42:30:2") << true << none;
        QTest::newRow("ctrl alt z releases ctrl first")
            << QByteArray("^%z")
            << QStringLiteral("11:1D:0 12:38:0 5A:2C:0 5A:2C:2 11:1D:2 12:38:2") << true << none;
        QTest::newRow("capital is shift and key") << QByteArray("A") << kShiftA << true << none;
        QTest::newRow("braced small letter is upper-cased")
            << QByteArray("{a}") << kShiftA << true << none;
        QTest::newRow("key's shift held once around repeats")
            << QByteArray("{a 3}")
            << QStringLiteral("10:2A:0 ") + repeat(QStringLiteral("41:1E:0 41:1E:2"), 3) +
                   QStringLiteral(" 10:2A:2")
            << true << none;
        QTest::newRow("prefix around a repeated key")
            << QByteArray("+{LEFT 2}")
            << QStringLiteral("10:2A:0 25:4B:1 25:4B:3 25:4B:1 25:4B:3 10:2A:2") << true << none;
        QTest::newRow("braced plus")
            << QByteArray("{+}") << QStringLiteral("10:2A:0 BB:0D:0 BB:0D:2 10:2A:2") << true
            << none;
        QTest::newRow("braced caret")
            << QByteArray("{^}") << QStringLiteral("10:2A:0 36:07:0 36:07:2 10:2A:2") << true
            << none;
        QTest::newRow("braced percent")
            << QByteArray("{%}") << QStringLiteral("10:2A:0 35:06:0 35:06:2 10:2A:2") << true
            << none;
        QTest::newRow("braced tilde")
            << QByteArray("{~}") << QStringLiteral("10:2A:0 C0:29:0 C0:29:2 10:2A:2") << true
            << none;
        QTest::newRow("braced parentheses")
            << QByteArray("{(}{)}")
            << QStringLiteral("10:2A:0 39:0A:0 39:0A:2 10:2A:2 10:2A:0 30:0B:0 30:0B:2 10:2A:2")
            << true << none;
        QTest::newRow("prefix survives a skipped group")
            << QByteArray("^{FOO}a") << QStringLiteral("11:1D:0 41:1E:0 41:1E:2 11:1D:2") << true
            << badName;
        QTest::newRow("character without a key")
            << QByteArray("a\xC6"
                          "b")
            << QStringLiteral("41:1E:0 41:1E:2 42:30:0 42:30:2") << true
            << QStringList{QStringLiteral("Invalid KeyName")};
        QTest::newRow("braced character without a key is silent")
            << QByteArray("{\xC6}") << QString() << true << none;
        QTest::newRow("print is not print screen")
            << QByteArray("{PRTSC}") << QStringLiteral("2A:00:0 2A:00:2") << true << none;
        QTest::newRow("text ends at a zero byte")
            << QByteArray("a\0b", 3) << QStringLiteral("41:1E:0 41:1E:2") << true << none;
        QTest::newRow("empty") << QByteArray() << QString() << false << none;
        QTest::newRow("starts with a zero byte")
            << QByteArray("\0a", 2) << QString() << false << none;
        QTest::newRow("no close, modifiers stay held")
            << QByteArray("a^{ENTER") << QStringLiteral("41:1E:0 41:1E:2 11:1D:0") << false
            << noClose;
        QTest::newRow("lone open brace") << QByteArray("{") << QString() << false << noClose;
        QTest::newRow("no close stops the walk")
            << QByteArray("{F3 x") << QString() << false << noClose;
    }

    void sequencesGiveExactEvents()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, trace);
        QFETCH(bool, result);
        QFETCH(QStringList, messages);
        ScriptedPrompts prompts;
        for (const QString &message : messages)
            prompts.expectMessage(message);
        RecordingKeyboard keyboard;

        QCOMPARE(SendKeys(keyboard, text, false), result);
        QCOMPARE(keyboard.trace(), trace);
        QCOMPARE(prompts.pending(), 0);
        for (const ScriptedPrompts::Record &record : prompts.log())
            QCOMPARE(record.caption, QStringLiteral("SendKeys"));
    }

    void everyKeyNameIsFound_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("virtualKey");
        const std::pair<const char *, int> names[] = {
            {"BACKSPACE", 0x08}, {"BKSP", 0x08},       {"BS", 0x08},    {"BREAK", 0x03},
            {"CAPSLOCK", 0x14},  {"CLEAR", 0x0C},      {"DEL", 0x2E},   {"DELETE", 0x2E},
            {"DOWN", 0x28},      {"END", 0x23},        {"ENTER", 0x0D}, {"ESC", 0x1B},
            {"ESCAPE", 0x1B},    {"HELP", 0x2F},       {"HOME", 0x24},  {"INS", 0x2D},
            {"LEFT", 0x25},      {"PGDN", 0x22},       {"PGUP", 0x21},  {"PRTSC", 0x2A},
            {"RIGHT", 0x27},     {"SCROLLLOCK", 0x91}, {"TAB", 0x09},   {"UP", 0x26},
        };
        for (const auto &[name, key] : names)
            QTest::newRow(name) << QByteArray(name) << key;
        for (int n = 1; n <= 16; ++n) {
            const QByteArray name = "F" + QByteArray::number(n);
            QTest::newRow(name.constData()) << name << 0x6F + n;
        }
    }

    // Only the navigation block (Page Up to Down, Insert, Delete) is sent
    // as extended keys.
    void everyKeyNameIsFound()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, virtualKey);
        RecordingKeyboard keyboard;
        QVERIFY(SendKeys(keyboard, "{" + name + "}", false));
        QCOMPARE(keyboard.events().size(), 2);
        const bool extended =
            (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
        for (const RecordingKeyboard::Event &event : keyboard.events()) {
            QCOMPARE(int(event.virtualKey), virtualKey);
            QCOMPARE(bool(event.flags & 1), extended);
        }
        QCOMPARE(keyboard.events().at(1).flags & 2, 2u);
    }

    void numLockFlipsWithoutEvents_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("trace");
        QTest::newRow("off to on") << QByteArray("{NUMLOCK}") << false << QString();
        QTest::newRow("on to off") << QByteArray("{NUMLOCK}") << true << QString();
        QTest::newRow("count ignored") << QByteArray("{NUMLOCK 5}") << true << QString();
        QTest::newRow("count 0 still flips") << QByteArray("{NUMLOCK 0}") << false << QString();
        QTest::newRow("with a prefix")
            << QByteArray("^{NUMLOCK}") << false << QStringLiteral("11:1D:0 11:1D:2");
    }

    void numLockFlipsWithoutEvents()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, before);
        QFETCH(QString, trace);
        RecordingKeyboard keyboard;
        keyboard.setNumLock(before);
        QVERIFY(SendKeys(keyboard, text, true));
        QCOMPARE(keyboard.numLock(), !before);
        QCOMPARE(keyboard.stateWrites(), 1);
        QCOMPARE(keyboard.trace(), trace);
    }

    // Only NumLock's toggle bit changes; the rest of the state goes back
    // as it was read.
    void numLockKeepsTheRestOfTheState()
    {
        RecordingKeyboard keyboard;
        KeyboardDriver::KeyboardState state{};
        state[0x14] = KeyboardDriver::KeyToggled;
        state[0x90] = KeyboardDriver::KeyDown | KeyboardDriver::KeyToggled;
        keyboard.setKeyboardState(state);
        QVERIFY(SendKeys(keyboard, "{NUMLOCK}", false));
        state[0x90] = KeyboardDriver::KeyDown;
        QVERIFY(keyboard.keyboardState() == state);
    }

    void waitDeliversAfterEveryEvent_data()
    {
        QTest::addColumn<bool>("wait");
        QTest::addColumn<QList<int>>("deliveries");
        QTest::newRow("wait") << true << QList<int>{1, 2, 3, 4};
        QTest::newRow("no wait") << false << QList<int>{};
    }

    void waitDeliversAfterEveryEvent()
    {
        QFETCH(bool, wait);
        QFETCH(QList<int>, deliveries);
        RecordingKeyboard keyboard;
        QVERIFY(SendKeys(keyboard, "^{F3}{NUMLOCK}", wait));
        QCOMPARE(keyboard.deliveries(), deliveries);
    }

    void badRepeatCountThrows_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("letters") << QByteArray("a{LEFT x}");
        QTest::newRow("empty") << QByteArray("a{LEFT }");
        QTest::newRow("trailing letter") << QByteArray("a{LEFT 3x}");
        QTest::newRow("two numbers") << QByteArray("a{LEFT 1 2}");
        QTest::newRow("negative") << QByteArray("a{LEFT -1}");
        QTest::newRow("beyond 16 bits") << QByteArray("a{LEFT 65536}");
        QTest::newRow("huge") << QByteArray("a{LEFT 99999999999999}");
    }

    // The keys before the bad count stay sent; nothing after it is.
    void badRepeatCountThrows()
    {
        QFETCH(QByteArray, text);
        RecordingKeyboard keyboard;
        QVERIFY_THROWS_EXCEPTION(RepeatCountError, SendKeys(keyboard, text + "b", false));
        QCOMPARE(keyboard.trace(), QStringLiteral("41:1E:0 41:1E:2"));
    }

    void repeatCountForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("pairs");
        QTest::newRow("plain") << QByteArray("{TAB 2}") << 2;
        QTest::newRow("leading zeros") << QByteArray("{TAB 003}") << 3;
        QTest::newRow("plus sign") << QByteArray("{TAB +2}") << 2;
        QTest::newRow("leading spaces") << QByteArray("{TAB   2}") << 2;
        QTest::newRow("largest") << QByteArray("{TAB 65535}") << 65535;
    }

    void repeatCountForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, pairs);
        RecordingKeyboard keyboard;
        QVERIFY(SendKeys(keyboard, text, false));
        QCOMPARE(keyboard.events().size(), 2 * pairs);
    }

    // Characters are looked up under the current layout, and braced ones
    // are not upper-cased beyond a to z.
    void charactersFollowTheLayout()
    {
        RecordingKeyboard keyboard;
        keyboard.setKeyCode('\xE6', 0xBA); // small zhe on the ";" key
        keyboard.setKeyCode('\xC6', 0x1BA);
        QVERIFY(SendKeys(keyboard, "{\xE6}\xC6", false));
        QCOMPARE(keyboard.trace(),
                 QStringLiteral("BA:27:0 BA:27:2 10:2A:0 BA:27:0 BA:27:2 10:2A:2"));
    }

    void altGrCharactersHoldCtrlAndAlt()
    {
        RecordingKeyboard keyboard;
        keyboard.setKeyCode('@', 0x651); // AltGr+Q on a German keyboard
        QVERIFY(SendKeys(keyboard, "@", false));
        QCOMPARE(keyboard.trace(),
                 QStringLiteral("11:1D:0 12:38:0 51:10:0 51:10:2 11:1D:2 12:38:2"));
    }

    void unavailableKeyboardSaysSoOnce()
    {
        ScriptedPrompts prompts;
        prompts.expectMessage(QStringLiteral("Synthetic keystrokes are not available here: "
                                             "sending keys needs an X11 session."));
        RecordingKeyboard keyboard;
        keyboard.setAvailable(false);
        QVERIFY(!SendKeys(keyboard, "^{F3}", true));
        QVERIFY(!SendKeys(keyboard, "abc", false));
        QVERIFY(!SendKeys(keyboard, "", false));
        QCOMPARE(prompts.log().size(), 1);
        QVERIFY(keyboard.events().isEmpty());
    }

    void installedDriverIsUsed()
    {
        RecordingKeyboard keyboard;
        installKeyboardDriver(&keyboard);
        const bool sent = SendKeys("~", true);
        installKeyboardDriver(nullptr);
        QVERIFY(sent);
        QCOMPARE(keyboard.trace(), kEnter);
        QCOMPARE(keyboard.deliveries(), (QList<int>{1, 2}));
    }

    // Offscreen there is no X server: the program's own driver refuses.
    void platformDriverOffscreenIsUnavailable()
    {
        ScriptedPrompts prompts;
        prompts.expectMessage(QStringLiteral("Synthetic keystrokes are not available here: "
                                             "sending keys needs an X11 session."));
        QVERIFY(!SendKeys("^{F3}", true));
        QVERIFY(!SendKeys("^{F3}", true));
        QCOMPARE(prompts.log().size(), 1);
    }
};

QTEST_MAIN(TestSendKeys)
#include "tst_sndkey32.moc"
