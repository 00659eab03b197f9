#include "transform/KeyboardLayout.h"

#include "platform/keyboard/KeyboardLayouts.h"

namespace {

constexpr int kLayoutNameLimit = 10;

} // namespace

QString KeyboardLayout()
{
    return keyboardLayouts().activeLayout().left(kLayoutNameLimit);
}

void activateKeyboardLayout(const QString &name)
{
    if (!name.isEmpty())
        keyboardLayouts().activateLayout(name);
}

void SetRusKey()
{
    activateKeyboardLayout(QStringLiteral("00000419"));
}

void SetEngKey()
{
    activateKeyboardLayout(QStringLiteral("00000409"));
}
