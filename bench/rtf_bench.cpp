// Measures RTF reading and writing on generated formatted documents and on
// the largest file of the shared corpus. One figure per line: name value unit.
//
//   rtf_bench [--sizes 1,20]    document sizes in MB of text

#include "BenchUtil.h"

#include "platform/text/AnsiCodec.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/text/TextAttributes.h"

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Paragraphs of the mixed text, each run in one of a few formats, some
// paragraphs centred, indented or bulleted.
void buildFormatted(QTextDocument &doc, const QByteArray &text)
{
    const QList<CharAttributes> formats{
        {QStringLiteral("Arial"), 10, 0, 0, charset::Russian},
        {QStringLiteral("Arial"), 10, fontstyle::Bold, 0x0000FF, charset::Russian},
        {QStringLiteral("Times New Roman"), 14, fontstyle::Italic, 0x008000, charset::Russian},
        {QStringLiteral("Courier New"), 9, fontstyle::Underline, 0, charset::Ansi},
    };
    QList<QTextCharFormat> charFormats;
    for (const auto &f : formats)
        charFormats.append(textformat::toCharFormat(f, kAllCharFields, QPalette()));

    QTextCursor c(&doc);
    c.beginEditBlock();
    int n = 0;
    for (const QByteArray &line : text.split('\n')) {
        if (n > 0)
            c.insertBlock();
        QTextBlockFormat bf;
        textformat::applyParagraph(
            bf, ParaAttributes{Alignment(n % 3), Numbering::None, (n % 5) * 100, 0, 0});
        c.setBlockFormat(bf);
        const QString s = ansi::decode(line.trimmed());
        const qsizetype half = s.size() / 2;
        c.insertText(s.left(half), charFormats[n % 4]);
        c.insertText(s.mid(half), charFormats[(n + 1) % 4]);
        ++n;
    }
    c.endEditBlock();
}

void run(double megabytes)
{
    const QString tag = QStringLiteral("%1MB").arg(megabytes);
    QTextDocument doc;
    buildFormatted(doc, bench::mixedDocument(qsizetype(megabytes * 1024 * 1024)));
    QByteArray rtf;
    const double writeMs =
        bench::timeMs([&] { rtf = rtf::write(doc, CharAttributes{}, QPalette()); });
    bench::report(tag + QStringLiteral("_rtf_bytes"), double(rtf.size()) / (1024 * 1024), "MB");
    bench::report(tag + QStringLiteral("_write"), writeMs, "ms");
    QTextDocument back;
    const double readMs = bench::timeMs([&] { rtf::read(rtf, back); });
    bench::report(tag + QStringLiteral("_read"), readMs, "ms");
    bench::report(tag + QStringLiteral("_read_speed"), rtf.size() / 1048.576 / readMs, "MB/s");
    if (back.characterCount() != doc.characterCount())
        bench::report(tag + QStringLiteral("_ERROR_length_differs"), back.characterCount(),
                      "chars");
}

void runLargestCorpusFile()
{
    const QString corpus = QStringLiteral(SCRIVLET_CORPUS_DIR);
    QString largest;
    qint64 size = 0;
    QDirIterator it(corpus, {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().size() > size) {
            size = it.fileInfo().size();
            largest = it.filePath();
        }
    }
    QFile f(largest);
    if (largest.isEmpty() || !f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.readAll();
    QTextDocument doc;
    const double ms = bench::timeMs([&] { rtf::read(bytes, doc); });
    bench::report(QStringLiteral("corpus_largest_read"), ms, "ms");
    bench::report(QStringLiteral("corpus_largest_read_speed"), bytes.size() / 1048.576 / ms,
                  "MB/s");
}

} // namespace

int main(int argc, char *argv[])
{
    bench::useOffscreenByDefault();
    QGuiApplication app(argc, argv);
    const QList<double> sizes = bench::sizesFrom(QGuiApplication::arguments());
    for (double mb : sizes)
        run(mb);
    runLargestCorpusFile();
    return 0;
}
