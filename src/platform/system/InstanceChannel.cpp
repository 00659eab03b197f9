#include "platform/system/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>

namespace {

constexpr int kClaimTimeoutMs = 5000;
constexpr int kConnectStepMs = 100;

QString userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
}

QString runtimeFolder()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(dir);
    return dir;
}

QString baseName(const QString &appName)
{
    return appName + QLatin1Char('-') + userName();
}

const QString kActivate = QStringLiteral("activate");
const QString kOk = QStringLiteral("ok");
const QString kTaken = QStringLiteral("taken");

// One line on the wire: nothing in it ends it early.
QByteArray toLine(const QString &text)
{
    return text.toUtf8().toPercentEncoding(" /") + '\n';
}

QString fromLine(const QByteArray &line)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(line.chopped(1)));
}

void answer(QLocalSocket *socket, const QStringList &lines)
{
    for (const QString &line : lines)
        socket->write(toLine(line));
    socket->write("\n");
    socket->flush();
}

// Sends the request and reads the answer, which ends with an empty line.
QStringList exchange(QLocalSocket &socket, const QString &appName, const QString &request,
                     int timeoutMs)
{
    socket.connectToServer(InstanceChannel::serverName(appName));
    if (!socket.waitForConnected(timeoutMs))
        return {};
    socket.write(toLine(request));
    socket.flush();
    QStringList lines;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (socket.canReadLine()) {
            const QString line = fromLine(socket.readLine());
            if (line.isEmpty())
                return lines.isEmpty() ? QStringList{QString()} : lines;
            lines << line;
        }
        if (!socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            break;
    }
    return {};
}

// "activate" and the files, each encoded on its own so that no blank in a
// name splits it.
QString activationRequest(const QStringList &paths)
{
    QString request = kActivate;
    for (const QString &path : paths)
        request += QLatin1Char(' ') + QString::fromLatin1(path.toUtf8().toPercentEncoding());
    return request;
}

QStringList requestedPaths(const QString &request)
{
    QStringList paths;
    for (const QString &word :
         request.mid(kActivate.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        paths << QString::fromUtf8(QByteArray::fromPercentEncoding(word.toLatin1()));
    return paths;
}

// Whether the running copy took the request to come forward in time.
bool handOver(const QString &appName, const QStringList &paths, int timeoutMs)
{
    const QString request = activationRequest(paths);
    QLocalSocket socket;
    if (exchange(socket, appName, request, timeoutMs) != QStringList{kOk})
        return false;
    socket.write(toLine(kTaken));
    return socket.waitForBytesWritten(timeoutMs);
}

} // namespace

// The running copy's end of the channel, on a thread of its own.
class ChannelListener : public QObject
{
    Q_OBJECT

public:
    explicit ChannelListener(InstanceChannel *channel)
        : m_channel(channel)
    {}

    void listen(const QString &name)
    {
        auto *server = new QLocalServer(this);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server, &QLocalServer::newConnection, this, [this, server] {
            while (QLocalSocket *socket = server->nextPendingConnection())
                serve(socket);
        });
        server->listen(name);
    }

Q_SIGNALS:
    void handedOver(const QStringList &paths);

private:
    void serve(QLocalSocket *socket)
    {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine())
                take(socket, fromLine(socket->readLine()));
        });
    }

    void take(QLocalSocket *socket, const QString &request)
    {
        if (request == kActivate || request.startsWith(kActivate + QLatin1Char(' '))) {
            socket->setProperty("paths", requestedPaths(request));
            answer(socket, {kOk});
        } else if (request == kTaken && socket->property("paths").isValid()) {
            Q_EMIT handedOver(socket->property("paths").toStringList());
            socket->setProperty("paths", QVariant());
        } else if (request == QLatin1String("status")) {
            answerStatus(socket);
        } else {
            answer(socket, {});
        }
    }

    // The status is the program's: asked on its thread, answered on this.
    void answerStatus(QLocalSocket *socket)
    {
        QMetaObject::invokeMethod(
            m_channel, [channel = m_channel, listener = this, guarded = QPointer(socket)] {
                const QStringList lines = channel->status();
                QMetaObject::invokeMethod(listener, [guarded, lines] {
                    if (guarded)
                        answer(guarded, lines);
                });
            });
    }

    InstanceChannel *m_channel;
};

InstanceChannel::InstanceChannel(const QString &appName, QObject *parent)
    : QObject(parent)
    , m_appName(appName)
    , m_lock(lockPath(appName))
{
    // A lock is stale only when its process is gone, never by its age.
    m_lock.setStaleLockTime(0);
}

InstanceChannel::~InstanceChannel()
{
    m_thread.quit();
    m_thread.wait();
    delete m_listener;
}

QString InstanceChannel::serverName(const QString &appName)
{
#ifdef Q_OS_WIN
    return baseName(appName);
#else
    return runtimeFolder() + QLatin1Char('/') + baseName(appName) + QStringLiteral(".socket");
#endif
}

QString InstanceChannel::lockPath(const QString &appName)
{
    return runtimeFolder() + QLatin1Char('/') + baseName(appName) + QStringLiteral(".lock");
}

InstanceChannel::Claim InstanceChannel::claim(const QStringList &paths)
{
    const QDeadlineTimer deadline(kClaimTimeoutMs);
    do {
        if (m_lock.tryLock(0)) {
            listen();
            return Claim::Running;
        }
        // The running copy may be starting: it listens once it is up. One
        // that listens answers at once; one that was stopped gets the time
        // that is left.
        const int wait = int(std::max<qint64>(kConnectStepMs, deadline.remainingTime()));
        if (handOver(m_appName, paths, wait))
            return Claim::HandedOver;
        // No lock could be made at all (a full runtime folder): nobody holds
        // one that this copy could wait for.
        if (m_lock.error() != QLockFile::LockFailedError)
            return Claim::Running;
        // Nobody listens yet: a moment before the next look.
        if (!deadline.hasExpired())
            QThread::msleep(kConnectStepMs);
    } while (!deadline.hasExpired());
    return Claim::NotAnswering;
}

void InstanceChannel::listen()
{
    // A socket left by a copy that died answers nobody: it is replaced.
    const QString name = serverName(m_appName);
    QLocalServer::removeServer(name);
    m_listener = new ChannelListener(this);
    m_listener->moveToThread(&m_thread);
    connect(m_listener, &ChannelListener::handedOver, this, &InstanceChannel::activationRequested);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_listener, [this, name] { m_listener->listen(name); }, Qt::BlockingQueuedConnection);
}

QStringList InstanceChannel::ask(const QString &appName, const QString &request, int timeoutMs)
{
    QLocalSocket socket;
    return exchange(socket, appName, request, timeoutMs);
}

void InstanceChannel::setStatusReporter(std::function<QStringList()> reporter)
{
    m_reporter = std::move(reporter);
}

QStringList InstanceChannel::status() const
{
    return m_reporter ? m_reporter() : QStringList();
}

#include "InstanceChannel.moc"
