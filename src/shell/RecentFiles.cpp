#include "shell/RecentFiles.h"

#include "controls/Hints.h"
#include "platform/system/Prompts.h"

#include <QAction>
#include <QMenu>

RecentFiles::RecentFiles(QMenu *fileMenu, QAction *exitItem, OpenHandler open, QObject *parent)
    : QObject(parent)
    , m_menu(fileMenu)
    , m_exit(exitItem)
    , m_open(std::move(open))
{}

QAction *RecentFiles::newItem(const RecentFile &entry)
{
    auto *item = new QAction(entry.caption, parent());
    hints::setHint(item, entry.path);
    connect(item, &QAction::triggered, this,
            [this, item] { reportUnhandled([this, item] { m_open(item); }); });
    return item;
}

// The separator comes with the first entry.
void RecentFiles::insert(qsizetype index, const RecentFile &entry)
{
    if (m_menu->actions().constLast() == m_exit)
        m_menu->addSeparator();
    QAction *item = newItem(entry);
    m_menu->insertAction(m_items.value(index, nullptr), item);
    m_entries.insert(index, entry);
    m_items.insert(index, item);
}

void RecentFiles::add(const QString &caption, const QString &path)
{
    insert(0, {caption, path});
}

void RecentFiles::append(const QString &caption, const QString &path)
{
    insert(m_entries.size(), {caption, path});
}

// The entry that makes way only leaves the menu: the item may be the one
// being chosen.
void RecentFiles::moveToTop(const QAction *chosen)
{
    const QString path = hints::hintOf(chosen);
    const QString caption = chosen->text();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].path == path && m_entries[i].caption == caption) {
            m_menu->removeAction(m_items.takeAt(i));
            m_entries.removeAt(i);
            add(caption, path);
            return;
        }
    }
}
