#pragma once

#include "platform/keyboard/KeyboardDriver.h"

#include <QList>
#include <QString>

#include <array>

// A keyboard for tests: records every key event instead of sending it,
// answers character lookups from a layout the test can change (a US layout
// to start with) and keeps a keyboard state of its own. Scan codes are the
// real PC ones.
class RecordingKeyboard : public KeyboardDriver
{
public:
    struct Event
    {
        quint8 virtualKey;
        quint8 scanCode;
        quint32 flags;
    };

    RecordingKeyboard();

    // The key code that types a character from now on; NoKey removes it.
    void setKeyCode(char character, quint16 keyCode);
    void setAvailable(bool available) { m_available = available; }
    void setNumLock(bool on);

    const QList<Event> &events() const { return m_events; }
    // The events as "virtual key:scan code:flags" in hex, space-separated,
    // for example "11:1D:0 72:3D:0 72:3D:2 11:1D:2".
    QString trace() const;
    // Event count when each delivery of the program's key events was asked for.
    const QList<int> &deliveries() const { return m_deliveries; }
    bool numLock() const { return m_state[0x90] & KeyToggled; }
    int stateWrites() const { return m_stateWrites; }
    void clear();

    bool isAvailable() const override { return m_available; }
    void keyEvent(quint8 virtualKey, quint8 scanCode, quint32 flags) override;
    quint32 scanCodeOf(quint8 virtualKey) override;
    quint16 keyCodeOf(char character) override;
    quint8 keyState(quint8 virtualKey) override { return m_state[virtualKey]; }
    KeyboardState keyboardState() override { return m_state; }
    void setKeyboardState(const KeyboardState &state) override;
    void processKeyboardEvents() override { m_deliveries.append(int(m_events.size())); }

private:
    std::array<quint16, 256> m_layout{};
    KeyboardState m_state{};
    QList<Event> m_events;
    QList<int> m_deliveries;
    int m_stateWrites = 0;
    bool m_available = true;
};
