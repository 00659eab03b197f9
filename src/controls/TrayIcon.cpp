#include "controls/TrayIcon.h"

#include "platform/system/Prompts.h"

#include <QCursor>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>

TTrayIcon::TTrayIcon(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_tray(new QSystemTrayIcon(this))
{
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { IconActivated(reason); });
    m_window->installEventFilter(this);
}

void TTrayIcon::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    reportFailure(tr("Error in TTrayIcon.SetActive"), [this] {
        if (m_active)
            AddIcon();
        else
            DeleteIcon();
    });
}

void TTrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    ModifyIcon();
}

void TTrayIcon::setToolTip(const QString &text)
{
    qsizetype length = std::min<qsizetype>(text.size(), kMaxToolTip);
    // A character made of two halves is kept whole or not at all.
    if (length < text.size() && text.at(length).isLowSurrogate())
        --length;
    m_toolTip = text.left(length);
    ModifyIcon();
}

void TTrayIcon::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
    m_tray->setContextMenu(menu);
}

void TTrayIcon::FillDataStructure()
{
    reportFailure(tr("Error in TTrayIcon.FillDataStructure"), [this] {
        m_tray->setIcon(m_icon);
        m_tray->setToolTip(m_toolTip);
    });
}

void TTrayIcon::AddIcon()
{
    FillDataStructure();
    m_tray->show();
    static bool told = false;
    if (!told && !QSystemTrayIcon::isSystemTrayAvailable()) {
        told = true;
        qWarning("No system tray: a minimised window stays on the taskbar until one appears");
    }
}

// While the icon is away, changes wait for the next AddIcon.
void TTrayIcon::ModifyIcon()
{
    if (m_active)
        FillDataStructure();
}

void TTrayIcon::DeleteIcon()
{
    m_tray->hide();
}

void TTrayIcon::IconActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        Q_EMIT click();
        break;
    case QSystemTrayIcon::DoubleClick:
        Q_EMIT dblClick();
        break;
    case QSystemTrayIcon::Context:
        ShowPopupAtCursor();
        break;
    default:
        break;
    }
}

// Qt's icon pops the context menu up at the cursor itself, on every
// platform; what is left is to tell.
void TTrayIcon::ShowPopupAtCursor()
{
    const QPoint at = QCursor::pos();
    Q_EMIT rightClick(Qt::RightButton, Qt::NoModifier, at.x(), at.y());
}

bool TTrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange) {
        const bool was =
            static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowMinimized;
        const bool is = m_window->isMinimized();
        // Hidden only once the minimising is done: showMinimized() shows
        // the window after it has changed its state.
        if (is && !was)
            QTimer::singleShot(0, this, [this] { HandleMinimize(); });
        else if (was && !is)
            HandleRestore();
    }
    return QObject::eventFilter(watched, event);
}

// Without a notification area nothing could bring a hidden window back, and
// the user would lose it with all unsaved work: the window then stays
// minimised on the taskbar.
void TTrayIcon::HandleMinimize()
{
    reportFailure(tr("Error in TTrayIcon.HandleMinimize"), [this] {
        if (m_active && m_window->isMinimized() && QSystemTrayIcon::isSystemTrayAvailable())
            m_window->hide();
    });
}

void TTrayIcon::HandleRestore()
{
    reportFailure(tr("Error in TTrayIcon.HandleRestore"), [this] {
        if (m_active)
            m_window->show();
    });
}
