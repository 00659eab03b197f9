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

const QString kActivate = QStringLiteral("activate");

// One line on the wire: nothing in it ends it early.
QByteArray toLine(const QString &text)
{
    return text.toUtf8().toPercentEncoding(" /") + '\n';
}

QString fromLine(const QByteArray &line)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(line.chopped(1)));
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

bool InstanceChannel::claim(const QString &path)
{
    const QString request = path.isEmpty() ? kActivate : kActivate + QLatin1Char(' ') + path;
    const QDeadlineTimer deadline(kClaimTimeoutMs);
    do {
        if (m_lock.tryLock(0))
            return listen();
        // The running copy may be starting: it listens once it is up. One
        // that is busy gets the time that is left to answer, so that a file
        // is not handed over twice.
        const int wait = int(std::max<qint64>(kConnectStepMs, deadline.remainingTime()));
        if (!ask(m_appName, request, wait).isEmpty())
            return false;
        // No lock could be made at all (a full runtime folder): nobody holds
        // one that this copy could wait for.
        if (m_lock.error() != QLockFile::LockFailedError)
            return true;
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
    socket.write(toLine(request));
    socket.flush();
    // The answer ends with an empty line.
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

void InstanceChannel::setStatusReporter(std::function<QStringList()> reporter)
{
    m_reporter = std::move(reporter);
}

void InstanceChannel::serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        while (socket->canReadLine()) {
            const QString request = fromLine(socket->readLine());
            QStringList answer;
            if (request == kActivate || request.startsWith(kActivate + QLatin1Char(' '))) {
                answer << QStringLiteral("ok");
                Q_EMIT activationRequested(request.mid(kActivate.size() + 1));
            } else if (request == QLatin1String("status") && m_reporter) {
                answer = m_reporter();
            }
            for (const QString &line : std::as_const(answer))
                socket->write(toLine(line));
            socket->write("\n");
            socket->flush();
        }
    });
}
