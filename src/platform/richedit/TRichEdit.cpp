#include "platform/richedit/TRichEdit.h"

#include "platform/text/AnsiCodec.h"
#include "platform/system/FileIO.h"
#include "platform/system/FileNames.h"
#include "platform/richedit/PageRenderer.h"
#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/richedit/TextView.h"
#include "platform/text/VirtualKeys.h"
#include "platform/text/WinColors.h"

#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointer>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>

#include <algorithm>

namespace {

const QString kRtfMime = QStringLiteral("text/rtf");

bool isPlainTextMime(const QString &mimeType)
{
    return mimeType == QLatin1String("text/plain") ||
           mimeType.startsWith(QLatin1String("text/plain;"));
}

// Files dragged from a file manager come as their addresses: documents to
// open, not text to insert.
bool holdsFiles(const QMimeData *source)
{
    return source && !filenames::localFiles(source->urls()).isEmpty();
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

// Whether a key press puts text into the document, and how many characters.
int insertedBy(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 1;
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return 0;
    const QString text = event.text();
    if (text.isEmpty() || !(text.at(0).isPrint() || text.at(0) == u'\t'))
        return 0;
    return int(text.size());
}

} // namespace

TRichEdit::TRichEdit(QWidget *parent)
    : QTextEdit(parent)
    , m_background(wincolors::kWindow)
{
    setAcceptRichText(false);
    const QFont f = font();
    m_defaults.name = f.family();
    m_defaults.size = f.pointSize() > 0 ? f.pointSize() : 10;
    adoptDocument(newDocument());
    setScrollBars(m_scrollBars);
    // The margins round the formatting rectangle show the text's background.
    setAutoFillBackground(true);
    setBackgroundColor(m_background);
    applySelectionPalette();

    connect(this, &QTextEdit::cursorPositionChanged, this, &TRichEdit::noteSelection);
    connect(this, &QTextEdit::selectionChanged, this, &TRichEdit::noteSelection);
}

// Text --------------------------------------------------------------------

QByteArray TRichEdit::wholeText() const
{
    return textview::text(*document());
}

void TRichEdit::setWholeText(QByteArrayView bytes)
{
    const QString text = textview::decode(bytes);
    // Qt lays out an edited range at once, but a new layout bit by bit: the
    // layout starts afresh, so that a long text is laid out while the user
    // can already work.
    select(0, 0);
    document()->setTextWidth(document()->textWidth());
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

int TRichEdit::textLength() const
{
    return textview::length(*document());
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
    QTextCursor c = textCursor();
    c.insertText(textview::decode(bytes));
    setTextCursor(c);
}

void TRichEdit::deleteSelection()
{
    textCursor().removeSelectedText();
}

bool TRichEdit::canPaste(const QString &mimeType) const
{
    return isPlainTextMime(mimeType) || isRtfMime(mimeType);
}

bool TRichEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || !rtfData(*source).isEmpty();
}

void TRichEdit::insertFromMimeData(const QMimeData *source)
{
    const int room = roomFor(selLength());
    QTextCursor c = textCursor();
    if (const auto rtf = pastedRtf(*source, room)) {
        c.insertFragment(QTextDocumentFragment(rtf.get()));
    } else if (source->hasText()) {
        // What the document holds is what a plain save writes: characters the
        // code page lacks become "?" on the way in.
        QString text = ansi::fold(source->text());
        if (text.size() > room) {
            refuseForLimit();
            text.truncate(room);
        }
        c.insertText(text);
    } else {
        return;
    }
    setTextCursor(c);
    ensureCursorVisible();
}

std::unique_ptr<QTextDocument> TRichEdit::pastedRtf(const QMimeData &source, int room) const
{
    const QByteArray bytes = rtfData(source);
    if (bytes.isEmpty())
        return nullptr;
    auto doc = std::make_unique<QTextDocument>();
    if (!rtf::read(bytes, *doc) || textview::length(*doc) > room)
        return nullptr;
    // Keep the pasted text within the code page, run by run.
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QString folded = ansi::fold(f.text());
            if (folded == f.text())
                continue;
            QTextCursor c(doc.get());
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            c.insertText(folded, f.charFormat());
        }
    }
    return doc;
}

QMimeData *TRichEdit::createMimeDataFromSelection() const
{
    // Qt's own selection data lists only the formats it knows of, so the
    // formats are copied into plain data that can carry RTF too.
    const std::unique_ptr<QMimeData> qt(QTextEdit::createMimeDataFromSelection());
    auto *data = new QMimeData;
    data->setText(qt->text());
    data->setHtml(qt->html());
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(textCursor().selection());
    data->setData(kRtfMime, rtf::write(selection, m_defaults, systemPalette()));
    return data;
}

