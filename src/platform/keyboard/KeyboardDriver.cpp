#include "platform/keyboard/KeyboardDriver.h"
#include "platform/system/ServiceSlot.h"

#include "platform/keyboard/X11Display.h"
#include "platform/keyboard/X11Keyboard.h"
#include "platform/system/Prompts.h"

#include <QGuiApplication>

namespace {

// Where there is no X server to take synthetic keystrokes (offscreen,
// Wayland), every call is refused and nothing is sent.
class UnavailableKeyboard : public KeyboardDriver
{
public:
    bool isAvailable() const override { return false; }
    void keyEvent(quint8, quint8, quint32) override {}
    quint32 scanCodeOf(quint8) override { return 0; }
    quint16 keyCodeOf(char) override { return NoKey; }
    quint8 keyState(quint8) override { return 0; }
    KeyboardState keyboardState() override { return {}; }
    void setKeyboardState(const KeyboardState &) override {}
    void processKeyboardEvents() override {}
};

ServiceSlot<KeyboardDriver> &slot()
{
    static ServiceSlot<KeyboardDriver> s(createKeyboardDriver);
    return s;
}

} // namespace

bool KeyboardDriver::checkAvailable()
{
    if (isAvailable())
        return true;
    if (!m_unavailabilityReported) {
        m_unavailabilityReported = true;
        prompts().message({QCoreApplication::translate(
                               "KeyboardDriver", "Synthetic keystrokes are not available here: "
                                                 "sending keys needs an X11 session."),
                           {},
                           Prompts::Icon::Warning,
                           Prompts::Buttons::Ok});
    }
    return false;
}

KeyboardDriver &keyboardDriver()
{
    return slot().get();
}

void installKeyboardDriver(KeyboardDriver *driver)
{
    slot().install(driver);
}

std::unique_ptr<KeyboardDriver> createKeyboardDriver()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto keyboard = X11Keyboard::open(x11::applicationDisplayName()))
            return keyboard;
    }
    return std::make_unique<UnavailableKeyboard>();
}
