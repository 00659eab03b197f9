#pragma once

#include <QByteArrayView>

class QTextDocument;

// Reading RTF into a text document: text with its fonts, sizes, styles,
// colours, alignment, indents and bullets, tables, PNG and JPEG pictures;
// other pictures and objects are kept as they are (see Pictures.h). Headers,
// footnotes, styles and document information are skipped; a table inside a
// table becomes text in its cell.
//
// The reader is built for files from anywhere: it keeps no recursion per
// group, works in one pass in time and memory proportional to the input, and
// never fails on damaged content: it keeps what it could read.
namespace rtf {

// Whether the bytes are RTF at all: they start with "{\rtf" (after white
// space or a UTF-8 byte-order mark, if any).
bool isRtf(QByteArrayView bytes);

// What a document read from RTF could not keep of its file.
struct Losses
{
    int nestedTables = 0; // kept as text
    int droppedParts = 0; // headers, footers, footnotes and comments: not kept

    bool operator==(const Losses &) const = default;
};

// Reads RTF into an empty document. Returns false, leaving the document
// untouched, when the bytes are not RTF.
bool read(QByteArrayView bytes, QTextDocument &doc, Losses *losses = nullptr);

} // namespace rtf
