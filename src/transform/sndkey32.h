#pragma once

#include <QByteArray>

#include <stdexcept>

class KeyboardDriver;

// A repeat count in a key sequence that is not a number from 0 to 65535,
// as in "{LEFT x}"; it ends the sequence where it stands.
class RepeatCountError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// Types a key sequence into the system's keyboard input stream, for whatever
// window has the focus. The text is in the key-sequence language: characters
// are typed as they are; "+", "^" and "%" hold Shift, Ctrl and Alt for the
// next key or "(...)" group; "~" is Enter; braces name a key, with an
// optional repeat count: "{F3}", "{LEFT 3}", "{{}" and "{}}" for the braces
// themselves. The text is a zero-terminated byte string in the ANSI code
// page: it ends at its first zero byte.
//
// With wait set, the program's own key events are delivered after every
// keystroke, so that its key handlers run inside the call.
//
// Returns false for an empty text, an unclosed "{" and where keystrokes
// cannot be sent; true when the whole text was worked through, even if keys
// in it were unknown and skipped. Throws RepeatCountError.
bool SendKeys(const QByteArray &text, bool wait);

// The same through a given keyboard driver.
bool SendKeys(KeyboardDriver &driver, const QByteArray &text, bool wait);
