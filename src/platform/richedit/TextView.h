#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class QTextDocument;

// The text view of a document: its text as bytes in the ANSI code page with
// every paragraph break written CR LF, and 0-based positions into those
// bytes. A line separator inside a paragraph is the single byte 0x0B. A
// table shows its cells row by row, each cell's paragraphs as lines of their
// own; a picture or object is one byte.
//
// Positions map to document positions through block numbers: the view adds
// one character per paragraph break before a position, so both directions
// cost a logarithmic block lookup, never a scan of the text.
namespace textview {

constexpr char kLineSeparatorByte = '\x0b';

// Length of the view.
int length(const QTextDocument &doc);

// View position of a document position.
int fromDocument(const QTextDocument &doc, int docPos);

// Document position of a view position. Positions past the end are clamped;
// a position between a CR and its LF is the end of that line.
int toDocument(const QTextDocument &doc, int viewPos);

// The whole document as the view shows it.
QByteArray text(const QTextDocument &doc);

// Text as the document holds it (paragraph separators U+2029, line
// separators U+2028, the marks where table cells start and end) to view
// bytes.
QByteArray encode(QStringView docText);

// View bytes to text for insertion: CR LF, lone CR and lone LF each become
// one paragraph break ('\n').
QString decode(QByteArrayView bytes);

// Text of a paragraph as the code page can hold it: characters outside it
// become "?", line separators stay.
QString fold(QStringView docText);

} // namespace textview
