#pragma once

#include "platform/richedit/SlicedText.h"
#include "platform/text/FileFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

// A plain file's bytes and the text a document holds of them. Whatever the
// file's line breaks, the document has paragraph breaks; writing puts the
// file's own kind back.
namespace plainfile {

// The longest line a document holds as one paragraph. Qt lays a paragraph
// out whole, at every change of it, in time that grows with its length; a
// longer line is held as pieces of this length, each a paragraph of its own
// (see Reader), and written back whole.
constexpr int kLongestLine = 10000;

// The file's text in its format's charset, without a byte-order mark, with
// each line break (CR LF, lone CR, lone LF) a paragraph break ('\n') and
// 0x0B a line separator.
QString decode(QByteArrayView bytes, const FileFormat &format);

// A document's text (paragraph separators U+2029, line separators U+2028)
// as a file in the format, given a piece at a time; a piece may end
// anywhere but inside a character beyond U+FFFF. Characters the charset
// lacks become "?". The paragraphs numbered in `continued` (ascending) are
// pieces of a line that goes on in the next paragraph: no line break
// follows them.
class Writer
{
public:
    Writer(const FileFormat &format, QList<int> continued);
    void add(QStringView docText);
    // The file's bytes so far; the writer starts again empty.
    QByteArray take() { return std::exchange(m_out, {}); }

private:
    FileFormat m_format;
    QByteArray m_lineBreak;
    QList<int> m_continued;
    qsizetype m_nextContinued = 0;
    int m_paragraph = 0;
    QByteArray m_out;
};

// The file's text as decode() gives it, in pieces that end at line ends,
// for a document that takes a long text a piece at a time. A line longer
// than kLongestLine characters comes as pieces of that length with a
// paragraph break after each but the last.
class Reader : public TextSource
{
public:
    Reader(QByteArray bytes, const FileFormat &format);
    QString next() override;
    int percentGiven() const override;
    // The paragraphs given so far that continue the same line of the file,
    // by number, ascending: what a Writer takes.
    const QList<int> &continued() const { return m_continued; }

private:
    // Where the piece that starts at m_at ends: after a line break near the
    // piece's length, or else at a character's start.
    qsizetype pieceEnd() const;
    // Cuts the piece's long lines; counts its paragraphs.
    QString cutLongLines(const QString &text);

    QByteArray m_bytes;
    FileFormat m_format;
    qsizetype m_at = 0;
    int m_paragraph = 0;        // paragraphs given before the current one
    qsizetype m_lineLength = 0; // characters of the current paragraph given
    QList<int> m_continued;
};

} // namespace plainfile
