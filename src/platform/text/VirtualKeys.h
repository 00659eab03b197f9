#pragma once

#include <QtGlobal>

class QKeyEvent;

// Windows virtual-key codes, the currency of key events and key sequences,
// and the PC keyboard's scan codes (set 1), which are also the Linux input
// layer's key codes for the keys that have both.
namespace vk {

constexpr int Cancel = 0x03; // Break
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Clear = 0x0C;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12; // Alt
constexpr int Pause = 0x13;
constexpr int Capital = 0x14;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21;
constexpr int Next = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Print = 0x2A;
constexpr int Snapshot = 0x2C; // Print Screen
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Help = 0x2F;
constexpr int F1 = 0x70;
constexpr int F24 = 0x87;
constexpr int NumLock = 0x90;
constexpr int Scroll = 0x91;
// Punctuation keys, named after what they give on a US keyboard.
constexpr int OemSemicolon = 0xBA;
constexpr int OemPlus = 0xBB;
constexpr int OemComma = 0xBC;
constexpr int OemMinus = 0xBD;
constexpr int OemPeriod = 0xBE;
constexpr int OemSlash = 0xBF;
constexpr int OemGrave = 0xC0;
constexpr int OemBracketLeft = 0xDB;
constexpr int OemBackslash = 0xDC;
constexpr int OemBracketRight = 0xDD;
constexpr int OemQuote = 0xDE;
constexpr int Oem102 = 0xE2; // the extra key beside left Shift on ISO keyboards

// The virtual key of a Qt key code, 0 when there is none.
int fromQtKey(int qtKey);

// The virtual key of a PC scan code, 0 when there is none.
int fromScanCode(int scanCode);

// The PC scan code of a virtual key, 0 when there is none.
int toScanCode(int virtualKey);

// The Linux input layer's key code of a PC scan code and back, 0 when there
// is none.
int toLinuxKeyCode(int scanCode);
int fromLinuxKeyCode(int linuxKeyCode);

// The virtual key of a key press. Where the platform reports the physical
// key, that decides, so a letter key gives the same code under every
// keyboard layout, as on Windows.
int fromKeyEvent(const QKeyEvent &event);

} // namespace vk
