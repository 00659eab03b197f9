#include "controls/DragDrop.h"

#include "platform/system/FileNames.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

bool isDragEvent(QEvent::Type type)
{
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::DragLeave ||
           type == QEvent::Drop;
}

bool holdsFiles(const QDropEvent &event)
{
    return event.mimeData() && !filenames::localFiles(event.mimeData()->urls()).isEmpty();
}

// The enabled drop target nearest to a widget: attached to it or to one
// around it in its window.
TDragDrop *dropTargetAt(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const auto targets = w->findChildren<TDragDrop *>(Qt::FindDirectChildrenOnly);
        for (TDragDrop *target : targets) {
            if (target->isEnabled())
                return target;
        }
    }
    return nullptr;
}

} // namespace

// A drag reaches the control under the mouse before its owner: the
// application hands the filter every event, so that it hears of drags over
// the owner's controls too.
TDragDrop::TDragDrop(QObject *owner)
    : QObject(owner)
    , m_owner(qobject_cast<QWidget *>(owner))
{
    if (m_owner)
        QCoreApplication::instance()->installEventFilter(this);
}

TDragDrop::~TDragDrop()
{
    if (QCoreApplication *application = QCoreApplication::instance(); application && m_owner)
        application->removeEventFilter(this);
}

void TDragDrop::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (m_owner)
        m_owner->setAcceptDrops(enabled);
}

void TDragDrop::insertFirst(const QString &path, const QString &name)
{
    m_fullPath.prepend(path);
    m_filenames.prepend(name);
}

bool TDragDrop::eventFilter(QObject *watched, QEvent *event)
{
    if (!isDragEvent(event->type()) || !m_owner || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget == m_owner)
        return ownerDragEvent(event);
    // Files dragged over a control go on to the owner, which takes them for
    // its whole window; text stays the control's.
    if (event->type() == QEvent::DragEnter && m_owner->isAncestorOf(widget) &&
        dropTargetAt(widget) == this && holdsFiles(*static_cast<QDropEvent *>(event))) {
        event->ignore();
        return true;
    }
    return false;
}

bool TDragDrop::ownerDragEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        takeDrag(static_cast<QDropEvent *>(event));
        return true;
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (takeDrag(drop)) {
            // The lists are filled once the drag is over: the source program
            // waits until the drop returns, and opening a file may ask the
            // user first.
            const QStringList paths = filenames::localFiles(drop->mimeData()->urls());
            QMetaObject::invokeMethod(
                this, [this, paths] { handleDrop(paths); }, Qt::QueuedConnection);
        }
        return true;
    }
    default:
        return false;
    }
}

bool TDragDrop::takeDrag(QDropEvent *event) const
{
    if (!m_enabled || !holdsFiles(*event)) {
        event->ignore();
        return false;
    }
    // The files are only read: a copy, unless the source offers no copy.
    if (event->possibleActions() & Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    return true;
}

void TDragDrop::handleDrop(const QStringList &paths)
{
    m_fullPath.clear();
    m_filenames.clear();
    m_count = int(paths.size());
    for (const QString &path : paths) {
        m_fullPath.append(path);
        m_filenames.append(filenames::fileNamePart(path));
    }
    Q_EMIT fileDrop(this);
}
