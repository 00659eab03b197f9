#include "platform/richedit/TRichEdit.h"

#include "platform/richedit/EditView.h"
#include "platform/richedit/PageRenderer.h"
#include "platform/richedit/Pictures.h"
#include "platform/richedit/PlainFile.h"
#include "platform/richedit/PlainStates.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/richedit/SelectionMimeData.h"
#include "platform/richedit/SlicedText.h"
#include "platform/richedit/TextView.h"
#include "platform/system/FileIO.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/EncodingDetector.h"
#include "platform/text/SingleByteCodec.h"
#include "platform/text/WinColors.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSet>
#include <QStackedLayout>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>

#include <algorithm>

namespace {

const QString kRtfMime = QStringLiteral("text/rtf");

bool isPlainTextMime(const QString &mimeType)
{
    return mimeType == QLatin1String("text/plain") ||
           mimeType.startsWith(QLatin1String("text/plain;"));
}

// A picture: from another program by its kind, from this one as Qt's own.
bool isImageMime(const QString &mimeType)
{
    return mimeType.startsWith(QLatin1String("image/")) ||
           mimeType == QLatin1String("application/x-qt-image");
}

bool isRtfMime(const QString &mimeType)
{
    return mimeType == kRtfMime || mimeType == QLatin1String("application/rtf") ||
           mimeType == QLatin1String("text/richtext");
}

QByteArray rtfData(const QMimeData &source)
{
    for (const QString &format : source.formats()) {
        if (isRtfMime(format))
            return source.data(format);
    }
    return {};
}

// Whether some text has a character format that passes the test. A document
// keeps every format it ever had; when none of them passes, that is known
// without a look at the text.
template<typename Test>
bool usesCharFormat(const QTextDocument &doc, Test test)
{
    const QList<QTextFormat> formats = doc.allFormats();
    QSet<int> passing;
    for (int i = 0; i < formats.size(); ++i) {
        if (formats.at(i).isCharFormat() && test(formats.at(i)))
            passing.insert(i);
    }
    if (passing.isEmpty())
        return false;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (passing.contains(it.fragment().charFormatIndex()))
                return true;
        }
    }
    return false;
}

// Whether the document holds what only the rich view shows: a table, a
// picture, or a paragraph with an alignment, indents or a bullet. A document
// has few formats, and when none of them holds such attributes that is known
// without a look at the paragraphs.
bool needsRichLayout(const QTextDocument &doc)
{
    if (!doc.rootFrame()->childFrames().isEmpty() || usesCharFormat(doc, pictures::isObject))
        return true;
    const QList<QTextFormat> formats = doc.allFormats();
    QList<int> rich;
    for (int i = 0; i < formats.size(); ++i) {
        const QTextFormat &f = formats.at(i);
        if (f.isBlockFormat() && textformat::fromBlockFormat(
                                     f.toBlockFormat(), f.objectIndex() >= 0) != ParaAttributes{})
            rich.append(i);
    }
    if (rich.isEmpty())
        return false;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (rich.contains(b.blockFormatIndex()))
            return true;
    }
    return false;
}

// Whether some text has character attributes of its own.
bool hasCharAttributes(const QTextDocument &doc)
{
    return usesCharFormat(doc, [](const QTextFormat &f) { return !f.properties().isEmpty(); });
}

// A stretch of the document in which every character has one format and
// every paragraph break lies between paragraphs of one format that are in
// no list: a change inside it can be written as one replacement, paragraph
// breaks and all, and every character and paragraph keeps its format.
struct Stretch
{
    int start = 0;
    int end = 0; // one past the last character
    int formatIndex = -1;
    QTextCharFormat format;
};

// The one character format of a document whose text all has it, in
// paragraphs all of one format, without lists or tables: what a plain
// document is. Formats are shared, so the document's list of them tells.
std::optional<QTextCharFormat> soleFormat(const QTextDocument &doc)
{
    const QList<QTextFormat> formats = doc.allFormats();
    const auto count = [&](auto is) { return std::count_if(formats.begin(), formats.end(), is); };
    const auto charFormat = std::find_if(formats.begin(), formats.end(),
                                         [](const QTextFormat &f) { return f.isCharFormat(); });
    if (count([](const QTextFormat &f) { return f.isCharFormat(); }) != 1 ||
        count([](const QTextFormat &f) { return f.isBlockFormat(); }) != 1 ||
        count([](const QTextFormat &f) { return f.isListFormat(); }) != 0 ||
        !doc.rootFrame()->childFrames().isEmpty())
        return std::nullopt;
    return charFormat->toCharFormat();
}

// The document's stretches, in order. A plain document is one stretch; so
// is any run of text without attributes of its own. Paragraph breaks are
// not crossed in a document with tables, whose cells are paragraphs too.
QList<Stretch> uniformStretches(const QTextDocument &doc)
{
    if (const auto format = soleFormat(doc))
        return {{0, doc.characterCount() - 1, -1, *format}};
    const bool mayCross = doc.rootFrame()->childFrames().isEmpty();
    QList<Stretch> out;
    bool open = false; // whether the next fragment may continue the last stretch
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (open && f.charFormatIndex() == out.back().formatIndex) {
                out.back().end = f.position() + f.length();
            } else {
                out.append(
                    {f.position(), f.position() + f.length(), f.charFormatIndex(), f.charFormat()});
            }
            open = true;
        }
        const QTextBlock next = b.next();
        open = open && mayCross && next.isValid() && !b.textList() && !next.textList() &&
               next.blockFormatIndex() == b.blockFormatIndex() &&
               next.charFormatIndex() == out.back().formatIndex &&
               out.back().end == b.position() + b.length() - 1;
        if (open)
            ++out.back().end; // the paragraph break
    }
    return out;
}

