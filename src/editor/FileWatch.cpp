#include "editor/FileWatch.h"

#include <QScopedValueRollback>

namespace {

// Programs write a file in several steps (an append, a rename after a
// write); the watch looks once they have been quiet this long.
constexpr int kSettleMs = 150;

} // namespace

FileWatch::FileWatch(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_settle, &QTimer::timeout, this, &FileWatch::check);
}

void FileWatch::watch(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_path = path;
    m_known = path.isEmpty() ? std::nullopt : filestamp::of(path);
    m_seen = m_known;
    // A save replaces the file by another one under the same name: the
    // watch follows the name, not the file it had.
    if (m_known)
        m_watcher.addPath(path);
}

bool FileWatch::changedOnDisk() const
{
    if (m_path.isEmpty())
        return false;
    const std::optional<FileStamp> now = filestamp::of(m_path);
    return now && now != m_known;
}

void FileWatch::check()
{
    // One question at a time: what happens while it is asked is looked at
    // when it has been answered.
    if (m_reporting) {
        m_settle.start();
        return;
    }
    if (m_path.isEmpty())
        return;
    const std::optional<FileStamp> now = filestamp::of(m_path);
    if (now && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path); // replaced by a new file, which needs a watch of its own
    if (now == m_seen)
        return;
    m_seen = now;
    const QScopedValueRollback reporting(m_reporting, true);
    if (now)
        Q_EMIT changed();
    else
        Q_EMIT removed();
}
