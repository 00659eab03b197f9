#pragma once

#include <QByteArray>

#include <array>

class TRichEdit;

// A byte-for-byte substitution: entry b is what byte b becomes.
using ByteTable = std::array<unsigned char, 256>;

// The table that leaves every byte as it is.
ByteTable identityTable();

// The text with every byte replaced through the table; length and line
// breaks stay as they are.
QByteArray mapBytes(QByteArray text, const ByteTable &table);

// Puts the text of a whole-text command into the document as one undoable
// step; the document counts as modified even when no byte changed. A text
// of the document's length changes only the characters that differ, each
// keeping its attributes, and the caret stays; a text of another length
// comes back unformatted with the caret at the start.
void replaceWholeText(TRichEdit &edit, QByteArrayView text);

// Runs a whole-text command on a document: its text goes out once, is
// mapped, and comes back through replaceWholeText, formatting kept.
void applyToWholeText(TRichEdit &edit, const ByteTable &table);
