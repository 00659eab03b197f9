#include "platform/richedit/SlicedText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTextDocument>
#include <QTimer>

#include <chrono>
#include <future>

namespace {

// About a millisecond's worth of QTextDocument's work: small enough for the
// slices to end in time, big enough for the pieces to cost nothing more.
constexpr qsizetype kPieceChars = 32 * 1024;

} // namespace

namespace slices {

void run(const std::function<bool()> &step, const std::function<void()> &turn)
{
    // What went before the work may have kept the event loop waiting.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer clock;
    clock.start();
    while (step()) {
        if (clock.elapsed() < kMilliseconds)
            continue;
        if (turn)
            turn();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        clock.restart();
    }
}

void runAside(const std::function<void()> &job)
{
    auto done = std::async(std::launch::async, job);
    run([&] { return done.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready; });
    done.get();
}

void forEachPiece(QStringView text, const std::function<void(QStringView)> &take,
                  const std::function<void(int)> &turn)
{
    qsizetype at = 0;
    run(
        [&] {
            if (at == text.size())
                return false;
            qsizetype to = std::min(text.size(), at + kPieceChars);
            if (to < text.size() && text[to].isLowSurrogate())
                ++to;
            take(text.sliced(at, to - at));
            at = to;
            return true;
        },
        [&] { turn(int(at * 100 / text.size())); });
}

} // namespace slices

TextFill::TextFill(QTextDocument &doc, std::unique_ptr<TextSource> source, QObject *parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_end(&doc)
    , m_timer(new QTimer(this))
{
    m_end.movePosition(QTextCursor::End);
    m_timer->setSingleShot(true);
    // Not 0: the event loop would run the next slice before the window
    // system's events that came during this one.
    m_timer->setInterval(1);
    connect(m_timer, &QTimer::timeout, this, &TextFill::slice);
}

bool TextFill::appendSlice(int milliseconds)
{
    // One change for the whole slice: the views showing the document take
    // a millisecond over every change.
    m_end.beginEditBlock();
    const auto changed = qScopeGuard([this] { m_end.endEditBlock(); });
    QElapsedTimer clock;
    clock.start();
    do {
        const QString piece = m_source->next();
        if (piece.isEmpty()) {
            m_complete = true;
            return false;
        }
        m_end.insertText(piece);
    } while (clock.elapsed() < milliseconds);
    return true;
}

void TextFill::runToEnd()
{
    while (appendSlice()) {
    }
    finish();
}

void TextFill::start()
{
    m_timer->start();
}

void TextFill::stop()
{
    if (m_timer->isActive())
        finish();
}

void TextFill::slice()
{
    // What follows the end gets a turn of its own.
    if (m_complete) {
        finish();
        return;
    }
    appendSlice();
    Q_EMIT progress(m_source->percentGiven());
    m_timer->start();
}

void TextFill::finish()
{
    m_timer->stop();
    Q_EMIT finished();
}
