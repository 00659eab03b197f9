#pragma once

class QLocale;

// The interface in the user's language. English is the language of the
// source texts and needs no translation; for the others the program brings
// its own translation and takes Qt's of its standard dialogs and buttons.
namespace translations {

// Installs both translations for the locale's languages on the running
// application; returns whether the program has one of its own for them.
bool install(const QLocale &locale);

} // namespace translations
