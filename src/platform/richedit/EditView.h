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
#include <QWheelEvent>

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
        const QString refused = m_owner.refusedIn(event->commitString());
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
    static constexpr int kWheelNotch = 120;

    TRichEdit &m_owner;
    int m_wheel = 0;
};
