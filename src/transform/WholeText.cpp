#include "transform/WholeText.h"

#include "platform/richedit/TRichEdit.h"

ByteTable identityTable()
{
    ByteTable table;
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    return table;
}

QByteArray mapBytes(QByteArray text, const ByteTable &table)
{
    // Taken by value so that a caller handing over its only copy has it
    // mapped in place.
    for (char &c : text)
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return text;
}

void replaceWholeText(TRichEdit &edit, QByteArrayView text)
{
    if (text.size() == edit.textLength())
        edit.rewriteText(text);
    else
        edit.setWholeText(text);
    edit.setModified(true);
}

void applyToWholeText(TRichEdit &edit, const ByteTable &table)
{
    replaceWholeText(edit, mapBytes(edit.wholeText(), table));
}
