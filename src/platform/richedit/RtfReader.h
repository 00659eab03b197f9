#pragma once

#include <QByteArrayView>

class QTextDocument;

// Reading RTF into a text document: text with its fonts, sizes, styles,
// colours, alignment, indents and bullets. Whatever else RTF can hold
// (pictures, objects, headers, footnotes, styles, document information) is
// skipped; tables become tab-separated text.
//
// The reader is built for files from anywhere: it keeps no recursion per
// group, works in one pass in time and memory proportional to the input, and
// never fails on damaged content: it keeps what it could read.
namespace rtf {

// Whether the bytes are RTF at all: they start with "{\rtf" (after white
// space or a UTF-8 byte-order mark, if any).
bool isRtf(QByteArrayView bytes);

// Reads RTF into an empty document. Returns false, leaving the document
// untouched, when the bytes are not RTF.
bool read(QByteArrayView bytes, QTextDocument &doc);

} // namespace rtf
