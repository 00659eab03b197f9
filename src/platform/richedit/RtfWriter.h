#pragma once

#include "platform/text/TextAttributes.h"

#include <QByteArray>

class QPalette;
class QTextDocument;

namespace rtf {

// The document as RTF in the ANSI code page: fonts, sizes, styles and
// colours of the text, alignment, indents and bullets of the paragraphs.
// Text without attributes of its own is written with `defaults`; system
// colours are written as the palette shows them now.
QByteArray write(const QTextDocument &doc, const CharAttributes &defaults, const QPalette &palette);

} // namespace rtf
