#pragma once

#include <QObject>

class QAction;
class QMenu;
class TFrameForm;
class TTrayIcon;

// The frame's place in the notification area: the program's icon, whose
// left click brings the frame back, and the tray menu, from which the user
// creates or opens a document, opens a favourite, restores the frame or ends
// the program. What shows something restores the frame first, so that it
// shows in a visible frame.
class TrayMenu : public QObject
{
    Q_OBJECT

public:
    // `favourites` is the frame's favourites list for the tray, which
    // becomes the menu's submenu.
    TrayMenu(TFrameForm *frame, QMenu *favourites);

    TTrayIcon *TrayIcon1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *TrayNew = nullptr;
    QAction *TrayOpen = nullptr;
    QAction *TrayClose = nullptr;
    QAction *TrayRestore = nullptr;

    // Brings the frame back and to the front, or the dialog it shows.
    void TrayIcon1Click();

private:
    void createMenu(QMenu *favourites);
    void createIcon();

    TFrameForm *m_frame;
};
