#pragma once

#include <QString>

// The name of the keyboard layout active now ("00000409", "00000419"), at
// most 10 characters; empty where layouts cannot be known.
QString KeyboardLayout();

// Activates the installed layout of that name; nothing happens when there
// is none (or the name is empty, as before any layout was recorded).
void activateKeyboardLayout(const QString &name);

// Switch to the Russian and to the US English layout.
void SetRusKey();
void SetEngKey();
