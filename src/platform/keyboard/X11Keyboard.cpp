#include "platform/keyboard/X11Keyboard.h"

#include "platform/text/AnsiCodec.h"
#include "platform/text/VirtualKeys.h"
#include "platform/keyboard/X11Display.h"

#include <QCoreApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <climits>
#include <optional>

namespace {

struct KeysymKey
{
    KeySym keysym;
    int virtualKey;
};

// The keys with a virtual key of their own, besides letters, digits and
// F-keys. Where a keysym has two rows, the first gives the key's virtual key
// and the second only lets that virtual key be typed on it.
constexpr KeysymKey kKeysymKeys[] = {
    {XK_BackSpace, vk::Back},
    {XK_Tab, vk::Tab},
    {XK_Clear, vk::Clear},
    {XK_Return, vk::Return},
    {XK_Shift_L, vk::Shift},
    {XK_Shift_R, vk::Shift},
    {XK_Control_L, vk::Control},
    {XK_Control_R, vk::Control},
    {XK_Alt_L, vk::Menu},
    {XK_Alt_R, vk::Menu},
    {XK_Pause, vk::Pause},
    {XK_Break, vk::Cancel},
    {XK_Caps_Lock, vk::Capital},
    {XK_Escape, vk::Escape},
    {XK_space, vk::Space},
    {XK_Prior, vk::Prior},
    {XK_Next, vk::Next},
    {XK_End, vk::End},
    {XK_Home, vk::Home},
    {XK_Left, vk::Left},
    {XK_Up, vk::Up},
    {XK_Right, vk::Right},
    {XK_Down, vk::Down},
    {XK_Print, vk::Snapshot},
    {XK_Print, vk::Print},
    {XK_Insert, vk::Insert},
    {XK_Delete, vk::Delete},
    {XK_Help, vk::Help},
    {XK_Num_Lock, vk::NumLock},
    {XK_Scroll_Lock, vk::Scroll},
    {XK_semicolon, vk::OemSemicolon},
    {XK_equal, vk::OemPlus},
    {XK_comma, vk::OemComma},
    {XK_minus, vk::OemMinus},
    {XK_period, vk::OemPeriod},
    {XK_slash, vk::OemSlash},
    {XK_grave, vk::OemGrave},
    {XK_bracketleft, vk::OemBracketLeft},
    {XK_backslash, vk::OemBackslash},
    {XK_bracketright, vk::OemBracketRight},
    {XK_apostrophe, vk::OemQuote},
    {XK_less, vk::Oem102},
};

// X key codes are the Linux input layer's key codes plus this.
constexpr int kEvdevOffset = 8;

// The virtual key of a key that gives this keysym unshifted, 0 for none.
int virtualKeyOfKeysym(KeySym keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return 'A' + int(keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z)
        return 'A' + int(keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9)
        return '0' + int(keysym - XK_0);
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return vk::F1 + int(keysym - XK_F1);
    for (const KeysymKey &key : kKeysymKeys) {
        if (key.keysym == keysym)
            return key.virtualKey;
    }
    return 0;
}

bool keysymSendsVirtualKey(KeySym keysym, int virtualKey)
{
    if (keysym == NoSymbol)
        return false;
    if (virtualKeyOfKeysym(keysym) == virtualKey)
        return true;
    for (const KeysymKey &key : kKeysymKeys) {
        if (key.keysym == keysym && key.virtualKey == virtualKey)
            return true;
    }
    return false;
}

// Keypad keys type digits and operators too, but a character is typed on
// the main keys, as Windows does.
bool isKeypadKeysym(KeySym keysym)
{
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

} // namespace

struct X11Keyboard::Private
{
    x11::DisplayPtr display;
    int xkbEventType = 0;
    XkbDescPtr xkb = nullptr; // key types, keysyms and modifier map
    bool mapStale = true;
    int group = 0;
    unsigned lockedMods = 0;
    // Key code by virtual key for the group they were found in; -1: not yet
    // looked up.
    std::array<int, 256> keycodes{};
    int keycodesGroup = -1;

    ~Private() { freeMap(); }

    Display *dpy() const { return display.get(); }

    void freeMap()
    {
        if (xkb)
            XkbFreeKeyboard(xkb, XkbAllComponentsMask, True);
        xkb = nullptr;
    }

    // Brings the group, the locks and the keymap up to date. The state
    // request is a round trip, so every keymap change announced before it
    // is in the event queue when it returns.
    void refresh()
    {
        XkbStateRec state{};
        XkbGetState(dpy(), XkbUseCoreKbd, &state);
        group = state.group;
        lockedMods = state.locked_mods;
        while (XEventsQueued(dpy(), QueuedAlready) > 0) {
            XEvent event;
            XNextEvent(dpy(), &event);
            if (event.type == xkbEventType || event.type == MappingNotify)
                mapStale = true;
        }
        if (mapStale || !xkb) {
            freeMap();
            xkb = XkbGetMap(dpy(), XkbAllClientInfoMask, XkbUseCoreKbd);
            mapStale = false;
            keycodesGroup = -1;
        }
        if (keycodesGroup != group) {
            keycodes.fill(-1);
            keycodesGroup = group;
        }
    }

