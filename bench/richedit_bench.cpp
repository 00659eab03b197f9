// Measures the rich-edit control's heavy paths on generated documents.
// Prints one figure per line: name value unit.
//
//   richedit_bench [--sizes 1,20]    document sizes in MB

#include "BenchUtil.h"

#include "platform/system/FileIO.h"
#include "platform/richedit/TRichEdit.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

namespace {

void run(double megabytes, const QString &dir)
{
    const QString tag = QStringLiteral("%1MB").arg(megabytes);
    const QByteArray bytes = bench::mixedDocument(qsizetype(megabytes * 1024 * 1024));
    const QString path = dir + QStringLiteral("/doc.txt");
    fileio::write(path, bytes);
    const QString text = QString::fromLatin1(bytes); // same length, shape and line count

    {
        QTextEdit baseline;
        baseline.resize(800, 600);
        baseline.show();
        bench::report(tag + QStringLiteral("_baseline_setPlainText"),
                      bench::timeMs([&] { baseline.document()->setPlainText(text); }), "ms");
        bench::report(tag + QStringLiteral("_baseline_toPlainText"),
                      bench::timeMs([&] { (void)baseline.document()->toPlainText(); }), "ms");
    }

    TRichEdit edit;
    edit.resize(800, 600);
    edit.show();
    bench::report(tag + QStringLiteral("_load"), bench::timeMs([&] { edit.loadFromFile(path); }),
                  "ms");
    QByteArray whole;
    bench::report(tag + QStringLiteral("_read_whole_text"),
                  bench::timeMs([&] { whole = edit.wholeText(); }), "ms");
    if (whole != bytes)
        bench::report(tag + QStringLiteral("_ERROR_text_differs"), 1, "flag");
    bench::report(tag + QStringLiteral("_write_whole_text"),
                  bench::timeMs([&] { edit.setWholeText(whole); }), "ms");
    // The control lays a new text out bit by bit in idle time; this is all
    // of that work at once, as moving the caret to the end before it is
    // done would ask for.
    bench::report(tag + QStringLiteral("_full_layout"),
                  bench::timeMs([&] { (void)edit.document()->pageCount(); }), "ms");
    bench::report(tag + QStringLiteral("_write_whole_text_after_layout"),
                  bench::timeMs([&] { edit.setWholeText(whole); }), "ms");
    (void)edit.document()->pageCount();
    const int nearEnd = edit.textLength() - 100;

    int got = 0;
    bench::report(tag + QStringLiteral("_selection_set_near_end"), bench::timeMs([&] {
                      edit.setSelStart(nearEnd);
                      edit.setSelLength(50);
                  }),
                  "ms");
    bench::report(tag + QStringLiteral("_selection_read_near_end"), bench::timeMs([&] {
                      got = edit.selStart() + edit.selLength() + int(edit.selText().size());
                  }),
                  "ms");
    if (got != nearEnd + 100)
        bench::report(tag + QStringLiteral("_ERROR_selection"), got, "pos");
    bench::report(tag + QStringLiteral("_save"),
                  bench::timeMs([&] { edit.saveToFile(dir + QStringLiteral("/out.txt")); }), "ms");
}

} // namespace

int main(int argc, char *argv[])
{
    bench::useOffscreenByDefault();
    QApplication app(argc, argv);
    const QList<double> sizes = bench::sizesFrom(QApplication::arguments());
    QTemporaryDir dir;
    for (double mb : sizes)
        run(mb, dir.path());
    return 0;
}
