#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;

// The recent-files list at the bottom of the frame's File menu: under a
// separator that follows Exit, one entry per opened file, the most recent
// first. An entry's caption is the file-name part and its hint the path;
// choosing it hands the entry to the open handler. The list has no length
// limit while the program runs and no duplicate check.
class TRecentFiles : public QObject
{
    Q_OBJECT

public:
    using OpenHandler = std::function<void(QAction *entry)>;

    // The menu holds New, Open, a separator and `exitItem` at the start.
    TRecentFiles(QMenu *fileMenu, QAction *exitItem, OpenHandler open, QObject *parent);

    // A new entry at the top of the list, or at its end.
    void add(const QString &caption, const QString &path);
    void append(const QString &caption, const QString &path);
    // The first entry with the same caption and path as `chosen` (which may
    // be a copy of an entry in an edit window's menu) goes to the top.
    void moveToTop(const QAction *chosen);

    // The entries, the top one first.
    QList<QAction *> entries() const;
    // The separator and the entries, for the copy an edit window shows.
    QList<QAction *> tail() const;

private:
    QAction *newEntry(const QString &caption, const QString &path);
    void addSeparatorOnce();

    QMenu *m_menu;
    QAction *m_exit;
    OpenHandler m_open;
};
