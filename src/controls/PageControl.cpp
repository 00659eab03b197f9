#include "controls/PageControl.h"

#include <QSignalBlocker>

PageControl::PageControl(QWidget *parent)
    : QTabBar(parent)
{
    setExpanding(false);
    setDocumentMode(true);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
}

int PageControl::addPage(const QString &caption, int tag)
{
    const QSignalBlocker quiet(this);
    const int index = addTab(caption);
    setTabData(index, tag);
    return index;
}

int PageControl::tag(int index) const
{
    return tabData(index).toInt();
}

int PageControl::indexOfTag(int tag, int limit) const
{
    const int n = limit < 0 ? count() : std::min(limit, count());
    for (int i = 0; i < n; ++i) {
        if (this->tag(i) == tag)
            return i;
    }
    return -1;
}

void PageControl::setActivePage(int index)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

void PageControl::removePage(int index)
{
    const QSignalBlocker quiet(this);
    removeTab(index);
}

void PageControl::mouseReleaseEvent(QMouseEvent *event)
{
    QTabBar::mouseReleaseEvent(event);
    Q_EMIT mouseUp();
}
