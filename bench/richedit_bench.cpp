// Measures the rich-edit control's heavy paths on generated documents.
// Prints one figure per line: name value unit.
//
//   richedit_bench [--sizes 1,20]    document sizes in MB
//
// The shown-window lines time an action until the screen shows it: loading,
// Ctrl+End on a freshly loaded document, paging and typing at the end, select
// all and copy, a change of the window's width. The caret lines (what the
// status bar asks: selection start and length, the caret's line and where it
// starts) should grow with the size and no faster: compare 20 and 100. Run it
// under a virtual X display (xvfb-run -a) to paint as a desktop does.

#include "BenchUtil.h"

#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileIO.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

#include <limits>
#include <utility>

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

// Runs the event loop until the control's text area has been painted once
// more: what the user waits for after an action is the screen showing it.
class PaintWait : public QObject
{
public:
    explicit PaintWait(TRichEdit &edit)
        : m_edit(edit)
    {
        qApp->installEventFilter(this);
    }
    ~PaintWait() override { qApp->removeEventFilter(this); }

    // Milliseconds from the start of the action to the end of the paint
    // that follows it.
    template<typename F>
    double timeToPaint(F &&action)
    {
        return bench::timeMs([&] {
            m_painted = false;
            std::forward<F>(action)();
            QTimer timeout;
            timeout.setSingleShot(true);
            QObject::connect(&timeout, &QTimer::timeout, &m_loop, &QEventLoop::quit);
            timeout.start(kTimeoutMs);
            if (!m_painted)
                m_loop.exec();
            if (!m_painted)
                bench::report(QStringLiteral("ERROR_no_paint"), kTimeoutMs, "ms");
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The loop ends once the paint under way has been handled.
        if (event->type() == QEvent::Paint && watched == m_edit.viewport() && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(&m_loop, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static constexpr int kTimeoutMs = 600000;
    TRichEdit &m_edit;
    QEventLoop m_loop;
    bool m_painted = false;
};

// A key as the user gives it: to the widget that has the keyboard focus.
void pressKey(TRichEdit &edit, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString &text = QString())
{
    QWidget *target = QApplication::focusWidget();
    if (!target || (target != &edit && !edit.isAncestorOf(target)))
        target = &edit;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void waitUntilShown(QWidget &window)
{
    window.show();
    window.activateWindow();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
}

// The document in a shown window, as the user meets it: loading until it
// shows, Ctrl+End on a document that has just been loaded, paging and typing
// at the end, then what the status bar reads at the caret.
void shownDocument(const QString &tag, const QString &path)
{
    TRichEdit edit;
    edit.setTextLimit(std::numeric_limits<int>::max());
    edit.resize(800, 600);
    waitUntilShown(edit);
    edit.setFocus();
    PaintWait paint(edit);
    const auto name = [&](const char *what) {
        return tag + QLatin1Char('_') + QLatin1String(what);
    };
    const double before = residentMegabytes();
    // A load as the window makes it: the text goes in from the event loop,
    // which runs at least every slice.
    QEventLoop loop;
    QObject::connect(&edit, &TRichEdit::loadFinished, &loop, &QEventLoop::quit);
    QElapsedTimer slice;
    double longestTurn = 0;
    QObject::connect(&edit, &TRichEdit::workProgress, &edit, [&] {
        longestTurn = std::max(longestTurn, double(slice.nsecsElapsed()) / 1e6);
        QTimer::singleShot(0, &edit, [&] { slice.restart(); });
    });
    bench::report(name("background_load"), bench::timeMs([&] {
                      slice.start();
                      edit.startLoading(path);
                      if (edit.isLoading())
                          loop.exec();
                  }),
                  "ms");
    bench::report(name("background_load_longest_slice"), longestTurn, "ms");
    bench::report(name("load_to_first_paint"), paint.timeToPaint([&] { edit.loadFromFile(path); }),
                  "ms");
    bench::report(name("memory_after_load"), residentMegabytes() - before, "MB");
    bench::report(name("ctrl_end"),
                  paint.timeToPaint([&] { pressKey(edit, Qt::Key_End, Qt::ControlModifier); }),
                  "ms");
    bench::report(name("memory_laid_out"), residentMegabytes() - before, "MB");
    bench::report(name("page_up_from_end"),
                  paint.timeToPaint([&] { pressKey(edit, Qt::Key_PageUp); }), "ms");
    bench::report(name("page_down_to_end"),
                  paint.timeToPaint([&] { pressKey(edit, Qt::Key_PageDown); }), "ms");
    pressKey(edit, Qt::Key_End, Qt::ControlModifier);
    const int end = edit.textLength();
    bench::report(name("type_at_end"),
                  paint.timeToPaint([&] { pressKey(edit, Qt::Key_X, {}, QStringLiteral("x")); }),
                  "ms");
    if (edit.textLength() != end + 1 || edit.selStart() != end + 1)
        bench::report(name("ERROR_typing"), edit.selStart(), "pos");

    // The status bar asks these on every move of the caret: a thousand asks.
    constexpr int kAsks = 1000;
    int start = 0;
    int length = 0;
    bench::report(name("caret_selection_x1000"), bench::timeMs([&] {
                      for (int i = 0; i < kAsks; ++i) {
                          start = edit.selStart();
                          length = edit.selLength();
                      }
                  }),
                  "ms");
    int line = 0;
    int lineStart = 0;
    bench::report(name("caret_line_x1000"), bench::timeMs([&] {
                      for (int i = 0; i < kAsks; ++i) {
                          line = edit.lineFromChar(-1);
                          lineStart = edit.lineIndex(line);
                      }
                  }),
                  "ms");
    bench::report(name("line_from_end_x1000"), bench::timeMs([&] {
                      for (int i = 0; i < kAsks; ++i)
                          line = edit.lineFromChar(start);
                  }),
                  "ms");
    if (start != edit.textLength() || length != 0 || lineStart > start ||
        line != edit.document()->blockCount() - 1)
        bench::report(name("ERROR_caret_not_at_end"), start, "pos");

    const auto selectAllAndCopy = [&] {
        pressKey(edit, Qt::Key_A, Qt::ControlModifier);
        pressKey(edit, Qt::Key_C, Qt::ControlModifier);
    };
    bench::report(name("select_all_copy"), paint.timeToPaint(selectAllAndCopy), "ms");
    if (edit.selLength() != edit.textLength())
        bench::report(name("ERROR_select_all"), edit.selLength(), "chars");
    // Another MDI window activated changes the window's width by a few pixels.
    bench::report(name("width_change"), paint.timeToPaint([&] { edit.resize(808, 600); }), "ms");
    bench::report(name("memory_after_width_change"), residentMegabytes() - before, "MB");
}

void run(double megabytes, const QString &dir)
{
    const QString tag = QStringLiteral("%1MB").arg(megabytes);
    const QByteArray bytes = bench::mixedDocument(qsizetype(megabytes * 1024 * 1024));
    const QString path = dir + QStringLiteral("/doc.txt");
    fileio::write(path, bytes);
    shownDocument(tag, path);
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
    // A blinking caret would paint on its own.
    QApplication::setCursorFlashTime(0);
    const QList<double> sizes = bench::sizesFrom(QApplication::arguments());
    QTemporaryDir dir;
    for (double mb : sizes)
        run(mb, dir.path());
    return 0;
}
