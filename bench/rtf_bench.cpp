// Measures RTF reading and writing on generated formatted documents, with
// and without pictures and tables, and on the largest file of the shared
// corpus. One figure per line: name value unit.
//
//   rtf_bench [--sizes 1,20]    document sizes in MB of text

#include "BenchUtil.h"

#include "platform/richedit/Pictures.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/TextAttributes.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

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

// Writes the document as RTF and reads it back, and reports the times.
void measure(const QString &tag, const QTextDocument &doc)
{
    QByteArray rtf;
    const double writeMs =
        bench::timeMs([&] { rtf = rtf::write(doc, CharAttributes{}, QPalette()); });
    bench::report(tag + QStringLiteral("_rtf_bytes"), double(rtf.size()) / (1024 * 1024), "MB");
    bench::report(tag + QStringLiteral("_write"), writeMs, "ms");
    QTextDocument back;
    const double readMs = bench::timeMs([&] { rtf::read(rtf, back); });
    bench::report(tag + QStringLiteral("_read"), readMs, "ms");
    bench::report(tag + QStringLiteral("_read_speed"), rtf.size() / 1048.576 / readMs, "MB/s");
    if (back.toRawText() != doc.toRawText())
        bench::report(tag + QStringLiteral("_ERROR_text_differs"), back.characterCount(), "chars");
}

void run(double megabytes)
{
    QTextDocument doc;
    buildFormatted(doc, bench::mixedDocument(qsizetype(megabytes * 1024 * 1024)));
    measure(QStringLiteral("%1MB").arg(megabytes), doc);
}

// A PNG that does not compress: about 43 KB.
QByteArray noisePng(quint32 seed)
{
    QImage image(130, 110, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = rng.generate() | 0xFF000000u;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// A letter of many pages: text, and for every 20 MB of RTF 200 PNG pictures
// and 100 tables of ten rows by four cells.
void runPicturesAndTables(double megabytes)
{
    const int pictures = std::max(1, int(200 * megabytes / 20));
    const int tables = std::max(1, pictures / 2);
    const QList<QByteArray> lines =
        bench::mixedDocument(qsizetype(megabytes * 1024 * 1024 / 40)).split('\n');
    QTextDocument doc;
    QTextCursor c(&doc);
    c.beginEditBlock();
    for (int i = 0; i < pictures; ++i) {
        c.insertText(ansi::decode(lines[i % lines.size()].trimmed()));
        c.insertText(QString(QChar::ObjectReplacementCharacter),
                     *pictures::image(doc, noisePng(quint32(i)), QSizeF(1950, 1650)));
        c.insertBlock();
        if (i % 2 == 0) {
            QTextTable *table = c.insertTable(10, 4);
            for (int cell = 0; cell < 40; ++cell) {
                table->cellAt(cell / 4, cell % 4)
                    .firstCursorPosition()
                    .insertText(ansi::decode(lines[(i + cell) % lines.size()].left(30)));
            }
            c.movePosition(QTextCursor::End);
        }
    }
    for (const QByteArray &line : lines) {
        c.insertText(ansi::decode(line.trimmed()));
        c.insertBlock();
    }
    c.endEditBlock();
    measure(QStringLiteral("%1MB_%2_pictures_%3_tables").arg(megabytes).arg(pictures).arg(tables),
            doc);
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
    for (double mb : sizes) {
        run(mb);
        runPicturesAndTables(mb);
    }
    runLargestCorpusFile();
    return 0;
}
