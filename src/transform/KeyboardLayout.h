#pragma once

#include <QString>

// The name of the keyboard layout active now ("00000409", "00000419"), at
// most 10 characters; empty where layouts cannot be known.
QString KeyboardLayout();

// Activates the installed layout of that name; nothing happens when there
// is none (or the name is empty, as before any layout was recorded).
void activateKeyboardLayout(const QString &name);

// The name of the layout that was active at the last key or mouse press in
// any edit window; empty until the first. Touched only from the UI thread;
// a new frame starts it empty.
extern QString LastKeyboardLayout;

// The layout active now becomes the one the user works with.
void recordKeyboardLayout();
// With one layout to be kept, a layout that became active without a key or
// mouse press in an editor gives way to the recorded one again. Before any
// press was recorded there is nothing to bring back.
void keepKeyboardLayout(bool onlyOneKeyLayout);

// Switch to the Russian and to the US English layout.
void SetRusKey();
void SetEngKey();
