#include "transform/sndkey32.h"

#include "platform/keyboard/KeyboardDriver.h"
#include "platform/system/Prompts.h"
#include "platform/text/VirtualKeys.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <cstring>

namespace {

struct KeyName
{
    const char *name;
    quint8 virtualKey;
};

// The names a brace group may give, matched exactly after upper-casing.
// PRTSC is the Print key, not Print Screen.
constexpr auto kKeyNames = std::to_array<KeyName>({
    {"BACKSPACE", vk::Back},
    {"BKSP", vk::Back},
    {"BS", vk::Back},
    {"BREAK", vk::Cancel},
    {"CAPSLOCK", vk::Capital},
    {"CLEAR", vk::Clear},
    {"DEL", vk::Delete},
    {"DELETE", vk::Delete},
    {"DOWN", vk::Down},
    {"END", vk::End},
    {"ENTER", vk::Return},
    {"ESC", vk::Escape},
    {"ESCAPE", vk::Escape},
    {"F1", 0x70},
    {"F2", 0x71},
    {"F3", 0x72},
    {"F4", 0x73},
    {"F5", 0x74},
    {"F6", 0x75},
    {"F7", 0x76},
    {"F8", 0x77},
    {"F9", 0x78},
    {"F10", 0x79},
    {"F11", 0x7A},
    {"F12", 0x7B},
    {"F13", 0x7C},
    {"F14", 0x7D},
    {"F15", 0x7E},
    {"F16", 0x7F},
    {"HELP", vk::Help},
    {"HOME", vk::Home},
    {"INS", vk::Insert},
    {"LEFT", vk::Left},
    {"NUMLOCK", vk::NumLock},
    {"PGDN", vk::Next},
    {"PGUP", vk::Prior},
    {"PRTSC", vk::Print},
    {"RIGHT", vk::Right},
    {"SCROLLLOCK", vk::Scroll},
    {"TAB", vk::Tab},
    {"UP", vk::Up},
});

// A brace group's name is kept to this many characters, repeat count
// included; the rest up to the "}" is dropped.
constexpr int kNameLimit = 20;

// The literal braces: the keys that give them with Shift on a US keyboard.
constexpr quint16 kOpenBrace = KeyboardDriver::ShiftState | vk::OemBracketLeft;
constexpr quint16 kCloseBrace = KeyboardDriver::ShiftState | vk::OemBracketRight;

struct Modifier
{
    quint8 virtualKey;
    quint16 shiftState;
};
constexpr std::array<Modifier, 3> kModifiers = {{
    {vk::Shift, KeyboardDriver::ShiftState},
    {vk::Control, KeyboardDriver::CtrlState},
    {vk::Menu, KeyboardDriver::AltState},
}};

bool isExtendedKey(quint8 virtualKey)
{
    return (virtualKey >= vk::Prior && virtualKey <= vk::Down) || virtualKey == vk::Insert ||
           virtualKey == vk::Delete;
}

void showMessage(const char *text)
{
    prompts().message({QCoreApplication::translate("SendKeys", text),
                       QCoreApplication::translate("SendKeys", "SendKeys"), Prompts::Icon::None,
                       Prompts::Buttons::Ok});
}

// Leading spaces are allowed, as the standard conversion allows them; the
// rest must be a decimal number that fits a 16-bit count.
quint16 repeatCount(const QByteArray &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == ' ')
        ++i;
    if (i < text.size() && text.at(i) == '+')
        ++i;
    const QByteArray digits = text.mid(i);
    bool valid = !digits.isEmpty();
    quint32 count = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || count > 0xFFFF) {
            valid = false;
            break;
        }
        count = count * 10 + quint32(c - '0');
    }
    if (!valid || count > 0xFFFF)
        throw RepeatCountError("'" + text.toStdString() + "' is not a valid repeat count");
    return quint16(count);
}

class KeySender
{
public:
    KeySender(KeyboardDriver &driver, bool wait)
        : m_driver(driver)
        , m_wait(wait)
    {}

    bool send(const char *text, qsizetype length);

private:
    // Where the walk goes on after a brace group; -1 when it has no "}".
    qsizetype braceGroup(const char *text, qsizetype length, qsizetype i);

    void emitEvent(quint8 virtualKey, quint8 scanCode, quint32 flags);
    quint8 scanCodeOf(quint8 virtualKey) { return quint8(m_driver.scanCodeOf(virtualKey)); }
    void pressKey(quint8 virtualKey, quint16 count, bool release);
    void flipNumLock();
    void releaseModifier(quint8 virtualKey);
    void sendKeyCode(quint16 keyCode, quint16 count, bool release);
    void holdModifier(int index);
    void releaseHeldModifiers();
    quint16 lookUpName(const QByteArray &name);

    KeyboardDriver &m_driver;
    const bool m_wait;
    std::array<bool, 3> m_held{};
    bool m_inGroup = false;
};

void KeySender::emitEvent(quint8 virtualKey, quint8 scanCode, quint32 flags)
{
    m_driver.keyEvent(virtualKey, scanCode, flags);
    if (m_wait)
        m_driver.processKeyboardEvents();
}

