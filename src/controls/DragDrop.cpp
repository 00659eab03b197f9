#include "controls/DragDrop.h"

#include "platform/system/FileNames.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

TDragDrop::TDragDrop(QObject *owner)
    : QObject(owner)
    , m_owner(qobject_cast<QWidget *>(owner))
{
    if (m_owner)
        m_owner->installEventFilter(this);
}

TDragDrop::~TDragDrop()
{
    if (m_owner)
        m_owner->removeEventFilter(this);
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
    if (watched != m_owner)
        return false;
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
    const QMimeData *data = event->mimeData();
    if (!m_enabled || !data || filenames::localFiles(data->urls()).isEmpty()) {
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
