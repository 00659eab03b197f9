#pragma once

#include "platform/text/FileFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A plain file's bytes and the text a document holds of them. Whatever the
// file's line breaks, the document has paragraph breaks; writing puts the
// file's own kind back.
namespace plainfile {

// The file's text in its format's charset, without a byte-order mark, with
// each line break (CR LF, lone CR, lone LF) a paragraph break ('\n') and
// 0x0B a line separator.
QString decode(QByteArrayView bytes, const FileFormat &format);

// A document's text (paragraph separators U+2029, line separators U+2028)
// as a file in the format. Characters the charset lacks become "?".
QByteArray encode(QStringView docText, const FileFormat &format);

} // namespace plainfile
