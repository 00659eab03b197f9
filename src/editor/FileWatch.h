#pragma once

#include "platform/system/FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

// Watches the file of a document for what other programs do to it. It knows
// the version the document was loaded from or last saved as, and reports
// each version it has not seen before once, a moment after the writing
// stopped. The program's own saves are no news: the window hands the watch
// the new version as soon as it has written it.
class FileWatch : public QObject
{
    Q_OBJECT

public:
    explicit FileWatch(QObject *parent = nullptr);

    // The document now holds the file's present version; an empty path
    // stops the watch.
    void watch(const QString &path);
    QString path() const { return m_path; }
    // Whether the file on the disk is another version than the document's.
    // A file that is gone is not: saving only puts it back.
    bool changedOnDisk() const;

Q_SIGNALS:
    // Another program wrote the file.
    void changed();
    // The file was deleted or moved away.
    void removed();

private:
    void check();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    std::optional<FileStamp> m_known;
    std::optional<FileStamp> m_seen;
    bool m_reporting = false;
};
