#pragma once

#include "platform/keyboard/KeyboardLayouts.h"
#include "platform/keyboard/X11Display.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

// Keyboard layouts on X11 are the groups of the XKB keymap: the active
// layout is the active group, named after the layout the keymap's rules put
// in it, and activating a layout locks the group that holds it.
class X11KeyboardLayouts : public KeyboardLayouts
{
public:
    // Null when the display cannot be opened or lacks XKB.
    static std::unique_ptr<X11KeyboardLayouts> open(const QByteArray &displayName);

    QString activeLayout() override;
    bool activateLayout(const QString &name) override;

    // The XKB layouts of the groups, in group order ("us", "ru").
    QStringList groupLayouts() const;

private:
    explicit X11KeyboardLayouts(x11::DisplayPtr display);
    int activeGroup() const;

    x11::DisplayPtr m_display;
};
