#include "shell/ExposureWatch.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isPopup(const QWidget &widget)
{
    return widget.isWindow() &&
           (widget.windowType() == Qt::Popup || widget.windowType() == Qt::ToolTip);
}

QRect onScreen(const QWidget &window)
{
    return {window.mapToGlobal(QPoint(0, 0)), window.size()};
}

} // namespace

ExposureWatch::ExposureWatch(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    // The popups are windows of their own: only the application sees them go.
    QCoreApplication::instance()->installEventFilter(this);
}

bool ExposureWatch::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Hide:
        if (const auto *widget = qobject_cast<QWidget *>(watched); widget && isPopup(*widget))
            popupHidden(*widget);
        break;
    case QEvent::Expose:
        if (watched == m_window->windowHandle())
            windowExposed();
        break;
    // What the window system asks to be drawn again of a window in sight.
    case QEvent::Paint:
        if (watched == m_window->windowHandle())
            windowRedrawn(static_cast<QPaintEvent *>(event)->region());
        break;
    default:
        break;
    }
    return false;
}

void ExposureWatch::popupHidden(const QWidget &popup)
{
    m_popupsGone += popup.geometry() & onScreen(*m_window);
}

void ExposureWatch::windowExposed()
{
    const bool inSight = m_window->windowHandle()->isExposed();
    if (inSight && !m_inSight)
        Q_EMIT exposed();
    m_inSight = inSight;
}

void ExposureWatch::windowRedrawn(const QRegion &region)
{
    const QRegion uncovered = region.translated(onScreen(*m_window).topLeft());
    const QRegion ownPopups = uncovered & m_popupsGone;
    m_popupsGone -= ownPopups;
    if (uncovered != ownPopups)
        Q_EMIT exposed();
}
