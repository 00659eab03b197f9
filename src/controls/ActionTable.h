#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>

class QAction;
class QActionGroup;
class QMenu;
class QObject;
class QToolBar;

// Menus and toolbars are built from tables: one row per item, read like the
// form's layout. The row also decides the item's accessible name (its
// caption, or the short part of its hint) and how a failure of its handler
// reaches the user. A command that a menu and the toolbar share is one row
// with a caption and a hint: the menu shows the caption, the toolbar the
// glyph, named by the hint's short part. A tooltip names the command's
// short-cut key: "Bold (Ctrl+B)".
namespace actions {

struct Row
{
    QAction **slot = nullptr; // the form's member that keeps the action
    const char *name = "";    // object name
    QString caption{};        // "-" makes a separator
    QKeySequence shortcut{};
    QList<QKeySequence> otherKeys{}; // further keys for the same command
    QString hint{};                  // "Short|Long": tooltip and status text
    int glyph = -1;                  // toolbar image index; -1: none
    std::function<void()> handler{}; // runs when the item is chosen
    // Shown when the handler throws; empty: the failure's own message, as
    // the framework's default error box would show it.
    QString failure{};
    bool checkable = false;
    bool checked = false;
    QActionGroup *group = nullptr; // radio items share a group
    bool enabled = true;
    bool visible = true;
};

// The action a row describes, owned by `owner`.
QAction *make(QObject *owner, const Row &row);

// Appends the rows as items of a menu or buttons of a toolbar, which own
// them.
void addTo(QMenu *menu, std::initializer_list<Row> rows);
void addTo(QToolBar *bar, std::initializer_list<Row> rows);
// Appends a menu's commands as buttons.
void addTo(QToolBar *bar, std::initializer_list<QAction *> commands);

} // namespace actions
