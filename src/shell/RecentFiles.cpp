#include "shell/RecentFiles.h"

#include "controls/Hints.h"
#include "platform/system/Prompts.h"

#include <QAction>
#include <QMenu>

namespace {

// New, Open, a separator and Exit come first; the list's own separator and
// its entries follow.
constexpr int kSeparatorIndex = 4;
constexpr int kFirstEntryIndex = 5;

} // namespace

TRecentFiles::TRecentFiles(QMenu *fileMenu, QAction *exitItem, OpenHandler open, QObject *parent)
    : QObject(parent)
    , m_menu(fileMenu)
    , m_exit(exitItem)
    , m_open(std::move(open))
{}

QAction *TRecentFiles::newEntry(const QString &caption, const QString &path)
{
    auto *entry = new QAction(caption, parent());
    hints::setHint(entry, path);
    connect(entry, &QAction::triggered, this,
            [this, entry] { reportUnhandled([this, entry] { m_open(entry); }); });
    return entry;
}

// The separator comes with the first entry.
void TRecentFiles::addSeparatorOnce()
{
    if (m_menu->actions().constLast() == m_exit)
        m_menu->addSeparator();
}

void TRecentFiles::add(const QString &caption, const QString &path)
{
    addSeparatorOnce();
    m_menu->insertAction(m_menu->actions().value(kFirstEntryIndex, nullptr),
                         newEntry(caption, path));
}

void TRecentFiles::append(const QString &caption, const QString &path)
{
    addSeparatorOnce();
    m_menu->addAction(newEntry(caption, path));
}

void TRecentFiles::moveToTop(const QAction *chosen)
{
    const QString path = hints::hintOf(chosen);
    const QList<QAction *> items = m_menu->actions();
    for (qsizetype i = kFirstEntryIndex; i < items.size(); ++i) {
        if (hints::hintOf(items[i]) == path && items[i]->text() == chosen->text()) {
            m_menu->removeAction(items[i]);
            add(chosen->text(), path);
            return;
        }
    }
}

QList<QAction *> TRecentFiles::entries() const
{
    const QList<QAction *> items = m_menu->actions();
    const qsizetype exit = items.indexOf(m_exit);
    if (exit < 0 || exit + 1 >= items.size() || !items[exit + 1]->isSeparator())
        return {};
    return items.mid(exit + 2);
}

QList<QAction *> TRecentFiles::tail() const
{
    const QList<QAction *> items = m_menu->actions();
    return items.size() > kSeparatorIndex ? items.mid(kSeparatorIndex) : QList<QAction *>();
}
