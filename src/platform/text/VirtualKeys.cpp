#include "platform/text/VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>

namespace vk {
namespace {

struct Key
{
    int virtualKey;
    int scanCode; // 0: none, 0xE0xx: extended
    int qtKey;    // 0: none
};

constexpr int kNoQtKey = 0;

// Keys whose virtual key differs from their Qt key code. Letters and digits
// are mapped by their character, F-keys by their number.
constexpr auto kKeys = std::to_array<Key>({
    {Back, 0x0E, Qt::Key_Backspace},    {Tab, 0x0F, Qt::Key_Tab},
    {Tab, 0, Qt::Key_Backtab},          {Clear, 0x4C, Qt::Key_Clear},
    {Return, 0x1C, Qt::Key_Return},     {Return, 0xE01C, Qt::Key_Enter},
    {Shift, 0x2A, Qt::Key_Shift},       {Control, 0x1D, Qt::Key_Control},
    {Menu, 0x38, Qt::Key_Alt},          {Menu, 0xE038, Qt::Key_AltGr},
    {Pause, 0, Qt::Key_Pause},          {Capital, 0x3A, Qt::Key_CapsLock},
    {Escape, 0x01, Qt::Key_Escape},     {Space, 0x39, Qt::Key_Space},
    {Prior, 0xE049, Qt::Key_PageUp},    {Next, 0xE051, Qt::Key_PageDown},
    {End, 0xE04F, Qt::Key_End},         {Home, 0xE047, Qt::Key_Home},
    {Left, 0xE04B, Qt::Key_Left},       {Up, 0xE048, Qt::Key_Up},
    {Right, 0xE04D, Qt::Key_Right},     {Down, 0xE050, Qt::Key_Down},
    {Snapshot, 0xE037, Qt::Key_Print},  {Insert, 0xE052, Qt::Key_Insert},
    {Delete, 0xE053, Qt::Key_Delete},   {Help, 0, Qt::Key_Help},
    {NumLock, 0x45, Qt::Key_NumLock},   {Scroll, 0x46, Qt::Key_ScrollLock},
    {0x5B, 0xE05B, Qt::Key_Meta}, // left Windows key
    {0x5D, 0xE05D, Qt::Key_Menu}, // application key
    {0xBA, 0x27, Qt::Key_Semicolon},    {0xBA, 0, Qt::Key_Colon},
    {0xBB, 0x0D, Qt::Key_Equal},        {0xBB, 0, Qt::Key_Plus},
    {0xBC, 0x33, Qt::Key_Comma},        {0xBC, 0, Qt::Key_Less},
    {0xBD, 0x0C, Qt::Key_Minus},        {0xBD, 0, Qt::Key_Underscore},
    {0xBE, 0x34, Qt::Key_Period},       {0xBE, 0, Qt::Key_Greater},
    {0xBF, 0x35, Qt::Key_Slash},        {0xBF, 0, Qt::Key_Question},
    {0xC0, 0x29, Qt::Key_QuoteLeft},    {0xC0, 0, Qt::Key_AsciiTilde},
    {0xDB, 0x1A, Qt::Key_BracketLeft},  {0xDC, 0x2B, Qt::Key_Backslash},
    {0xDD, 0x1B, Qt::Key_BracketRight}, {0xDE, 0x28, Qt::Key_Apostrophe},
    {Oem102, 0x56, kNoQtKey},           {Cancel, 0xE046, kNoQtKey},
});

// Scan codes of the letter and digit keys, in the order of their virtual keys.
constexpr std::array<int, 26> kLetterScanCodes = {
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C,
};
constexpr std::array<int, 10> kDigitScanCodes = {0x0B, 0x02, 0x03, 0x04, 0x05,
                                                 0x06, 0x07, 0x08, 0x09, 0x0A};
// F1 to F24.
constexpr std::array<int, 24> kFunctionScanCodes = {
    0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58,
    0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76,
};

// The Linux input layer numbers the classic keys by their scan code; the
// extended keys and F13 to F24 have codes of their own.
constexpr int kLastClassicScanCode = 0x58;
constexpr int kClassicFunctionKeys = 12;
constexpr int kLinuxF13 = 183;
constexpr std::array<std::pair<int, int>, 17> kLinuxExtended = {{
    {98, 0xE035},
    {99, 0xE037},
    {125, 0xE05B},
    {127, 0xE05D},
    {96, 0xE01C},
    {97, 0xE01D},
    {100, 0xE038},
    {102, 0xE047},
    {103, 0xE048},
    {104, 0xE049},
    {105, 0xE04B},
    {106, 0xE04D},
    {107, 0xE04F},
    {108, 0xE050},
    {109, 0xE051},
    {110, 0xE052},
    {111, 0xE053},
}};

} // namespace

int fromQtKey(int qtKey)
{
    if (qtKey == kNoQtKey)
        return 0;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return F1 + (qtKey - Qt::Key_F1);
    for (const Key &k : kKeys) {
        if (k.qtKey == qtKey)
            return k.virtualKey;
    }
    return 0;
}

int fromScanCode(int scanCode)
{
    if (scanCode <= 0)
        return 0;
    for (int i = 0; i < 26; ++i) {
        if (kLetterScanCodes[i] == scanCode)
            return 'A' + i;
    }
    for (int i = 0; i < 10; ++i) {
        if (kDigitScanCodes[i] == scanCode)
            return '0' + i;
    }
    for (int i = 0; i < int(kFunctionScanCodes.size()); ++i) {
        if (kFunctionScanCodes[i] == scanCode)
            return F1 + i;
    }
    for (const Key &k : kKeys) {
        if (k.scanCode == scanCode)
            return k.virtualKey;
    }
    return 0;
}

int toScanCode(int virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return kLetterScanCodes[virtualKey - 'A'];
    if (virtualKey >= '0' && virtualKey <= '9')
        return kDigitScanCodes[virtualKey - '0'];
    if (virtualKey >= F1 && virtualKey <= F24)
        return kFunctionScanCodes[virtualKey - F1];
    for (const Key &k : kKeys) {
        if (k.virtualKey == virtualKey && k.scanCode != 0)
            return k.scanCode;
    }
    return 0;
}

int toLinuxKeyCode(int scanCode)
{
    if (scanCode > 0 && scanCode <= kLastClassicScanCode)
        return scanCode;
    for (int i = kClassicFunctionKeys; i < int(kFunctionScanCodes.size()); ++i) {
        if (kFunctionScanCodes[i] == scanCode)
            return kLinuxF13 + (i - kClassicFunctionKeys);
    }
    for (const auto &[code, extended] : kLinuxExtended) {
        if (extended == scanCode)
            return code;
    }
    return 0;
}

int fromLinuxKeyCode(int linuxKeyCode)
{
    if (linuxKeyCode > 0 && linuxKeyCode <= kLastClassicScanCode)
        return linuxKeyCode;
    const int extraFunctionKeys = int(kFunctionScanCodes.size()) - kClassicFunctionKeys;
    if (linuxKeyCode >= kLinuxF13 && linuxKeyCode < kLinuxF13 + extraFunctionKeys)
        return kFunctionScanCodes[kClassicFunctionKeys + (linuxKeyCode - kLinuxF13)];
    for (const auto &[code, extended] : kLinuxExtended) {
        if (code == linuxKeyCode)
            return extended;
    }
    return 0;
}

int fromKeyEvent(const QKeyEvent &event)
{
    // On X11 the native scan code is the X key code: the Linux input key
    // code plus 8. Keypad keys are left to the Qt key code, which knows
    // whether NumLock made them digits or movement keys.
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        !(event.modifiers() & Qt::KeypadModifier) && event.nativeScanCode() > 8) {
        if (const int key = fromScanCode(fromLinuxKeyCode(int(event.nativeScanCode()) - 8)))
            return key;
    }
    return fromQtKey(event.key());
}

} // namespace vk