// The document's text with the view's bytes written over it: each character
// whose byte differs becomes the byte's character. Null when the bytes do
// not fit: another length, or a line break that would move.
std::optional<QString> rewritten(QStringView old, QByteArrayView bytes)
{
    if (bytes.size() != old.size() + std::count_if(old.begin(), old.end(), textview::isBlockBreak))
        return std::nullopt;
    const SingleByteCodec &codec = ansi::codec();
    QString text(old.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    bool fits = true;
    // Without a branch on whether a character changed: in a Cyrillic text
    // that is as good as random.
    for (const QChar ch : old) {
        const char16_t c = ch.unicode();
        if (textview::isBlockBreak(ch)) {
            fits = fits && b[0] == '\r' && b[1] == '\n';
            *out++ = c;
            b += 2;
            continue;
        }
        const int was =
            c == QChar::LineSeparator ? textview::kLineSeparatorByte : codec.fromUnicode(c);
        const bool same = *b == (was < 0 ? textview::kForeignByte : was);
        const bool isBreak = *b == '\r' || *b == '\n' || *b == textview::kLineSeparatorByte;
        fits = fits && (same || (c != QChar::LineSeparator && !isBreak));
        *out++ = same ? c : codec.toUnicode(*b);
        ++b;
    }
    if (!fits)
        return std::nullopt;
    return text;
}

// Puts back the characters that `text` has as the foreign byte's character:
// the ones `old` has from `from` on, in their order; `from` moves past them.
void restoreForeign(QString &text, QStringView old, qsizetype &from)
{
    const QChar foreign = QLatin1Char(textview::kForeignByte);
    for (QChar &c : text) {
        if (c != foreign)
            continue;
        while (from < old.size() && !textview::isForeign(old[from]))
            ++from;
        if (from == old.size())
            return;
        c = old[from++];
    }
}

// View bytes as text (textview::decode) a piece at a time, the characters
// shown as the foreign byte put back from the document's old text.
class ViewBytesSource : public TextSource
{
public:
    ViewBytesSource(QByteArray bytes, QString old)
        : m_bytes(std::move(bytes))
        , m_old(std::move(old))
    {}

    QString next() override
    {
        if (m_at == m_bytes.size())
            return {};
        bool atLineEnd = false;
        const qsizetype end = textview::pieceEnd(m_bytes, m_at, kPieceBytes, atLineEnd);
        QString text = textview::decode(QByteArrayView(m_bytes).sliced(m_at, end - m_at));
        m_at = end;
        restoreForeign(text, m_old, m_from);
        return text;
    }

    int percentGiven() const override
    {
        return int(m_at * 100 / std::max<qsizetype>(1, m_bytes.size()));
    }

private:
    static constexpr qsizetype kPieceBytes = 32 * 1024;
    QByteArray m_bytes;
    QString m_old; // empty when the bytes hold no foreign byte
    qsizetype m_at = 0;
    qsizetype m_from = 0;
};

} // namespace

TRichEdit::TRichEdit(QWidget *parent)
    : QWidget(parent)
    , m_richView(new RichView(*this))
    , m_views(new QStackedLayout(this))
    , m_background(wincolors::kWindow)
{
    m_richView->setAcceptRichText(false);
    m_plainView = makePlainView();
    m_states = std::make_unique<PlainStates>([this] { return makePlainView(); });
    m_views->addWidget(m_richView);
    // What a screen reader calls the text area, whichever view shows it.
    m_richView->setAccessibleName(tr("Text"));
    const QFont f = font();
    m_defaults.name = f.family();
    m_defaults.size = f.pointSize() > 0 ? f.pointSize() : 10;
    adoptDocument(newDocument());
    startAfresh();
    setScrollBars(m_scrollBars);
    setAutoFillBackground(true);
    setBackgroundColor(m_background);
    applySelectionPalette();
    relayFrom(m_richView);
}

TRichEdit::~TRichEdit() = default;

// Only the view that shows the document speaks for the control.
template<class View>
void TRichEdit::relayFrom(View *view)
{
    const auto relay = [this, view](auto signal, auto handler) {
        connect(view, signal, this, [this, view, handler] {
            if (view == currentView())
                (this->*handler)();
        });
    };
    relay(&View::textChanged, &TRichEdit::textChanged);
    relay(&View::cursorPositionChanged, &TRichEdit::noteSelection);
    relay(&View::selectionChanged, &TRichEdit::noteSelection);
}

TRichEdit::PlainView *TRichEdit::makePlainView()
{
    auto *view = new PlainView(*this);
    m_views->insertWidget(0, view);
    view->setAccessibleName(tr("Text"));
    if (m_plainView) {
        // Laid out at the width of the one it stands in for, so that showing
        // it lays nothing out again.
        view->setLineWrapMode(m_plainView->lineWrapMode());
        view->setHorizontalScrollBarPolicy(m_plainView->horizontalScrollBarPolicy());
        view->setVerticalScrollBarPolicy(m_plainView->verticalScrollBarPolicy());
        view->setViewportMargins(m_margins);
        view->setTextInteractionFlags(m_plainView->textInteractionFlags());
    }
    relayFrom(view);
    m_plainViews.append(view);
    return view;
}

// Views ----------------------------------------------------------------------

template<typename F>
decltype(auto) TRichEdit::withView(F &&f) const
{
    if (showsPlainView())
        return f(*m_plainView);
    return f(*m_richView);
}

