#include "shell/Tray.h"

#include "controls/ActionTable.h"
#include "controls/AppIcon.h"
#include "controls/TrayIcon.h"
#include "platform/system/Prompts.h"
#include "shell/MDIFrame.h"

#include <QApplication>
#include <QMenu>

TrayMenu::TrayMenu(TFrameForm *frame, QMenu *favourites)
    : QObject(frame)
    , m_frame(frame)
{
    createMenu(favourites);
    createIcon();
}

void TrayMenu::createMenu(QMenu *favourites)
{
    PopupMenu1 = new QMenu(m_frame);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    TFrameForm *f = m_frame;
    // clang-format off
    actions::addTo(PopupMenu1, {
        {.slot = &TrayNew, .name = "TrayNew", .caption = tr("New"),
         .handler = [f] { f->restoreApplication(); f->New1Click(); }},
        {.slot = &TrayOpen, .name = "TrayOpen", .caption = tr("Open"),
         .handler = [f] { f->restoreApplication(); f->Open1Click(); }},
    });
    PopupMenu1->addMenu(favourites);
    actions::addTo(PopupMenu1, {
        {.name = "N2", .caption = QStringLiteral("-")},
        {.slot = &TrayClose, .name = "TrayClose", .caption = tr("Exit"),
         .handler = [f] { f->Exit1Click(); }},
        {.name = "pop", .caption = QStringLiteral("-")},
        {.slot = &TrayRestore, .name = "TrayRestore", .caption = tr("RESTORE"),
         .handler = [f] { f->restoreApplication(); }},
    });
    // clang-format on
    PopupMenu1->setDefaultAction(TrayRestore);
    QFont bold = TrayRestore->font();
    bold.setBold(true);
    TrayRestore->setFont(bold);
}

// The picture goes in before the icon goes up, so that the tray never
// shows an empty icon.
void TrayMenu::createIcon()
{
    TrayIcon1 = new TTrayIcon(m_frame);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    connect(TrayIcon1, &TTrayIcon::click, this,
            [this] { reportUnhandled([this] { TrayIcon1Click(); }); });
    TrayIcon1->setPopupMenu(PopupMenu1);
    TrayIcon1->setIcon(appicon::icon());
    TrayIcon1->setActive(true);
}

void TrayMenu::TrayIcon1Click()
{
    m_frame->restoreApplication();
    QWidget *window = QApplication::activeModalWidget();
    if (!window)
        window = m_frame;
    window->raise();
    window->activateWindow();
}
