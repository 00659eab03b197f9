#pragma once

#include <QString>

class QAction;

// Hints in two parts, "Short|Long": the short part is the tooltip, the long
// one the status-bar text; a hint without a bar is both.
namespace hints {

void setHint(QAction *action, const QString &hint);
// The hint as it was set.
QString hintOf(const QAction *action);

} // namespace hints
