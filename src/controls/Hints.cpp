#include "controls/Hints.h"

#include "platform/system/AccessibleNames.h"

#include <QAction>
#include <QWidget>

namespace hints {
namespace {

constexpr char kHintProperty[] = "scrivletHint";

QString shortPart(const QString &hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

QString longPart(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace

void setHint(QAction *action, const QString &hint)
{
    action->setToolTip(shortPart(hint));
    action->setStatusTip(longPart(hint));
    action->setProperty(kHintProperty, hint);
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(shortPart(hint));
    widget->setStatusTip(longPart(hint));
    accessiblenames::setName(widget, shortPart(hint));
    widget->setProperty(kHintProperty, hint);
}

QString hintOf(const QAction *action)
{
    return action->property(kHintProperty).toString();
}

} // namespace hints
