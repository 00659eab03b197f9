#pragma once

#include <QObject>
#include <QString>
#include <QStringView>
#include <QTextCursor>

#include <functional>
#include <memory>

class QTextDocument;
class QTimer;

// Work on a long text done a slice of time at a time, so that the window
// goes on painting and answering the window system meanwhile: QTextDocument
// takes about 3 µs per paragraph it gets, 0.3 µs per character it gives.
namespace slices {

// The longest a slice runs before the event loop gets its turn.
constexpr int kMilliseconds = 20;

// Calls `step` until it returns false, and before the first slice the event
// loop without user input, between slices `turn` and then the event loop:
// what the user types or clicks waits until the work is done, and the
// caller goes on as if it had been done at once.
void run(const std::function<bool()> &step, const std::function<void()> &turn = {});

// Runs the job on a thread of its own and waits for it as run() does; what
// it throws is thrown here.
void runAside(const std::function<void()> &job);

// Hands `take` the text a piece at a time (run); no piece ends inside a
// character beyond U+FFFF. Between slices `turn` hears how much was
// handed, in percent.
void forEachPiece(QStringView text, const std::function<void(QStringView)> &take,
                  const std::function<void(int)> &turn);

} // namespace slices

// A text to put into a document, given in pieces that end at paragraph
// breaks ('\n') where there is one near.
class TextSource
{
public:
    virtual ~TextSource() = default;
    // The next piece; empty when all was given.
    virtual QString next() = 0;
    // How much of the text was given, in percent.
    virtual int percentGiven() const = 0;
};

// Appends a text to the end of a document piece by piece. Nothing else may
// change the document meanwhile.
class TextFill : public QObject
{
    Q_OBJECT

public:
    TextFill(QTextDocument &doc, std::unique_ptr<TextSource> source, QObject *parent = nullptr);

    // Appends pieces for a slice of time, one at least, as one change of
    // the document; false when the text is all in.
    bool appendSlice(int milliseconds = slices::kMilliseconds);
    // Appends all of the text now; finished() follows.
    void runToEnd();
    // Appends slices of pieces from the event loop, each followed by
    // progress(); finished() once the text is in.
    void start();
    // No more slices: the document keeps the text it has, and finished()
    // follows at once.
    void stop();
    // Whether all of the text went in.
    bool isComplete() const { return m_complete; }
    TextSource &source() const { return *m_source; }

Q_SIGNALS:
    void progress(int percent);
    void finished();

private:
    void slice();
    void finish();

    std::unique_ptr<TextSource> m_source;
    QTextCursor m_end;
    QTimer *m_timer;
    bool m_complete = false;
};
