#include "platform/system/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
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

QString lockPath(const QString &appName)
{
    return runtimeFolder() + QLatin1Char('/') + baseName(appName) + QStringLiteral(".lock");
}

} // namespace

InstanceChannel::InstanceChannel(const QString &appName, QObject *parent)
    : QObject(parent)
    , m_appName(appName)
    , m_lock(lockPath(appName))
{
    // A lock is stale only when its process is gone, never by its age.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

InstanceChannel::~InstanceChannel()
{
    m_server.close();
}

QString InstanceChannel::serverName(const QString &appName)
{
#ifdef Q_OS_WIN
    return baseName(appName);
#else
    return runtimeFolder() + QLatin1Char('/') + baseName(appName) + QStringLiteral(".socket");
#endif
}

bool InstanceChannel::claim()
{
    const QDeadlineTimer deadline(kClaimTimeoutMs);
    do {
        if (m_lock.tryLock(0))
            return listen();
        // The running copy may be starting: it listens once it is up.
        if (!ask(m_appName, QStringLiteral("activate"), kConnectStepMs).isEmpty())
            return false;
    } while (!deadline.hasExpired());
    return true;
}

bool InstanceChannel::listen()
{
    // A socket left by a copy that died answers nobody: it is replaced.
    const QString name = serverName(m_appName);
    QLocalServer::removeServer(name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(name);
    return true;
}

QStringList InstanceChannel::ask(const QString &appName, const QString &request, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(appName));
    if (!socket.waitForConnected(timeoutMs))
        return {};
    socket.write(request.toUtf8() + '\n');
    socket.flush();
    // The answer ends with an empty line.
    QStringList lines;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (socket.canReadLine()) {
            const QString line = QString::fromUtf8(socket.readLine()).chopped(1);
            if (line.isEmpty())
                return lines.isEmpty() ? QStringList{QString()} : lines;
            lines << line;
        }
        if (!socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            break;
    }
    return {};
}

void InstanceChannel::setStatusReporter(std::function<QStringList()> reporter)
{
    m_reporter = std::move(reporter);
}

void InstanceChannel::serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        while (socket->canReadLine()) {
            const QByteArray request = socket->readLine().trimmed();
            QStringList answer;
            if (request == "activate") {
                answer << QStringLiteral("ok");
                Q_EMIT activationRequested();
            } else if (request == "status" && m_reporter) {
                answer = m_reporter();
            }
            for (const QString &line : std::as_const(answer))
                socket->write(line.toUtf8() + '\n');
            socket->write("\n");
            socket->flush();
        }
    });
}
