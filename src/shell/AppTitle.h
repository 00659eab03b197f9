#pragma once

// Names the application "Scrivlet". Qt adds a display name, when one is
// set, to every window title that does not already end with it, so the
// frame would read "Scrivlet - [file] — Scrivlet" while a document is
// maximised: the name is given as the application's name only, which the
// frame's caption and the message boxes carry already.
void setApplicationTitle();
