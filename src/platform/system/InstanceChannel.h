#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <functional>

class ChannelListener;

// The channel between copies of the program run by one user. The first
// copy holds a lock and listens; a later copy finds the lock taken and asks
// the running copy, through a local socket only that user can open, to come
// forward and open the later copy's files. A copy that died leaves a lock
// whose process is gone: the next copy takes it over.
//
// The running copy answers on a thread of its own, so that a later copy
// gets its answer at once even while the program is busy (loading a big
// file, say); the files handed over wait for the program's own thread.
//
// Requests and answers are lines of text; each goes over percent-encoded,
// so that a line break in a file name travels whole. A request to come
// forward names its files after the word "activate", each percent-encoded
// on its own, one blank apart. A hand-over takes
// three lines: the request, the answer "ok", and the later copy's "taken",
// without which the running copy drops the request: a later copy that gave
// up waiting (and may run on its own) never finds its file opened twice.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        Running,      // this copy is the running one (or no lock can be made at all)
        HandedOver,   // the running copy took the file and comes forward
        NotAnswering, // a running copy holds the lock but does not answer
    };

    explicit InstanceChannel(const QString &appName, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // Becomes the running copy, or asks the running copy to come forward
    // and open the files at `paths` (none when empty).
    Claim claim(const QStringList &paths = {});

    // The socket's name and the lock's file: in the user's private runtime
    // folder.
    static QString serverName(const QString &appName);
    static QString lockPath(const QString &appName);

    // Asks a running copy a question ("status"); returns its answer, one
    // line per entry, or nothing when no copy answers.
    static QStringList ask(const QString &appName, const QString &request, int timeoutMs = 5000);

    // What the running copy answers to "status", asked on this object's
    // thread.
    void setStatusReporter(std::function<QStringList()> reporter);
    QStringList status() const;

Q_SIGNALS:
    // Another copy asked this one to come forward, and to open the files
    // at `paths`.
    void activationRequested(const QStringList &paths);

private:
    void listen();

    QString m_appName;
    QLockFile m_lock;
    QThread m_thread;
    ChannelListener *m_listener = nullptr;
    std::function<QStringList()> m_reporter;
};