// Files --------------------------------------------------------------------

void TRichEdit::loadFromFile(const QString &path)
{
    loadBytes(fileio::read(path));
}

void TRichEdit::loadBytes(QByteArrayView bytes)
{
    // The new content is built in a document of its own: taking that over
    // starts a new undo history and leaves the caret at the start without
    // scrolling to it, so a long text is laid out bit by bit while the user
    // can already work.
    QTextDocument *doc = newDocument();
    const bool rich = !m_plainTextMode && rtf::read(bytes, *doc);
    if (!rich)
        doc->setPlainText(textview::decode(bytes));
    adoptDocument(doc);
}

void TRichEdit::saveToFile(const QString &path) const
{
    fileio::write(path, m_plainTextMode ? wholeText() : toRtf());
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
    QPointer<QTextDocument> old = document();
    doc->setParent(this);
    setDocument(doc);
    // The control frees the document it made itself; the ones given to it
    // are ours to free.
    if (old && old != doc && old->parent() == this)
        delete old;
    // Typing at the caret takes the format of the text there, not the one the
    // old document had.
    setTextCursor(QTextCursor(doc));
    applyDefaults();
    doc->clearUndoRedoStacks();
    doc->setModified(false);
}

bool TRichEdit::isModified() const
{
    return document()->isModified();
}

void TRichEdit::setModified(bool modified)
{
    document()->setModified(modified);
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
    mergeCurrentCharFormat(textformat::toCharFormat(attrs, fields, systemPalette()));
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
    document()->setDefaultFont(textformat::toFont(m_defaults));
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

void TRichEdit::changeEvent(QEvent *event)
{
    QTextEdit::changeEvent(event);
    // The widget's own font is not the text's: keep the default attributes.
    if (event->type() == QEvent::FontChange)
        document()->setDefaultFont(textformat::toFont(m_defaults));
}

// Paragraph attributes -------------------------------------------------------

ParaAttributes TRichEdit::paragraph() const
{
    const QTextBlock block = document()->findBlock(textCursor().selectionStart());
    return textformat::fromBlockFormat(block.blockFormat(), block.textList() != nullptr);
}

void TRichEdit::setParagraph(const ParaAttributes &attrs, ParaFields fields)
{
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
}

// Appearance ------------------------------------------------------------------

bool TRichEdit::wordWrap() const
{
    return lineWrapMode() != QTextEdit::NoWrap;
}

void TRichEdit::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TRichEdit::setScrollBars(ScrollBars bars)
{
    m_scrollBars = bars;
    const bool h = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
    const bool v = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    // The vertical bar stays, disabled while the text fits. A bar that came
    // and went would change the width the text is laid out in, and with it
    // lay out the whole text again; in a document taller than INT_MAX / 100
    // pixels Qt's scroll range overflows and would flip it at every move.
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
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
    return document()->isUndoAvailable();
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
    setViewportMargins(margins);
}

void TRichEdit::scrollCaret()
{
    ensureCursorVisible();
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
    Q_EMIT keyDown(vk::fromKeyEvent(*event), event->modifiers());

    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        event->accept();
        return;
    }
    const int inserted = insertedBy(*event);
    if (inserted > 0 && inserted > roomFor(selLength())) {
        refuseForLimit();
        event->accept();
        return;
    }
    // A line break inside a paragraph has no place in the text view's
    // lines: Shift+Enter starts a paragraph like Enter.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString folded = ansi::fold(event->text());
    if ((enter && (mods & Qt::ShiftModifier)) || folded != event->text()) {
        QKeyEvent plain(event->type(), event->key(),
                        enter ? event->modifiers() & ~Qt::ShiftModifier : event->modifiers(),
                        folded, event->isAutoRepeat(), ushort(event->count()));
        QTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TRichEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString folded = ansi::fold(event->commitString());
    if (folded == event->commitString()) {
        QTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent copy(event->preeditString(), event->attributes());
    copy.setCommitString(folded, event->replacementStart(), event->replacementLength());
    QTextEdit::inputMethodEvent(&copy);
}

void TRichEdit::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(event->button(), event->position().toPoint());
    QTextEdit::mousePressEvent(event);
}

// Dropped files are left to the window that holds the control.
void TRichEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (holdsFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QTextEdit::dragEnterEvent(event);
}

void TRichEdit::dropEvent(QDropEvent *event)
{
    if (holdsFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QTextEdit::dropEvent(event);
}