    bool hasKey(int keycode) const
    {
        return xkb && keycode >= xkb->min_key_code && keycode <= xkb->max_key_code;
    }

    // The group a key works in while the keyboard is in the active group:
    // keys with fewer groups wrap, clamp or redirect as their keymap says.
    int keyGroup(int keycode) const
    {
        const int groups = XkbKeyNumGroups(xkb, keycode);
        if (groups <= 0)
            return -1;
        if (group < groups)
            return group;
        const unsigned char info = XkbKeyGroupInfo(xkb, keycode);
        switch (XkbOutOfRangeGroupAction(info)) {
        case XkbRedirectIntoRange: {
            const int target = XkbOutOfRangeGroupNumber(info);
            return target < groups ? target : 0;
        }
        case XkbClampIntoRange:
            return groups - 1;
        default:
            return group % groups;
        }
    }

    int levels(int keycode, int keyGroup) const { return XkbKeyGroupWidth(xkb, keycode, keyGroup); }

    KeySym keysym(int keycode, int keyGroup, int level) const
    {
        if (keyGroup < 0 || level >= levels(keycode, keyGroup))
            return NoSymbol;
        return XkbKeySymEntry(xkb, keycode, level, keyGroup);
    }

    // The modifiers that hold Num Lock's lock.
    unsigned numLockMask() const
    {
        for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
            for (int g = 0; g < XkbKeyNumGroups(xkb, keycode); ++g) {
                if (keysym(keycode, g, 0) == XK_Num_Lock && xkb->map->modmap[keycode])
                    return xkb->map->modmap[keycode];
            }
        }
        return Mod2Mask;
    }

    // A key's virtual key: after what it gives unshifted in the active group,
    // else in another group (so the letter keys of a Cyrillic layout keep the
    // Latin letters' keys, as on Windows), else after its place on a PC
    // keyboard.
    int virtualKeyOf(int keycode) const
    {
        if (const int key = virtualKeyOfKeysym(keysym(keycode, keyGroup(keycode), 0)))
            return key;
        for (int g = 0; g < XkbKeyNumGroups(xkb, keycode); ++g) {
            if (const int key = virtualKeyOfKeysym(keysym(keycode, g, 0)))
                return key;
        }
        return vk::fromScanCode(vk::fromLinuxKeyCode(keycode - kEvdevOffset));
    }

    // The key that sends a virtual key: one that gives its keysym in the
    // active group, unshifted first; else in any group; else the key at the
    // virtual key's place on a PC keyboard. 0 when there is none.
    int findKeycode(int virtualKey) const
    {
        for (const bool anyGroup : {false, true}) {
            for (const bool anyLevel : {false, true}) {
                for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
                    if (keySends(keycode, virtualKey, anyGroup, anyLevel))
                        return keycode;
                }
            }
        }
        const int linuxCode = vk::toLinuxKeyCode(vk::toScanCode(virtualKey));
        return linuxCode && hasKey(linuxCode + kEvdevOffset) ? linuxCode + kEvdevOffset : 0;
    }

    bool keySends(int keycode, int virtualKey, bool anyGroup, bool anyLevel) const
    {
        const int active = keyGroup(keycode);
        for (int g = 0; g < XkbKeyNumGroups(xkb, keycode); ++g) {
            if (!anyGroup && g != active)
                continue;
            const int lastLevel = anyLevel ? levels(keycode, g) - 1 : 0;
            for (int level = 0; level <= lastLevel; ++level) {
                if (keysymSendsVirtualKey(keysym(keycode, g, level), virtualKey))
                    return true;
            }
        }
        return false;
    }

    int keycodeOf(int virtualKey)
    {
        if (!xkb || virtualKey <= 0 || virtualKey > 0xFF)
            return 0;
        int &keycode = keycodes[virtualKey];
        if (keycode < 0)
            keycode = findKeycode(virtualKey);
        return keycode;
    }

    // The shift state that reaches a level of a key, as Windows reports it:
    // Shift, Ctrl, Alt, and AltGr (any other modifier) as Ctrl+Alt. Levels
    // reached only through Caps Lock or Num Lock do not count.
    std::optional<quint16> shiftState(int keycode, int keyGroup, int level) const
    {
        if (level == 0)
            return 0;
        const XkbKeyTypePtr type = XkbKeyKeyType(xkb, keycode, keyGroup);
        const unsigned locks = LockMask | numLockMask();
        for (int i = 0; i < type->map_count; ++i) {
            const XkbKTMapEntryRec &entry = type->map[i];
            if (!entry.active || entry.level != level || (entry.mods.mask & locks))
                continue;
            const unsigned mask = entry.mods.mask;
            quint16 state = 0;
            if (mask & ShiftMask)
                state |= ShiftState;
            if (mask & ControlMask)
                state |= CtrlState;
            if (mask & Mod1Mask)
                state |= AltState;
            if (mask & ~unsigned(ShiftMask | ControlMask | Mod1Mask))
                state |= CtrlState | AltState;
            return state;
        }
        return std::nullopt;
    }

    quint16 keyCodeOf(char32_t character) const
    {
        if (!xkb)
            return NoKey;
        // Fewer modifiers win, as they do for VkKeyScan.
        quint16 found = NoKey;
        int foundLevel = INT_MAX;
        for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
            const int g = keyGroup(keycode);
            if (g < 0)
                continue;
            for (int level = 0; level < levels(keycode, g) && level < foundLevel; ++level) {
                const KeySym sym = keysym(keycode, g, level);
                if (sym == NoSymbol || isKeypadKeysym(sym) || xkb_keysym_to_utf32(sym) != character)
                    continue;
                const std::optional<quint16> state = shiftState(keycode, g, level);
                const int key = virtualKeyOf(keycode);
                if (!state || key == 0)
                    continue;
                found = quint16(*state | key);
                foundLevel = level;
            }
        }
        return found;
    }

    KeyboardState keyboardState()
    {
        refresh();
        KeyboardState state{};
        if (!xkb)
            return state;
        char keys[32] = {};
        XQueryKeymap(dpy(), keys);
        for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
            if (keys[keycode / 8] & (1 << (keycode % 8))) {
                if (const int key = virtualKeyOf(keycode))
                    state[key] |= KeyDown;
            }
        }
        if (lockedMods & LockMask)
            state[vk::Capital] |= KeyToggled;
        if (lockedMods & numLockMask())
            state[vk::NumLock] |= KeyToggled;
        return state;
    }
};

