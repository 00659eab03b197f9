#pragma once

#include <QObject>
#include <QRegion>

class QWidget;

// Tells when a window comes into sight again: shown, restored, or uncovered
// by another window. Qt redraws an uncovered window from its backing store,
// so the window's own paint event never hears of it. The program's own
// menus, lists and tooltips going away over the window do not count: they
// come and go all the time.
class ExposureWatch : public QObject
{
    Q_OBJECT

public:
    // Watches `window`, a top-level widget, for as long as both live.
    explicit ExposureWatch(QWidget *window);

Q_SIGNALS:
    void exposed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void popupHidden(const QWidget &popup);
    void windowExposed();
    void windowRedrawn(const QRegion &region);

    QWidget *m_window;
    bool m_inSight = false;
    // Where the program's own popups lay over the window when they went, in
    // screen coordinates, until the window is redrawn there.
    QRegion m_popupsGone;
};
