#pragma once

#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileNames.h"
#include "platform/text/VirtualKeys.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QWheelEvent>

#include <type_traits>

namespace editview {

// Files dragged from a file manager come as their addresses: documents to
// open, not text to insert.
inline bool holdsFiles(const QMimeData *source)
{
    return source && !filenames::localFiles(source->urls()).isEmpty();
}

// Whether a key press puts text into the document, and how many characters.
inline int insertedBy(const QKeyEvent &event)
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

// Whether a key press would change the text.
inline bool changesText(const QKeyEvent &event)
{
    return insertedBy(event) > 0 || event.key() == Qt::Key_Backspace ||
           event.key() == Qt::Key_Delete || event.matches(QKeySequence::Cut) ||
           event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Undo) ||
           event.matches(QKeySequence::Redo);
}

} // namespace editview

// A widget that shows a TRichEdit's document: over QTextEdit for rich
// documents, over QPlainTextEdit for plain ones. Both take the user's input
// the same way, within what the document can save and the text limit, and
// leave dropped files, the context menu and the clipboard formats to the
// control.
template<class Base>
class EditView final : public Base
{
public:
    explicit EditView(TRichEdit &owner)
        : Base(&owner)
        , m_owner(owner)
    {
        // The margins round the formatting rectangle show the text's background.
        this->setAutoFillBackground(true);
    }

    using Base::setViewportMargins;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        Q_EMIT m_owner.keyDown(vk::fromKeyEvent(*event), event->modifiers());

        const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
        if (editview::changesText(*event) && m_owner.refuseChange()) {
            event->accept();
            return;
        }
        // Undo may go back to a state a whole-text write left (PlainStates).
        if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
            if (event->matches(QKeySequence::Undo))
                m_owner.undo();
            else
                m_owner.redo();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
            this->setOverwriteMode(!this->overwriteMode());
            event->accept();
            return;
        }
        const int inserted = editview::insertedBy(*event);
        if (inserted > 0 && inserted > m_owner.roomFor(m_owner.selLength())) {
            m_owner.refuseForLimit();
            event->accept();
            return;
        }
        if (const QString refused = m_owner.refusedIn(event->text()); !refused.isEmpty()) {
            m_owner.refuseCharacter(refused);
            event->accept();
            return;
        }
        // A line break inside a paragraph has no place in the text view's
        // lines: Shift+Enter starts a paragraph like Enter.
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && (mods & Qt::ShiftModifier)) {
            QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                            event->text(), event->isAutoRepeat(), ushort(event->count()));
            Base::keyPressEvent(&plain);
            event->setAccepted(plain.isAccepted());
            return;
        }
        Base::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent *event) override
    {
        const QString commit = event->commitString();
        if (!commit.isEmpty() && m_owner.refuseChange()) {
            QInputMethodEvent copy(event->preeditString(), event->attributes());
            Base::inputMethodEvent(&copy);
            return;
        }
        const QString refused = m_owner.refusedIn(commit);
        if (refused.isEmpty()) {
            Base::inputMethodEvent(event);
            return;
        }
        m_owner.refuseCharacter(refused);
        // The composition goes on; only what it would commit is refused.
        QInputMethodEvent copy(event->preeditString(), event->attributes());
        Base::inputMethodEvent(&copy);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        Q_EMIT m_owner.mouseDown(event->button(), event->position().toPoint());
        Base::mousePressEvent(event);
    }

    // Ctrl and the wheel zoom, a step for each notch; a touchpad's small
    // moves add up to one.
    void wheelEvent(QWheelEvent *event) override
    {
        if (!(event->modifiers() & Qt::ControlModifier)) {
            Base::wheelEvent(event);
            return;
        }
        m_wheel += event->angleDelta().y();
        for (; m_wheel >= kWheelNotch; m_wheel -= kWheelNotch)
            m_owner.zoomIn();
        for (; m_wheel <= -kWheelNotch; m_wheel += kWheelNotch)
            m_owner.zoomOut();
        event->accept();
    }

    // Dropped files are left to the window that holds the control.
    void dragEnterEvent(QDragEnterEvent *event) override
    {
        if (editview::holdsFiles(event->mimeData())) {
            event->ignore();
            return;
        }
        Base::dragEnterEvent(event);
    }

    void dropEvent(QDropEvent *event) override
    {
        if (editview::holdsFiles(event->mimeData())) {
            event->ignore();
            return;
        }
        Base::dropEvent(event);
    }

    // A plain view lays every paragraph out again when its width changes, a
    // tenth of a second for 50 MB. Switching windows in the MDI area shows,
    // restores and maximizes them in turn, and leaves all but one covered;
    // so with a long document the new width waits until the view paints.
    void resizeEvent(QResizeEvent *event) override
    {
        if constexpr (std::is_same_v<Base, QPlainTextEdit>) {
            if (this->document()->characterCount() >= TRichEdit::kLongText &&
                event->size().width() != event->oldSize().width()) {
                m_widthPending = true;
                this->viewport()->update();
                return;
            }
        }
        Base::resizeEvent(event);
        m_laidOutWidth = this->width();
    }

    bool viewportEvent(QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_widthPending)
            applyWidth();
        return Base::viewportEvent(event);
    }

    void changeEvent(QEvent *event) override
    {
        Base::changeEvent(event);
        // The widget's own font is not the text's: keep the default attributes.
        if (event->type() == QEvent::FontChange)
            m_owner.applyDefaults();
    }

    // The program's own menu is asked for at a point of the text area, as
    // the control's customContextMenuRequested() promises.
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        if (m_owner.contextMenuPolicy() == Qt::CustomContextMenu)
            Q_EMIT m_owner.customContextMenuRequested(event->pos());
        else
            Base::contextMenuEvent(event);
    }

    bool canInsertFromMimeData(const QMimeData *source) const override
    {
        return m_owner.canInsertFromMimeData(*source);
    }

    void insertFromMimeData(const QMimeData *source) override
    {
        m_owner.insertFromMimeData(*source);
    }

    QMimeData *createMimeDataFromSelection() const override
    {
        return m_owner.createMimeDataFromSelection();
    }

private:
    void applyWidth()
    {
        m_widthPending = false;
        if (this->width() == m_laidOutWidth)
            return;
        QResizeEvent resized(this->size(), QSize(m_laidOutWidth, this->height()));
        Base::resizeEvent(&resized);
        m_laidOutWidth = this->width();
    }

    static constexpr int kWheelNotch = 120;

    TRichEdit &m_owner;
    int m_wheel = 0;
    int m_laidOutWidth = -1;
    bool m_widthPending = false;
};
