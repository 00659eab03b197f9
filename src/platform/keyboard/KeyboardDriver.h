#pragma once

#include <QtGlobal>

#include <array>
#include <memory>

// The keyboard as the key-sequence sender sees it: synthetic key events in
// the system's input stream and the lookups that go with them, in Windows
// terms (virtual keys, PC scan codes, VkKeyScan-style key codes), so that
// the sender reads the same on every platform.
class KeyboardDriver
{
public:
    // Flags of a key event.
    static constexpr quint32 ExtendedKey = 0x1;
    static constexpr quint32 KeyUp = 0x2;

    // A key code: low byte the virtual key, high byte the shift state.
    static constexpr quint16 ShiftState = 0x100;
    static constexpr quint16 CtrlState = 0x200;
    static constexpr quint16 AltState = 0x400;
    static constexpr quint16 NoKey = 0xFFFF;

    // Per virtual key: bit 7 the key is down, bit 0 it is toggled on.
    using KeyboardState = std::array<quint8, 256>;
    static constexpr quint8 KeyDown = 0x80;
    static constexpr quint8 KeyToggled = 0x01;

    virtual ~KeyboardDriver() = default;

    // Whether keystrokes can be sent at all.
    virtual bool isAvailable() const { return true; }

    // Puts one key event into the input stream of whatever has the focus.
    virtual void keyEvent(quint8 virtualKey, quint8 scanCode, quint32 flags) = 0;
    // The PC scan code of a virtual key, 0 when it has none.
    virtual quint32 scanCodeOf(quint8 virtualKey) = 0;
    // The key and shift state that type a character of the ANSI code page
    // under the active layout; NoKey when no key types it.
    virtual quint16 keyCodeOf(char character) = 0;
    // A key's state as keyState's bits: KeyDown and KeyToggled.
    virtual quint8 keyState(quint8 virtualKey) = 0;
    virtual KeyboardState keyboardState() = 0;
    // Applies the toggle bits of the lock keys; whether a key is down
    // cannot be changed this way.
    virtual void setKeyboardState(const KeyboardState &state) = 0;
    // Delivers the key events that reached this program so far.
    virtual void processKeyboardEvents() = 0;

    // True when keystrokes can be sent; otherwise tells the user so, the
    // first time only, and returns false.
    bool checkAvailable();

private:
    bool m_unavailabilityReported = false;
};

// The driver in use; on first use the one made by createKeyboardDriver().
KeyboardDriver &keyboardDriver();

// Installs a driver (not owned); nullptr brings back the platform's.
void installKeyboardDriver(KeyboardDriver *driver);

// The driver for the platform the application runs on: XTest on X11, and
// elsewhere one that says keystrokes are not available.
std::unique_ptr<KeyboardDriver> createKeyboardDriver();
