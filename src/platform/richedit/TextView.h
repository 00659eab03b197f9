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
// A document may hold characters the code page lacks (a UTF-8 file, an RTF
// file's \u): each of their UTF-16 units is the byte kForeignByte, so that
// positions still agree with the document's.
//
// Positions map to document positions through block numbers: the view adds
// one character per paragraph break before a position, so both directions
// cost a logarithmic block lookup, never a scan of the text.
namespace textview {

constexpr char kLineSeparatorByte = '\x0b';
// SUB, ASCII's own stand-in for a character that cannot be shown. No text
// command changes it: the code-page tables and case conversions leave every
// control character as it is, and Find takes no text that holds it. So a
// command that writes the bytes back leaves those characters as they were.
constexpr char kForeignByte = '\x1a';

// The characters a document marks the start of a table cell and the end of
// a table with.
constexpr char16_t kCellStart = 0xFDD0;
constexpr char16_t kTableEnd = 0xFDD1;

// Whether the character ends a paragraph in a document's raw text: a
// paragraph separator, or the marks QTextDocument puts where a table cell
// starts and where a table ends. The view writes each as CR LF.
inline bool isBlockBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == QChar::ParagraphSeparator || u == kCellStart || u == kTableEnd;
}

// Whether the view shows the character as kForeignByte: it is not a line
// or paragraph separator and the code page lacks it, or it is SUB itself.
bool isForeign(QChar c);

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
// one paragraph break ('\n'), 0x0B a line separator.
QString decode(QByteArrayView bytes);

// Where a piece of bytes that starts at `from` ends when it is to be about
// `length` long: after the first line break (CR LF, CR or LF) from there
// on, unless that is another `length` away; never between a CR and its LF.
// `atLineEnd` tells which.
qsizetype pieceEnd(QByteArrayView bytes, qsizetype from, qsizetype length, bool &atLineEnd);

// The same for text read from a file in any encoding.
QString foldLineBreaks(QString text);

} // namespace textview
