#include "transform/KeyboardLayout.h"

#include "platform/keyboard/KeyboardLayouts.h"

namespace {

constexpr int kLayoutNameLimit = 10;

} // namespace

QString LastKeyboardLayout;

QString KeyboardLayout()
{
    return keyboardLayouts().activeLayout().left(kLayoutNameLimit);
}

void activateKeyboardLayout(const QString &name)
{
    if (!name.isEmpty())
        keyboardLayouts().activateLayout(name);
}

void recordKeyboardLayout()
{
    LastKeyboardLayout = KeyboardLayout();
}

void keepKeyboardLayout(bool onlyOneKeyLayout)
{
    // The option is asked first: without it the layout is not even read.
    if (onlyOneKeyLayout && KeyboardLayout() != LastKeyboardLayout)
        activateKeyboardLayout(LastKeyboardLayout);
}

void SetRusKey()
{
    activateKeyboardLayout(QStringLiteral("00000419"));
}

void SetEngKey()
{
    activateKeyboardLayout(QStringLiteral("00000409"));
}
