#include "controls/PageControl.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>
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
    setTabData(index, QVariantMap{{QStringLiteral("tag"), tag}});
    return index;
}

int PageControl::tag(int index) const
{
    return tabData(index).toMap().value(QStringLiteral("tag")).toInt();
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

void PageControl::setPageModified(int index, bool modified)
{
    if (index < 0 || index >= count() || isPageModified(index) == modified)
        return;
    QVariantMap data = tabData(index).toMap();
    data[QStringLiteral("modified")] = modified;
    setTabData(index, data);
    setTabIcon(index, modified ? modifiedMark() : QIcon());
    setTabToolTip(index, modified ? tr("Modified") : QString());
}

bool PageControl::isPageModified(int index) const
{
    return tabData(index).toMap().value(QStringLiteral("modified")).toBool();
}

QIcon PageControl::modifiedMark() const
{
    const int side = iconSize().height();
    const qreal ratio = devicePixelRatioF();
    QPixmap dot(QSize(side, side) * ratio);
    dot.setDevicePixelRatio(ratio);
    dot.fill(Qt::transparent);
    QPainter p(&dot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::WindowText));
    p.drawEllipse(QRectF(side * 0.25, side * 0.25, side * 0.5, side * 0.5));
    return QIcon(dot);
}

// A new palette (the desktop's theme changed) draws the marks anew.
void PageControl::changeEvent(QEvent *event)
{
    QTabBar::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    for (int i = 0; i < count(); ++i) {
        if (isPageModified(i))
            setTabIcon(i, modifiedMark());
    }
}

void PageControl::mouseReleaseEvent(QMouseEvent *event)
{
    QTabBar::mouseReleaseEvent(event);
    Q_EMIT mouseUp();
}
