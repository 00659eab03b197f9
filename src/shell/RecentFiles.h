#pragma once

#include "editor/EditHost.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;

// The recent-files list: one entry per opened file, the most recent first,
// with no length limit while the program runs and no duplicate check. The
// list is the one record of the entries; the frame's File menu shows them
// under a separator that follows Exit, each captioned with the file-name
// part and hinted with the path, and choosing one hands it to the open
// handler.
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    using OpenHandler = std::function<void(QAction *entry)>;

    // The menu holds New, Open, a separator and `exitItem` at the start.
    RecentFiles(QMenu *fileMenu, QAction *exitItem, OpenHandler open, QObject *parent);

    // A new entry at the top of the list, or at its end.
    void add(const QString &caption, const QString &path);
    void append(const QString &caption, const QString &path);
    // The first entry with the same caption and path as `chosen` (which may
    // be a copy of an entry in an edit window's menu) goes to the top.
    void moveToTop(const QAction *chosen);

    // The entries, the top one first.
    const QList<RecentFile> &entries() const { return m_entries; }

private:
    void insert(qsizetype index, const RecentFile &entry);
    QAction *newItem(const RecentFile &entry);

    QMenu *m_menu;
    QAction *m_exit;
    OpenHandler m_open;
    QList<RecentFile> m_entries;
    // The menu items that show the entries, in the same order.
    QList<QAction *> m_items;
};