QAbstractScrollArea *TRichEdit::currentView() const
{
    return static_cast<QAbstractScrollArea *>(m_views->currentWidget());
}

bool TRichEdit::showsPlainView() const
{
    return m_views->currentWidget() == m_plainView;
}

void TRichEdit::setPlainTextMode(bool plain)
{
    const bool changed = plain != m_plainTextMode;
    m_plainTextMode = plain;
    chooseView();
    if (changed)
        Q_EMIT fileFormatChanged();
}

void TRichEdit::chooseView()
{
    const bool plain = m_plainTextMode && !needsRichLayout(*document());
    if (plain == showsPlainView())
        return;
    // The states kept are plain views of their own.
    m_states->clear();
    const QTextCursor cursor = textCursor();
    const bool overwrite = overwriteMode();
    const bool focused = currentView()->hasFocus();
    showIn(document(), plain);
    withView([&](auto &view) {
        view.setOverwriteMode(overwrite);
        view.setTextCursor(cursor);
    });
    if (focused)
        currentView()->setFocus();
}

void TRichEdit::showIn(QTextDocument *doc, bool plainView)
{
    // The views' signals speak of their own documents while this goes on.
    const QSignalBlocker quietRich(m_richView);
    const QSignalBlocker quietPlain(m_plainView);
    if (plainView) {
        m_richView->setDocument(nullptr);
        doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
        m_plainView->setDocument(doc);
    } else {
        m_plainView->setDocument(nullptr);
        // Left without a layout, the document makes the one the rich view uses.
        doc->setDocumentLayout(nullptr);
        m_richView->setDocument(doc);
    }
    pictures::prepare(*doc);
    m_views->setCurrentWidget(plainView ? static_cast<QWidget *>(m_plainView) : m_richView);
    setFocusProxy(currentView());
    applyZoom(); // the document's layout is a new one
}

QTextDocument *TRichEdit::document() const
{
    return withView([](auto &view) { return view.document(); });
}

QWidget *TRichEdit::viewport() const
{
    return currentView()->viewport();
}

QScrollBar *TRichEdit::verticalScrollBar() const
{
    return currentView()->verticalScrollBar();
}

Qt::ScrollBarPolicy TRichEdit::horizontalScrollBarPolicy() const
{
    return currentView()->horizontalScrollBarPolicy();
}

Qt::ScrollBarPolicy TRichEdit::verticalScrollBarPolicy() const
{
    return currentView()->verticalScrollBarPolicy();
}

QTextEdit::LineWrapMode TRichEdit::lineWrapMode() const
{
    return wordWrap() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap;
}

bool TRichEdit::overwriteMode() const
{
    return withView([](auto &view) { return view.overwriteMode(); });
}

void TRichEdit::setOverwriteMode(bool overwrite)
{
    withView([&](auto &view) { view.setOverwriteMode(overwrite); });
}

QTextCursor TRichEdit::textCursor() const
{
    return withView([](auto &view) { return view.textCursor(); });
}

QRect TRichEdit::cursorRect() const
{
    return withView([](auto &view) { return view.cursorRect(); });
}

void TRichEdit::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode)
{
    withView([&](auto &view) { view.moveCursor(operation, mode); });
}

void TRichEdit::cut()
{
    if (!refuseChange())
        withView([](auto &view) { view.cut(); });
}

void TRichEdit::copy()
{
    withView([](auto &view) { view.copy(); });
}

void TRichEdit::paste()
{
    if (!refuseChange())
        withView([](auto &view) { view.paste(); });
}

void TRichEdit::selectAll()
{
    withView([](auto &view) { view.selectAll(); });
}

void TRichEdit::undo()
{
    stepHistory(false);
}

void TRichEdit::redo()
{
    stepHistory(true);
}

void TRichEdit::stepHistory(bool forward)
{
    if (refuseChange())
        return;
    const QTextDocument &doc = *document();
    if (forward ? doc.isRedoAvailable() : doc.isUndoAvailable()) {
        withView([forward](auto &view) { forward ? view.redo() : view.undo(); });
        return;
    }
    // Past the document's own history lie the states whole-text writes left.
    if (PlainView *other = forward ? m_states->forward(m_plainView) : m_states->back(m_plainView))
        showPlainView(other);
}

// Text --------------------------------------------------------------------

QByteArray TRichEdit::wholeText()
{
    QTextDocument &doc = *document();
    if (doc.characterCount() < kLongText || m_work != Work::None)
        return textview::text(doc);
    QByteArray text;
    text.reserve(textLength());
    readText(Work::Reading, [&](QStringView piece) { text += textview::encode(piece); });
    return text;
}

void TRichEdit::readText(Work work, const std::function<void(QStringView)> &take)
{
    // QTextDocument gives its text at once in 2 ns a character; what is
    // made of it takes longer.
    const QString text = document()->toRawText();
    setWork(work);
    const auto done = qScopeGuard([this] { setWork(Work::None); });
    slices::forEachPiece(text, take,
                         [this, work](int percent) { Q_EMIT workProgress(work, percent); });
}

void TRichEdit::layOutLazily()
{
    // The rich view lays out an edited range at once, but a new layout bit by
    // bit: its layout starts afresh, so that a long text is laid out while
    // the user can already work. The plain view lays out only what it shows.
    if (!showsPlainView())
        document()->setTextWidth(document()->textWidth());
}

