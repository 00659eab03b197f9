#include "controls/ActionTable.h"

#include "controls/Hints.h"
#include "controls/ToolbarImages.h"
#include "platform/system/Prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace actions {
namespace {

bool isSeparator(const Row &row)
{
    return row.caption == QLatin1String("-");
}

void connectHandler(QAction *action, const Row &row)
{
    if (!row.handler)
        return;
    QObject::connect(action, &QAction::triggered, action,
                     [handler = row.handler, failure = row.failure] {
                         if (failure.isEmpty())
                             reportUnhandled(handler);
                         else
                             reportFailure(failure, handler);
                     });
}

// The button that shows what a narrow window leaves out of the row.
void nameOverflowButton(QToolBar *bar)
{
    if (auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QCoreApplication::translate("actions", "More"));
}

} // namespace

QAction *make(QObject *owner, const Row &row)
{
    auto *action = new QAction(owner);
    action->setObjectName(QLatin1String(row.name));
    if (isSeparator(row)) {
        action->setSeparator(true);
    } else {
        // A button is named by its hint's short part; a menu item by its
        // caption, where it has one.
        const QString shortHint = row.hint.section(QLatin1Char('|'), 0, 0);
        action->setText(row.caption.isEmpty() ? shortHint : row.caption);
        if (!shortHint.isEmpty())
            action->setIconText(shortHint);
        if (!row.shortcut.isEmpty())
            action->setShortcuts(QList<QKeySequence>{row.shortcut} + row.otherKeys);
        if (!row.hint.isEmpty())
            hints::setHint(action, row.hint);
        if (!shortHint.isEmpty() && !row.shortcut.isEmpty())
            action->setToolTip(
                QCoreApplication::translate("actions", "%1 (%2)")
                    .arg(shortHint, row.shortcut.toString(QKeySequence::NativeText)));
        if (row.glyph >= 0) {
            action->setIcon(toolbarimages::image(row.glyph));
            // The glyph is the toolbar's: a menu shows the caption alone.
            action->setIconVisibleInMenu(false);
        }
        action->setCheckable(row.checkable || row.group);
        action->setChecked(row.checked);
        if (row.group)
            row.group->addAction(action);
        connectHandler(action, row);
    }
    action->setEnabled(row.enabled);
    action->setVisible(row.visible);
    if (row.slot)
        *row.slot = action;
    return action;
}

void addTo(QMenu *menu, std::initializer_list<Row> rows)
{
    for (const Row &row : rows)
        menu->addAction(make(menu, row));
}

void addTo(QToolBar *bar, std::initializer_list<Row> rows)
{
    for (const Row &row : rows)
        bar->addAction(make(bar, row));
    nameOverflowButton(bar);
}

void addTo(QToolBar *bar, std::initializer_list<QAction *> commands)
{
    for (QAction *command : commands)
        bar->addAction(command);
    nameOverflowButton(bar);
}

} // namespace actions