void KeySender::pressKey(quint8 virtualKey, quint16 count, bool release)
{
    if (virtualKey == vk::NumLock) {
        flipNumLock();
        return;
    }
    const quint8 scanCode = scanCodeOf(virtualKey);
    const quint32 extended = isExtendedKey(virtualKey) ? KeyboardDriver::ExtendedKey : 0;
    for (quint16 n = 0; n < count; ++n) {
        emitEvent(virtualKey, scanCode, extended);
        if (release)
            emitEvent(virtualKey, scanCode, extended | KeyboardDriver::KeyUp);
    }
}

// NumLock changes its lock state directly; no key event is sent.
void KeySender::flipNumLock()
{
    const bool on = m_driver.keyState(vk::NumLock) & KeyboardDriver::KeyToggled;
    KeyboardDriver::KeyboardState state = m_driver.keyboardState();
    if (on)
        state[vk::NumLock] &= quint8(~KeyboardDriver::KeyToggled);
    else
        state[vk::NumLock] |= KeyboardDriver::KeyToggled;
    m_driver.setKeyboardState(state);
}

void KeySender::releaseModifier(quint8 virtualKey)
{
    emitEvent(virtualKey, scanCodeOf(virtualKey), KeyboardDriver::KeyUp);
}

// The key's own modifiers are held once around all its repetitions.
void KeySender::sendKeyCode(quint16 keyCode, quint16 count, bool release)
{
    for (const Modifier &modifier : kModifiers) {
        if (keyCode & modifier.shiftState)
            pressKey(modifier.virtualKey, 1, false);
    }
    pressKey(quint8(keyCode & 0xFF), count, release);
    for (const Modifier &modifier : kModifiers) {
        if (keyCode & modifier.shiftState)
            releaseModifier(modifier.virtualKey);
    }
}

void KeySender::holdModifier(int index)
{
    m_held[index] = true;
    pressKey(kModifiers[index].virtualKey, 1, false);
}

// A prefix lasts for one key, or up to the ")" of a group.
void KeySender::releaseHeldModifiers()
{
    if (m_inGroup)
        return;
    for (int i = 0; i < int(kModifiers.size()); ++i) {
        if (m_held[i])
            releaseModifier(kModifiers[i].virtualKey);
    }
    m_held.fill(false);
}

quint16 KeySender::lookUpName(const QByteArray &name)
{
    for (const KeyName &key : kKeyNames) {
        if (name == key.name)
            return key.virtualKey;
    }
    showMessage(QT_TRANSLATE_NOOP("SendKeys", "Invalid Key Name"));
    return KeyboardDriver::NoKey;
}

qsizetype KeySender::braceGroup(const char *text, qsizetype length, qsizetype i)
{
    if (i + 1 < length && text[i + 1] == '{') {
        // "{{}": the third character is taken as the closing brace unseen.
        sendKeyCode(kOpenBrace, 1, true);
        releaseHeldModifiers();
        return i + 3;
    }
    QByteArray name;
    qsizetype j = i + 1;
    for (; j < length && text[j] != '}'; ++j) {
        if (name.size() < kNameLimit) {
            const char c = text[j];
            name.append(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
        }
    }
    if (j >= length) {
        showMessage(QT_TRANSLATE_NOOP("SendKeys", "No Close"));
        return -1;
    }
    ++j;
    if (j < length && text[j] == '}') {
        // "{}}" is a literal "}", whatever stood between the first two.
        sendKeyCode(kCloseBrace, 1, true);
        releaseHeldModifiers();
        return j + 1;
    }
    quint16 count = 1;
    if (const qsizetype space = name.indexOf(' '); space >= 0) {
        count = repeatCount(name.mid(space + 1));
        name.truncate(space);
    }
    // A single character is typed as itself; a missing key says nothing.
    const quint16 keyCode = name.size() == 1 ? m_driver.keyCodeOf(name.at(0)) : lookUpName(name);
    if (keyCode != KeyboardDriver::NoKey) {
        sendKeyCode(keyCode, count, true);
        releaseHeldModifiers();
    }
    return j;
}

bool KeySender::send(const char *text, qsizetype length)
{
    qsizetype i = 0;
    while (i < length) {
        switch (const char c = text[i]) {
        case '+':
            holdModifier(0);
            ++i;
            break;
        case '^':
            holdModifier(1);
            ++i;
            break;
        case '%':
            holdModifier(2);
            ++i;
            break;
        case '(':
            m_inGroup = true;
            ++i;
            break;
        case ')':
            m_inGroup = false;
            releaseHeldModifiers();
            ++i;
            break;
        case '~':
            pressKey(vk::Return, 1, true);
            releaseHeldModifiers();
            ++i;
            break;
        case '{':
            i = braceGroup(text, length, i);
            if (i < 0)
                return false;
            break;
        default:
            if (const quint16 keyCode = m_driver.keyCodeOf(c); keyCode == KeyboardDriver::NoKey) {
                showMessage(QT_TRANSLATE_NOOP("SendKeys", "Invalid KeyName"));
            } else {
                sendKeyCode(keyCode, 1, true);
                releaseHeldModifiers();
            }
            ++i;
            break;
        }
    }
    releaseHeldModifiers();
    return true;
}

} // namespace

bool SendKeys(const QByteArray &text, bool wait)
{
    return SendKeys(keyboardDriver(), text, wait);
}

bool SendKeys(KeyboardDriver &driver, const QByteArray &text, bool wait)
{
    const qsizetype length = qsizetype(std::strlen(text.constData()));
    if (length == 0)
        return false;
    if (!driver.checkAvailable())
        return false;
    return KeySender(driver, wait).send(text.constData(), length);
}
