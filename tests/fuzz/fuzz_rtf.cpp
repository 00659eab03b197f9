// Feeds arbitrary bytes to the RTF reader, and what it read back through the
// writer and the reader again.

#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTextDocument>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives as long as the process: fonts need it.
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument doc;
    if (!rtf::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), doc))
        return 0;
    const QByteArray written = rtf::write(doc, CharAttributes{}, QGuiApplication::palette());
    QTextDocument again;
    if (!rtf::read(written, again) || again.toRawText() != doc.toRawText())
        __builtin_trap();
    return 0;
}