void TRichEdit::setWholeText(QByteArrayView bytes)
{
    if (refuseChange())
        return;
    if (writesAside(bytes.size())) {
        writeAside(bytes, 0, 0);
        return;
    }
    QString text = textview::decode(bytes);
    if (bytes.contains(textview::kForeignByte)) {
        qsizetype from = 0;
        restoreForeign(text, document()->toRawText(), from);
    }
    select(0, 0);
    layOutLazily();
    // The new text goes in after the old one, which is then removed from
    // under the caret: the caret stays at the start without being moved
    // there, which would make the control lay out everything up to where it
    // was.
    QTextCursor c(document());
    c.beginEditBlock();
    c.movePosition(QTextCursor::End);
    const int oldEnd = c.position();
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertText(text, QTextCharFormat());
    c.setPosition(0);
    c.setPosition(oldEnd + 1, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    if (QTextList *list = c.currentList())
        list->remove(c.block());
    c.setBlockFormat(QTextBlockFormat());
    c.setBlockCharFormat(QTextCharFormat());
    c.endEditBlock();
    select(0, 0);
}

void TRichEdit::replaceEach(const QList<qsizetype> &starts, qsizetype length,
                            QByteArrayView replacement)
{
    if (refuseChange())
        return;
    const QString text = textview::decode(replacement);
    QTextDocument &doc = *document();
    QTextCursor c(&doc);
    c.beginEditBlock();
    // From the last one back, so that the positions before stay where they
    // were.
    for (auto at = starts.crbegin(); at != starts.crend(); ++at) {
        c.setPosition(textview::toDocument(doc, int(*at)));
        c.setPosition(textview::toDocument(doc, int(*at + length)), QTextCursor::KeepAnchor);
        c.insertText(text);
    }
    c.endEditBlock();
    select(0, 0);
}

void TRichEdit::workOnText(const std::function<bool()> &step,
                           const std::function<int()> &percentDone)
{
    if (document()->characterCount() >= kLongText && m_work == Work::None) {
        runWork(Work::Changing, step, percentDone);
        return;
    }
    while (step()) {
    }
}

int TRichEdit::textLength() const
{
    return textview::length(*document());
}

void TRichEdit::rewriteText(QByteArrayView bytes)
{
    if (refuseChange())
        return;
    const int anchor = textCursor().anchor();
    const int position = textCursor().position();
    // A plain document has one format to keep: a new one has it too.
    if (writesAside(bytes.size())) {
        writeAside(bytes, anchor, position);
        return;
    }
    QTextDocument &doc = *document();
    const QString old = doc.toRawText();
    std::optional<QString> text = rewritten(old, bytes);
    if (!text) {
        setWholeText(bytes);
        return;
    }
    layOutLazily();
    QTextCursor c(&doc);
    c.beginEditBlock();
    for (const Stretch &s : uniformStretches(doc)) {
        int first = s.start;
        while (first < s.end && old[first] == text->at(first))
            ++first;
        if (first == s.end)
            continue;
        int last = s.end - 1;
        while (old[last] == text->at(last))
            --last;
        c.setPosition(first);
        c.setPosition(last + 1, QTextCursor::KeepAnchor);
        c.insertText(text->sliced(first, last + 1 - first), s.format);
    }
    c.endEditBlock();
    select(anchor, position);
}

bool TRichEdit::writesAside(qsizetype chars) const
{
    // A rich document keeps its formats through the writes above; a plain
    // one has none to keep.
    return showsPlainView() &&
           std::max<qsizetype>(chars, document()->characterCount()) >= kLongText;
}

void TRichEdit::writeAside(QByteArrayView bytes, int anchor, int position)
{
    PlainView *view = m_states->spare();
    // Shown once while empty, the view is polished and as wide as the one
    // shown: a view first shown, or at another width, with a long document
    // lays every paragraph of it out.
    m_views->setCurrentWidget(view);
    m_views->setCurrentWidget(m_plainView);
    QTextDocument *doc = newDocument();
    doc->setParent(this);
    doc->setUndoRedoEnabled(false);
    const QString old =
        bytes.contains(textview::kForeignByte) ? document()->toRawText() : QString();
    TextFill fill(*doc, std::make_unique<ViewBytesSource>(bytes.toByteArray(), old));
    // The view's caret stays at the start, before the text that goes in
    // after the first piece.
    fill.appendSlice(0);
    {
        const QSignalBlocker quiet(view);
        doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
        view->setDocument(doc);
    }
    // The layout takes the first paragraph for the widest until it lays it
    // out, and then measures every paragraph there is to find the widest:
    // now a few hundred, after the fill a million (0.2 s, and a text layout
    // kept for each).
    doc->documentLayout()->blockBoundingRect(doc->firstBlock());
    runWork(
        Work::Changing, [&] { return fill.appendSlice(); },
        [&] { return fill.source().percentGiven(); });
    doc->setUndoRedoEnabled(true);
    watchEdits(doc);
    QTextCursor caret(doc);
    caret.setPosition(std::min(anchor, doc->characterCount() - 1));
    caret.setPosition(std::min(position, doc->characterCount() - 1), QTextCursor::KeepAnchor);
    view->setTextCursor(caret);
    m_states->advance(m_plainView);
    showPlainView(view);
}

void TRichEdit::showPlainView(PlainView *view)
{
    const bool focused = currentView()->hasFocus();
    view->setOverwriteMode(overwriteMode());
    m_plainView = view;
    m_views->setCurrentWidget(view);
    setFocusProxy(view);
    if (focused)
        view->setFocus();
    // The state may have been laid out at another zoom.
    applyZoom();
    Q_EMIT textChanged();
    noteSelection();
}

void TRichEdit::watchEdits(QTextDocument *doc)
{
    connect(doc, &QTextDocument::undoCommandAdded, this, [this, doc] {
        if (doc == document())
            m_states->dropLater();
    });
}

// Selection ----------------------------------------------------------------

int TRichEdit::selStart() const
{
    return textview::fromDocument(*document(), textCursor().selectionStart());
}

void TRichEdit::setSelStart(int start)
{
    select(textview::toDocument(*document(), start), textview::toDocument(*document(), start));
}

int TRichEdit::selLength() const
{
    const QTextCursor c = textCursor();
    return textview::fromDocument(*document(), c.selectionEnd()) -
           textview::fromDocument(*document(), c.selectionStart());
}

void TRichEdit::setSelLength(int length)
{
    const int start = selStart();
    select(textview::toDocument(*document(), start),
           textview::toDocument(*document(), start + std::max(0, length)));
}

void TRichEdit::setTextCursor(const QTextCursor &cursor)
{
    withView([&](auto &view) { view.setTextCursor(cursor); });
}

void TRichEdit::select(int anchor, int position)
{
    // Placing the caret scrolls it into view, which needs the text laid out
    // up to there: leave an unchanged selection alone.
    const QTextCursor current = textCursor();
    if (current.anchor() == anchor && current.position() == position)
        return;
    QTextCursor c = current;
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QByteArray TRichEdit::selText() const
{
    return textview::encode(textCursor().selectedText());
}

void TRichEdit::setSelText(QByteArrayView bytes)
{
    if (refuseChange())
        return;
    QTextCursor c = textCursor();
    c.insertText(textview::decode(bytes));
    setTextCursor(c);
}

void TRichEdit::deleteSelection()
{
    if (!refuseChange())
        textCursor().removeSelectedText();
}

bool TRichEdit::canPaste(const QString &mimeType) const
{
    return isPlainTextMime(mimeType) || isRtfMime(mimeType) ||
           (!m_plainTextMode && isImageMime(mimeType));
}

bool TRichEdit::canInsertFromMimeData(const QMimeData &source) const
{
    return source.hasText() || !rtfData(source).isEmpty() ||
           (!m_plainTextMode && source.hasImage());
}

void TRichEdit::insertFromMimeData(const QMimeData &source)
{
    if (refuseChange())
        return;
    const int room = roomFor(selLength());
    const auto rtf = pastedRtf(source, room);
    const auto picture = rtf ? std::nullopt : pastedImage(source, room);
    if (!rtf && !picture && !source.hasText())
        return;
    if (const QString refused =
            picture ? QString() : refusedIn(rtf ? rtf->toPlainText() : source.text());
        !refused.isEmpty()) {
        refuseCharacter(refused);
        return;
    }
    QTextCursor c = textCursor();
    if (rtf) {
        c.insertFragment(QTextDocumentFragment(rtf.get()));
        // Pictures come without their decoded images; pasted paragraphs may
        // bring attributes that only the rich view shows. The view may be in
        // the middle of a drop: the document moves once that is done.
        pictures::prepare(*document());
        QMetaObject::invokeMethod(this, &TRichEdit::chooseView, Qt::QueuedConnection);
    } else if (picture) {
        c.insertText(QString(QChar::ObjectReplacementCharacter), *picture);
        QMetaObject::invokeMethod(this, &TRichEdit::chooseView, Qt::QueuedConnection);
    } else {
        QString text = source.text();
        if (text.size() > room) {
            refuseForLimit();
            text.truncate(room);
        }
        c.insertText(text);
    }
    setTextCursor(c);
    scrollCaret();
}

std::unique_ptr<QTextDocument> TRichEdit::pastedRtf(const QMimeData &source, int room) const
{
    const QByteArray bytes = rtfData(source);
    if (bytes.isEmpty())
        return nullptr;
    auto doc = std::make_unique<QTextDocument>();
    if (!rtf::read(bytes, *doc) || textview::length(*doc) > room)
        return nullptr;
    return doc;
}

// A picture from another program: in a rich document only, as PNG, and
// only when it comes without text (a word processor's selection of text and
// pictures comes as RTF, and as a picture of itself besides).
std::optional<QTextImageFormat> TRichEdit::pastedImage(const QMimeData &source, int room) const
{
    if (m_plainTextMode || !source.hasImage() || source.hasText() || room < 1)
        return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    const QImage image = qvariant_cast<QImage>(source.imageData());
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return std::nullopt;
    return pictures::image(*document(), png);
}

bool TRichEdit::hasFormatting() const
{
    const QTextDocument &doc = *document();
    return hasCharAttributes(doc) || needsRichLayout(doc);
}

QMimeData *TRichEdit::createMimeDataFromSelection() const
{
    return new SelectionMimeData(textCursor(), hasFormatting(), m_defaults, systemPalette());
}

// Files --------------------------------------------------------------------

void TRichEdit::loadFromFile(const QString &path, std::optional<Charset> charset)
{
    load(path, charset, false);
}

void TRichEdit::startLoading(const QString &path, std::optional<Charset> charset)
{
    load(path, charset, true);
}

void TRichEdit::load(const QString &path, std::optional<Charset> charset, bool inBackground)
{
    // A load under way gives way to this one: what it brought stays, as a
    // part of its file, if this one cannot read its own.
    if (TextFill *earlier = std::exchange(m_load, nullptr)) {
        delete earlier;
        m_partial = true;
        document()->setUndoRedoEnabled(true);
    }
    setWork(Work::Loading);
    QByteArray bytes;
    FileFormat format;
    try {
        // Telling UTF-8 takes a look at every byte: 3 ns each.
        const auto readFile = [&] {
            bytes = fileio::read(path);
            format = fileformat::detect(bytes, charset);
        };
        if (inBackground && QFileInfo(path).size() >= kLongText)
            slices::runAside(readFile);
        else
            readFile();
    } catch (...) {
        setWork(Work::None);
        throw;
    }
    m_fileHead = bytes.first(std::min(bytes.size(), encodings::kSampleSize));
    m_losses = {};
    m_partial = false;
    m_continued.clear();
    // The new content is built in a document of its own, which starts a new
    // undo history. The rich view takes it filled: it then leaves the caret
    // at the start without scrolling to it, and lays a long text out bit by
    // bit while the user can already work. The plain view would give every
    // paragraph of a filled document a layout of its own; it takes this one
    // empty, and the text follows.
    QTextDocument *doc = newDocument();
    // An RTF file's own line breaks say nothing of how its text would be
    // written as plain text.
    m_fileFormat = FileFormat();
    if (!m_plainTextMode) {
        if (!rtf::read(bytes, *doc, &m_losses)) {
            doc->setPlainText(plainfile::decode(bytes, format));
            m_fileFormat = format;
        }
        adoptDocument(doc);
        finishLoading();
        return;
    }
    m_fileFormat = format;
    doc->setUndoRedoEnabled(false);
    const bool background = inBackground && bytes.size() >= kLongText;
    auto reader = std::make_unique<plainfile::Reader>(std::move(bytes), format);
    m_load = new TextFill(*doc, std::move(reader), this);
    // The view's caret stays at the start, before the text that goes in
    // after the first piece.
    if (background)
        m_load->appendSlice(0);
    adoptDocument(doc);
    connect(m_load, &TextFill::finished, this, &TRichEdit::finishLoading);
    if (!background) {
        m_load->runToEnd();
        return;
    }
    connect(m_load, &TextFill::progress, this,
            [this](int percent) { Q_EMIT workProgress(Work::Loading, percent); });
    m_load->start();
}

void TRichEdit::stopLoading()
{
    if (m_load)
        m_load->stop();
}

void TRichEdit::finishLoading()
{
    if (TextFill *fill = std::exchange(m_load, nullptr)) {
        m_partial = !fill->isComplete();
        // The fill of a load reads a file.
        m_continued = static_cast<const plainfile::Reader &>(fill->source()).continued();
        document()->setUndoRedoEnabled(true);
        // Its signal is still being said.
        fill->deleteLater();
    }
    startAfresh();
    setWork(Work::None);
    Q_EMIT fileFormatChanged();
    Q_EMIT loadFinished();
}

void TRichEdit::saveToFile(const QString &path)
{
    const QByteArray bytes = m_plainTextMode ? plainFileBytes() : toRtf();
    if (bytes.size() < kLongText) {
        fileio::write(path, bytes);
    } else {
        // Writing waits for the disk.
        setWork(Work::Saving);
        const auto done = qScopeGuard([this] { setWork(Work::None); });
        slices::runAside([&] { fileio::write(path, bytes); });
    }
    // The file holds what the document holds now.
    m_losses = {};
    m_partial = false;
    // Said also after a short save: what the window shows of the document
    // may change with it.
    setWork(Work::None);
}

QByteArray TRichEdit::plainFileBytes()
{
    plainfile::Writer file(m_fileFormat, m_continued);
    if (document()->characterCount() < kLongText)
        file.add(document()->toRawText());
    else
        readText(Work::Saving, [&](QStringView piece) { file.add(piece); });
    return file.take();
}

QString TRichEdit::lossNotice() const
{
    QStringList notices;
    if (const int tables = m_losses.nestedTables; tables == 1) {
        notices << tr("This document holds a table inside a table that Scrivlet cannot keep; "
                      "saving it will turn it into text.");
    } else if (tables > 1) {
        notices << tr("This document holds %1 tables inside tables that Scrivlet cannot keep; "
                      "saving it will turn them into text.")
                       .arg(tables);
    }
    if (m_losses.droppedParts > 0) {
        notices << tr("This document holds headers, footers, footnotes or comments that "
                      "Scrivlet cannot keep; saving it will drop them.");
    }
    return notices.join(QLatin1Char('\n'));
}

void TRichEdit::setFileFormat(const FileFormat &format)
{
    m_fileFormat = format;
    Q_EMIT fileFormatChanged();
}

QString TRichEdit::firstUnsavable() const
{
    return firstMissing(document()->toPlainText());
}

QString TRichEdit::firstMissing(QString text) const
{
    // A picture is no character of any charset: what a plain save makes of
    // it is a matter of formatting, not of the encoding.
    text.remove(QChar::ObjectReplacementCharacter);
    return fileformat::firstMissing(m_fileFormat.charset, text);
}

QString TRichEdit::refusedIn(const QString &text) const
{
    // RTF writes every character.
    return m_plainTextMode ? firstMissing(text) : QString();
}

void TRichEdit::refuseCharacter(const QString &character)
{
    QApplication::beep();
    Q_EMIT characterRefused(character);
}

QByteArray TRichEdit::toRtf() const
{
    return rtf::write(*document(), m_defaults, systemPalette());
}

QTextDocument *TRichEdit::newDocument() const
{
    auto *doc = new QTextDocument;
    // The text starts at the formatting rectangle's edge, nowhere else.
    doc->setDocumentMargin(0);
    doc->setIndentWidth(24);
    doc->setDefaultFont(textformat::toFont(m_defaults));
    return doc;
}

void TRichEdit::adoptDocument(QTextDocument *doc)
{
    m_states->clear();
    QPointer<QTextDocument> old = document();
    doc->setParent(this);
    watchEdits(doc);
    showIn(doc, m_plainTextMode && !needsRichLayout(*doc));
    // The views free the documents they made themselves; the ones given to
    // them are ours to free.
    if (old && old != doc && old->parent() == this)
        delete old;
}

void TRichEdit::startAfresh()
{
    // Typing at the caret takes the format of the text there, not the one the
    // old document had.
    setTextCursor(QTextCursor(document()));
    applyDefaults();
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    Q_EMIT textChanged();
}

bool TRichEdit::isModified() const
{
    // A document being loaded has taken text, not changes.
    return !isLoading() && document()->isModified();
}

bool TRichEdit::refuseChange()
{
    if (m_work == Work::None && !isReadOnly())
        return false;
    QApplication::beep();
    Q_EMIT editRefused();
    return true;
}

void TRichEdit::setWork(Work work)
{
    m_work = work;
    updateEditable();
    Q_EMIT workProgress(work, work == Work::None ? 100 : 0);
}

void TRichEdit::runWork(Work work, const std::function<bool()> &step,
                        const std::function<int()> &percentDone)
{
    setWork(work);
    // Work::None again, also when the work fails.
    const auto done = qScopeGuard([this] { setWork(Work::None); });
    slices::run(step, [&] { Q_EMIT workProgress(work, percentDone()); });
}

void TRichEdit::updateEditable()
{
    const Qt::TextInteractionFlags flags =
        m_work == Work::None && !isReadOnly()
            ? Qt::TextEditorInteraction
            : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
    m_richView->setTextInteractionFlags(flags);
    for (PlainView *view : m_plainViews)
        view->setTextInteractionFlags(flags);
}

void TRichEdit::setModified(bool modified)
{
    document()->setModified(modified);
    // The file holds the document as it is now, none of its other states.
    if (!modified)
        m_states->markModified();
}

// Character attributes ------------------------------------------------------

CharAttributes TRichEdit::selAttributes() const
{
    const QTextCursor sel = textCursor();
    if (!sel.hasSelection())
        return textformat::fromCharFormat(currentCharFormat(), m_defaults);
    // A cursor reports the character before it: that of the selection's first.
    QTextCursor first(document());
    first.setPosition(sel.selectionStart() + 1);
    return textformat::fromCharFormat(first.charFormat(), m_defaults);
}

void TRichEdit::setSelAttributes(const CharAttributes &attrs, CharFields fields)
{
    if (refuseChange())
        return;
    mergeCurrentCharFormat(textformat::toCharFormat(attrs, fields, systemPalette()));
}

QTextCharFormat TRichEdit::currentCharFormat() const
{
    return withView([](auto &view) { return view.currentCharFormat(); });
}

void TRichEdit::mergeCurrentCharFormat(const QTextCharFormat &format)
{
    withView([&](auto &view) { view.mergeCurrentCharFormat(format); });
}

void TRichEdit::setDefAttributes(const CharAttributes &attrs, CharFields fields)
{
    m_defaults = merged(m_defaults, attrs, fields);
    applyDefaults();

    // Text typed next follows the defaults already, unless the caret sits in
    // text that has attributes of its own: then those give way.
    if (textCursor().hasSelection())
        return;
    const QTextCharFormat change = textformat::toCharFormat(m_defaults, fields, systemPalette());
    const QTextCharFormat current = currentCharFormat();
    const auto props = change.properties();
    const bool own = std::any_of(props.keyBegin(), props.keyEnd(),
                                 [&](int id) { return current.hasProperty(id); });
    if (own)
        mergeCurrentCharFormat(change);
}

void TRichEdit::applyDefaults()
{
    // Every state Undo may show again; a document told its font again lays
    // every paragraph out again.
    const QFont font = textformat::toFont(m_defaults);
    QList<QTextDocument *> docs{document()};
    for (PlainView *view : m_plainViews)
        docs.append(view->document());
    for (QTextDocument *doc : docs) {
        if (doc->defaultFont() != font)
            doc->setDefaultFont(font);
    }
    QPalette p = palette();
    const QColor text = wincolors::toColor(m_defaults.color, systemPalette());
    p.setColor(QPalette::Active, QPalette::Text, text);
    p.setColor(QPalette::Inactive, QPalette::Text, text);
    setPalette(p);
}

QPalette TRichEdit::systemPalette() const
{
    return QApplication::palette(this);
}

// Paragraph attributes -------------------------------------------------------

ParaAttributes TRichEdit::paragraph() const
{
    const QTextBlock block = document()->findBlock(textCursor().selectionStart());
    return textformat::fromBlockFormat(block.blockFormat(), block.textList() != nullptr);
}

void TRichEdit::setParagraph(const ParaAttributes &attrs, ParaFields fields)
{
    if (refuseChange())
        return;
    const QTextCursor sel = textCursor();
    const QTextBlock last = document()->findBlock(sel.selectionEnd());
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextList *newList = nullptr;
    for (QTextBlock b = document()->findBlock(sel.selectionStart()); b.isValid(); b = b.next()) {
        const ParaAttributes p = merged(
            textformat::fromBlockFormat(b.blockFormat(), b.textList() != nullptr), attrs, fields);

        QTextCursor bc(b);
        if (p.numbering == Numbering::Bullet && !b.textList()) {
            if (newList) {
                newList->add(b);
            } else {
                newList = bc.createList(textformat::bulletListFormat());
            }
        } else if (p.numbering == Numbering::None && b.textList()) {
            b.textList()->remove(b);
        }
        QTextBlockFormat f = b.blockFormat();
        textformat::applyParagraph(f, p);
        bc.setBlockFormat(f);
        if (b == last)
            break;
    }
    edit.endEditBlock();
    chooseView();
}

// Appearance ------------------------------------------------------------------

bool TRichEdit::wordWrap() const
{
    return m_richView->lineWrapMode() != QTextEdit::NoWrap;
}

void TRichEdit::setWordWrap(bool wrap)
{
    m_richView->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    for (PlainView *view : m_plainViews)
        view->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TRichEdit::setScrollBars(ScrollBars bars)
{
    m_scrollBars = bars;
    const bool h = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
    const bool v = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
    // The vertical bar stays, disabled while the text fits. A bar that came
    // and went would change the width the text is laid out in, and with it
    // lay out the whole text again; in a rich document taller than INT_MAX /
    // 100 pixels Qt's scroll range overflows and would flip it at every move.
    QList<QAbstractScrollArea *> views(m_plainViews.begin(), m_plainViews.end());
    views.append(m_richView);
    for (QAbstractScrollArea *view : views) {
        view->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TRichEdit::setBackgroundColor(quint32 colorRef)
{
    m_background = colorRef;
    QPalette p = palette();
    const QColor c = wincolors::toColor(colorRef, systemPalette());
    for (const auto role : {QPalette::Base, QPalette::Window}) {
        p.setColor(QPalette::Active, role, c);
        p.setColor(QPalette::Inactive, role, c);
    }
    setPalette(p);
}

void TRichEdit::setHideSelection(bool hide)
{
    m_hideSelection = hide;
    applySelectionPalette();
}

// Without focus the selection shows as it does with focus, or not at all.
void TRichEdit::applySelectionPalette()
{
    QPalette p = palette();
    const QPalette sys = systemPalette();
    if (m_hideSelection) {
        p.setColor(QPalette::Inactive, QPalette::Highlight,
                   p.color(QPalette::Active, QPalette::Base));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::Text));
    } else {
        p.setColor(QPalette::Inactive, QPalette::Highlight,
                   sys.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   sys.color(QPalette::Active, QPalette::HighlightedText));
    }
    setPalette(p);
}

// Limits, lines, undo ----------------------------------------------------------

void TRichEdit::setTextLimit(int limit)
{
    m_textLimit = limit > 0 ? limit : kDefaultTextLimit;
}

int TRichEdit::roomFor(int replaced) const
{
    return std::max(0, m_textLimit - (textLength() - replaced));
}

void TRichEdit::refuseForLimit()
{
    QApplication::beep();
    Q_EMIT textLimitReached();
}

int TRichEdit::lineFromChar(int pos) const
{
    const int docPos =
        pos < 0 ? textCursor().selectionStart() : textview::toDocument(*document(), pos);
    return document()->findBlock(docPos).blockNumber();
}

int TRichEdit::lineIndex(int line) const
{
    if (line < 0)
        line = document()->findBlock(textCursor().selectionStart()).blockNumber();
    if (line >= document()->blockCount())
        return -1;
    return document()->findBlockByNumber(line).position() + line;
}

bool TRichEdit::canUndo() const
{
    return document()->isUndoAvailable() || m_states->canGoBack();
}

bool TRichEdit::canRedo() const
{
    return document()->isRedoAvailable() || m_states->canGoForward();
}

// Formatting rectangle ------------------------------------------------------------

QRect TRichEdit::clientRect() const
{
    return QRect(0, 0, viewport()->width() + m_margins.left() + m_margins.right(),
                 viewport()->height() + m_margins.top() + m_margins.bottom());
}

QRect TRichEdit::formattingRect() const
{
    return clientRect().marginsRemoved(m_margins);
}

void TRichEdit::setFormattingRect(const QRect &rect)
{
    const QRect client = clientRect();
    const QMargins margins(std::max(0, rect.left()), std::max(0, rect.top()),
                           std::max(0, client.width() - rect.left() - rect.width()),
                           std::max(0, client.height() - rect.top() - rect.height()));
    if (margins == m_margins)
        return;
    m_margins = margins;
    m_richView->setViewportMargins(margins);
    for (PlainView *view : m_plainViews)
        view->setViewportMargins(margins);
}

void TRichEdit::scrollCaret()
{
    withView([](auto &view) { view.ensureCursorVisible(); });
}

// Printing -----------------------------------------------------------------------

void TRichEdit::print(QPagedPaintDevice *device) const
{
    QPainter painter(device);
    PageRenderer renderer(*document(), device, QRectF(0, 0, device->width(), device->height()),
                          wincolors::toColor(m_defaults.color, systemPalette()));
    const int end = textLength();
    int pos = 0;
    do {
        pos = renderer.renderPage(&painter, pos);
        if (pos < end)
            device->newPage();
    } while (pos < end);
}

// Events -------------------------------------------------------------------------

void TRichEdit::noteSelection()
{
    const QTextCursor c = textCursor();
    if (c.anchor() == m_lastAnchor && c.position() == m_lastPosition)
        return;
    m_lastAnchor = c.anchor();
    m_lastPosition = c.position();
    Q_EMIT selectionChange();
}

void TRichEdit::keyPressEvent(QKeyEvent *event)
{
    forwardToView(event);
}

void TRichEdit::keyReleaseEvent(QKeyEvent *event)
{
    forwardToView(event);
}

void TRichEdit::inputMethodEvent(QInputMethodEvent *event)
{
    forwardToView(event);
}

void TRichEdit::forwardToView(QEvent *event)
{
    // What the view leaves comes back up to the control on its way to the
    // window that holds it, and goes on from there once only.
    if (m_forwarding) {
        event->ignore();
        return;
    }
    const QScopedValueRollback forwarding(m_forwarding, true);
    QCoreApplication::sendEvent(currentView(), event);
    event->accept();
}
