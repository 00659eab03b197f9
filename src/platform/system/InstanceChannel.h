#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

// The channel between copies of the program run by one user. The first
// copy holds a lock and listens; a later copy finds the lock taken and asks
// the running copy, through a local socket only that user can open, to come
// forward and open the later copy's file. A copy that died leaves a lock
// whose process is gone: the next copy takes it over.
//
// Requests and answers are lines of text; each goes over percent-encoded,
// so that a line break in a file name travels whole.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    explicit InstanceChannel(const QString &appName, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // Becomes the running copy and returns true, or asks the running copy to
    // come forward and open the file at `path` (none when empty) and returns
    // false. A running copy that holds the lock but never answers, or a lock
    // that cannot be made at all, leaves this copy to run on its own.
    bool claim(const QString &path = {});

    // The socket's name: in the user's private runtime folder.
    static QString serverName(const QString &appName);

    // Asks a running copy a question ("activate", "activate <path>",
    // "status"); returns its answer, one line per entry, or nothing when no
    // copy answers.
    static QStringList ask(const QString &appName, const QString &request, int timeoutMs = 5000);

    // What the running copy answers to "status".
    void setStatusReporter(std::function<QStringList()> reporter);

Q_SIGNALS:
    // Another copy asked this one to come forward, and to open the file at
    // `path` when it is not empty.
    void activationRequested(const QString &path);

private:
    void serve(class QLocalSocket *socket);
    bool listen();

    QString m_appName;
    QLockFile m_lock;
    QLocalServer m_server;
    std::function<QStringList()> m_reporter;
};
