#pragma once

#include <QString>

class QAction;
class QWidget;

// Hints in two parts, "Short|Long": the short part is the tooltip, the long
// one the status-bar text; a hint without a bar is both.
namespace hints {

void setHint(QAction *action, const QString &hint);
// A control in a toolbar takes its hint the same way, and is named by its
// short part for screen readers.
void setHint(QWidget *widget, const QString &hint);
// The hint as it was set.
QString hintOf(const QAction *action);

} // namespace hints
