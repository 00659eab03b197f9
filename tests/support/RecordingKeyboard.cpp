#include "RecordingKeyboard.h"

#include "platform/text/VirtualKeys.h"

#include <QStringList>

RecordingKeyboard::RecordingKeyboard()
{
    m_layout.fill(NoKey);
    for (char c = 'a'; c <= 'z'; ++c) {
        const quint16 key = quint16(c - 'a' + 'A');
        setKeyCode(c, key);
        setKeyCode(char(key), ShiftState | key);
    }
    const char shiftedDigits[] = ")!@#$%^&*(";
    for (int digit = 0; digit < 10; ++digit) {
        setKeyCode(char('0' + digit), quint16('0' + digit));
        setKeyCode(shiftedDigits[digit], ShiftState | quint16('0' + digit));
    }
    struct Punctuation
    {
        char plain;
        char shifted;
        quint16 key;
    };
    const Punctuation punctuation[] = {
        {'`', '~', vk::OemGrave},        {'-', '_', vk::OemMinus},
        {'=', '+', vk::OemPlus},         {'[', '{', vk::OemBracketLeft},
        {']', '}', vk::OemBracketRight}, {'\\', '|', vk::OemBackslash},
        {';', ':', vk::OemSemicolon},    {'\'', '"', vk::OemQuote},
        {',', '<', vk::OemComma},        {'.', '>', vk::OemPeriod},
        {'/', '?', vk::OemSlash},
    };
    for (const Punctuation &p : punctuation) {
        setKeyCode(p.plain, p.key);
        setKeyCode(p.shifted, ShiftState | p.key);
    }
    setKeyCode(' ', vk::Space);
    setKeyCode('\t', vk::Tab);
    setKeyCode('\r', vk::Return);
    setKeyCode('\b', vk::Back);
    setKeyCode('\x1b', vk::Escape);
}

void RecordingKeyboard::setKeyCode(char character, quint16 keyCode)
{
    m_layout[static_cast<unsigned char>(character)] = keyCode;
}

void RecordingKeyboard::setNumLock(bool on)
{
    if (on)
        m_state[vk::NumLock] |= KeyToggled;
    else
        m_state[vk::NumLock] &= quint8(~KeyToggled);
}

QString RecordingKeyboard::trace() const
{
    QStringList events;
    for (const Event &e : m_events) {
        events.append(QStringLiteral("%1:%2:%3")
                          .arg(e.virtualKey, 2, 16, QLatin1Char('0'))
                          .arg(e.scanCode, 2, 16, QLatin1Char('0'))
                          .arg(e.flags, 0, 16)
                          .toUpper());
    }
    return events.join(QLatin1Char(' '));
}

void RecordingKeyboard::clear()
{
    m_events.clear();
    m_deliveries.clear();
}

void RecordingKeyboard::keyEvent(quint8 virtualKey, quint8 scanCode, quint32 flags)
{
    m_events.append({virtualKey, scanCode, flags});
}

quint32 RecordingKeyboard::scanCodeOf(quint8 virtualKey)
{
    return quint32(vk::toScanCode(virtualKey)) & 0xFF;
}

quint16 RecordingKeyboard::keyCodeOf(char character)
{
    return m_layout[static_cast<unsigned char>(character)];
}

void RecordingKeyboard::setKeyboardState(const KeyboardState &state)
{
    m_state = state;
    ++m_stateWrites;
}
