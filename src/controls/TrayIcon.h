#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

class QWidget;

// One icon in the notification area. It follows its properties while it is
// active, turns clicks on the icon into signals, shows its popup menu on a
// right click, and takes the application's window off the taskbar while the
// window is minimised: the icon is then the way back.
class TTrayIcon : public QObject
{
    Q_OBJECT

public:
    // The longest tooltip kept, in characters.
    static constexpr int kMaxToolTip = 62;

    // `window` is the application's window: the one hidden while it is
    // minimised. It owns the component; the icon leaves the notification
    // area when the component goes.
    explicit TTrayIcon(QWidget *window);

    // Whether the icon is in the notification area; false at first.
    bool isActive() const { return m_active; }
    void setActive(bool active);
    // Shows the icon while a form designer edits its form; the program
    // never runs in one, so it has no effect here.
    bool showDesigning() const { return m_showDesigning; }
    void setShowDesigning(bool show) { m_showDesigning = show; }
    // Empty at first.
    QIcon icon() const { return m_icon; }
    void setIcon(const QIcon &icon);
    // Only the first kMaxToolTip characters are kept.
    QString toolTip() const { return m_toolTip; }
    void setToolTip(const QString &text);
    // Shown at the cursor on a right click; not owned.
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu);

Q_SIGNALS:
    // The left button on the icon.
    void click();
    void dblClick();
    // A right click, once the popup menu is up; at the cursor's position.
    void rightClick(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Hands the icon and the tooltip to the notification area's icon.
    void FillDataStructure();
    void AddIcon();
    void ModifyIcon();
    void DeleteIcon();
    void IconActivated(QSystemTrayIcon::ActivationReason reason);
    void ShowPopupAtCursor();
    void HandleMinimize();
    void HandleRestore();

    QWidget *m_window;
    QSystemTrayIcon *m_tray;
    QPointer<QMenu> m_popupMenu;
    QIcon m_icon;
    QString m_toolTip;
    bool m_active = false;
    bool m_showDesigning = false;
};