std::unique_ptr<X11Keyboard> X11Keyboard::open(const QByteArray &displayName)
{
    x11::DisplayPtr display = x11::openXkbDisplay(displayName);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor))
        return nullptr;
    int opcode = 0;
    int xkbEventBase = 0;
    int xkbErrorBase = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    XkbQueryExtension(display.get(), &opcode, &xkbEventBase, &xkbErrorBase, &major, &minor);
    // Keymap changes (setxkbmap, a new keyboard) only mark the keymap for
    // reloading; the active group is asked for when it is needed.
    const unsigned mapChanges = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(display.get(), XkbUseCoreKbd, mapChanges, mapChanges);
    // A client that grabs the server must not hold our keystrokes back.
    XTestGrabControl(display.get(), True);

    auto d = std::make_unique<Private>();
    d->display = std::move(display);
    d->xkbEventType = xkbEventBase;
    return std::unique_ptr<X11Keyboard>(new X11Keyboard(std::move(d)));
}

X11Keyboard::X11Keyboard(std::unique_ptr<Private> d)
    : d(std::move(d))
{}

X11Keyboard::~X11Keyboard() = default;

void X11Keyboard::keyEvent(quint8 virtualKey, quint8 scanCode, quint32 flags)
{
    d->refresh();
    int keycode = d->keycodeOf(virtualKey);
    if (keycode == 0) {
        const int scan = scanCode | ((flags & ExtendedKey) ? 0xE000 : 0);
        const int linuxCode = vk::toLinuxKeyCode(scan);
        if (linuxCode && d->hasKey(linuxCode + kEvdevOffset))
            keycode = linuxCode + kEvdevOffset;
    }
    if (keycode == 0)
        return;
    XTestFakeKeyEvent(d->dpy(), unsigned(keycode), (flags & KeyUp) ? False : True, CurrentTime);
    XFlush(d->dpy());
}

quint32 X11Keyboard::scanCodeOf(quint8 virtualKey)
{
    return quint32(vk::toScanCode(virtualKey)) & 0xFF;
}

quint16 X11Keyboard::keyCodeOf(char character)
{
    d->refresh();
    return d->keyCodeOf(ansi::toUnicode(static_cast<unsigned char>(character)));
}

quint8 X11Keyboard::keyState(quint8 virtualKey)
{
    return d->keyboardState()[virtualKey];
}

KeyboardDriver::KeyboardState X11Keyboard::keyboardState()
{
    return d->keyboardState();
}

void X11Keyboard::setKeyboardState(const KeyboardState &state)
{
    d->refresh();
    if (!d->xkb)
        return;
    const std::pair<int, unsigned> locks[] = {{vk::Capital, LockMask},
                                              {vk::NumLock, d->numLockMask()}};
    for (const auto &[key, mask] : locks) {
        const bool wanted = state[key] & KeyToggled;
        if (wanted != bool(d->lockedMods & mask))
            XkbLockModifiers(d->dpy(), XkbUseCoreKbd, mask, wanted ? mask : 0);
    }
    XSync(d->dpy(), False);
}

void X11Keyboard::processKeyboardEvents()
{
    // Once the server has taken our events, a round trip on the
    // application's own connection brings the key events for our windows
    // in ahead of its reply. Timers and sockets wait: only window-system
    // input is wanted here.
    XSync(d->dpy(), False);
    if (Display *application = x11::applicationDisplay())
        XSync(application, False);
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
}
