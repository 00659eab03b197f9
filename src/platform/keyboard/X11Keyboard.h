#pragma once

#include "platform/keyboard/KeyboardDriver.h"

#include <QByteArray>

#include <memory>

// Synthetic keystrokes on an X server through the XTest extension. Windows
// virtual keys are found on the keys of the current XKB keymap by the
// keysyms they carry, and characters are looked up in the active XKB group,
// so that what is typed follows the layout the user has switched to.
class X11Keyboard : public KeyboardDriver
{
public:
    // Null when the display cannot be opened or lacks XKB or XTest.
    static std::unique_ptr<X11Keyboard> open(const QByteArray &displayName);
    ~X11Keyboard() override;

    void keyEvent(quint8 virtualKey, quint8 scanCode, quint32 flags) override;
    quint32 scanCodeOf(quint8 virtualKey) override;
    quint16 keyCodeOf(char character) override;
    quint8 keyState(quint8 virtualKey) override;
    KeyboardState keyboardState() override;
    void setKeyboardState(const KeyboardState &state) override;
    void processKeyboardEvents() override;

private:
    struct Private;
    explicit X11Keyboard(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};
