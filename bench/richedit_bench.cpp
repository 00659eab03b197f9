// Measures the rich-edit control's heavy paths on generated documents.
// Prints one figure per line: name value unit.
//
//   richedit_bench [--sizes 1,20]    document sizes in MB
//
// The caret lines (Ctrl+End on a freshly loaded document, then what the
// status bar asks: selection start and length, the caret's line and where
// it starts) should grow with the size and no faster: compare 20 and 100.

#include "BenchUtil.h"

#include "platform/system/FileIO.h"
#include "platform/richedit/TRichEdit.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <unistd.h>

namespace {

// Resident memory of the process.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const qint64 pages = statm.readAll().split(' ').value(1).toLongLong();
    return double(pages) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Ctrl+End as the user gives it, on a document that has just been loaded
// and is not laid out yet, then what the status bar reads at the caret.
void caretToEnd(const QString &tag, const QString &path)
{
    TRichEdit edit;
    edit.resize(800, 600);
    edit.show();
    const double before = residentMegabytes();
    edit.loadFromFile(path);
    bench::report(tag + QStringLiteral("_memory_of_document"), residentMegabytes() - before, "MB");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    bench::report(tag + QStringLiteral("_ctrl_end"),
                  bench::timeMs([&] { QApplication::sendEvent(&edit, &press); }), "ms");
    bench::report(tag + QStringLiteral("_memory_laid_out"), residentMegabytes() - before, "MB");
    // The status bar asks these on every move of the caret: a thousand asks.
    constexpr int kAsks = 1000;
    int start = 0;
    int length = 0;
    bench::report(tag + QStringLiteral("_caret_selection_x1000"), bench::timeMs([&] {
                      for (int i = 0; i < kAsks; ++i) {
                          start = edit.selStart();
                          length = edit.selLength();
                      }
                  }),
                  "ms");
    int line = 0;
    int lineStart = 0;
    bench::report(tag + QStringLiteral("_caret_line_x1000"), bench::timeMs([&] {
                      for (int i = 0; i < kAsks; ++i) {
                          line = edit.lineFromChar(-1);
                          lineStart = edit.lineIndex(line);
                      }
                  }),
                  "ms");
    bench::report(tag + QStringLiteral("_line_from_end_x1000"), bench::timeMs([&] {
                      for (int i = 0; i < kAsks; ++i)
                          line = edit.lineFromChar(start);
                  }),
                  "ms");
    if (start != edit.textLength() || length != 0 || lineStart > start ||
        line != edit.document()->blockCount() - 1)
        bench::report(tag + QStringLiteral("_ERROR_caret_not_at_end"), start, "pos");
}

void run(double megabytes, const QString &dir)
{
    const QString tag = QStringLiteral("%1MB").arg(megabytes);
    const QByteArray bytes = bench::mixedDocument(qsizetype(megabytes * 1024 * 1024));
    const QString path = dir + QStringLiteral("/doc.txt");
    fileio::write(path, bytes);
    caretToEnd(tag, path);
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
