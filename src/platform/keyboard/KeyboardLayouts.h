#pragma once

#include <QString>

#include <memory>

// The keyboard layouts the user switches between, named as Windows names
// them: the eight hexadecimal digits of a layout identifier, "00000409" for
// US English and "00000419" for Russian.
class KeyboardLayouts
{
public:
    virtual ~KeyboardLayouts() = default;

    // The name of the layout active now; empty when it cannot be known.
    virtual QString activeLayout() = 0;
    // Makes the installed layout of that name active; false, changing
    // nothing, when none has that name.
    virtual bool activateLayout(const QString &name) = 0;
};

// The layouts service in use; on first use the one made by
// createKeyboardLayouts().
KeyboardLayouts &keyboardLayouts();

// Installs a service (not owned); nullptr brings back the platform's.
void installKeyboardLayouts(KeyboardLayouts *layouts);

// XKB groups on X11; elsewhere a service that knows no layout.
std::unique_ptr<KeyboardLayouts> createKeyboardLayouts();

// The Windows name of an XKB layout ("ru" or "ru(phonetic)" -> "00000419").
// English layouts all count as US English. A layout without a Windows
// counterpart keeps its XKB name, so that it can still be told apart and
// activated again.
QString windowsLayoutName(const QString &xkbLayout);
