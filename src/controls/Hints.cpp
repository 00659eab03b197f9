#include "controls/Hints.h"

#include <QAction>

namespace hints {
namespace {

constexpr char kHintProperty[] = "scrivletHint";

} // namespace

void setHint(QAction *action, const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    action->setProperty(kHintProperty, hint);
}

QString hintOf(const QAction *action)
{
    return action->property(kHintProperty).toString();
}

} // namespace hints
