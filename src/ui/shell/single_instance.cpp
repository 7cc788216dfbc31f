// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>
#include <utility>

namespace {

constexpr int connectTimeoutMs = 1000;
constexpr int replyTimeoutMs = 3000;
// Room for an export link with a dozen accounts, percent-encoded.
constexpr int maxLineLength = 16384;
const QByteArray linkPrefix = QByteArrayLiteral("link ");

QByteArray requestLine(SingleInstance::Request request)
{
    switch (request) {
    case SingleInstance::Request::activate:
        return QByteArrayLiteral("activate\n");
    case SingleInstance::Request::settings:
        return QByteArrayLiteral("settings\n");
    case SingleInstance::Request::none:
        break;
    }
    return QByteArrayLiteral("hello\n");
}

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_serverName(std::move(serverName))
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
}

SingleInstance::~SingleInstance() = default;

std::optional<QString> SingleInstance::folderProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || info.isSymLink())
        return QStringLiteral("%1 is not a folder").arg(folder);
    if (info.ownerId() != ::getuid())
        return QStringLiteral("%1 belongs to another user").arg(folder);
    if (info.permissions() & (QFile::WriteGroup | QFile::WriteOther))
        return QStringLiteral("other users may create files in %1").arg(folder);
    return std::nullopt;
}

QString SingleInstance::defaultServerName(QString* problem)
{
    const QString name = QStringLiteral("/org.brisvane.Brisvane.instance");
    // A shared folder such as /tmp would let another user take the name first and keep this
    // program from starting.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && !folderProblem(runtime))
        return runtime + name;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString folder = cache + QStringLiteral("/brisvane");
    QDir().mkpath(cache);
    QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (const std::optional<QString> why = folderProblem(folder)) {
        *problem = *why;
        return QString();
    }
    return folder + name;
}

SingleInstance::Role SingleInstance::claim(Request request, const QString& link)
{
    // Within a private folder nobody else can make these; checked anyway, as the folder may
    // have been passed in or changed hands.
    for (const QString& path : {m_serverName, m_serverName + QStringLiteral(".lock")}) {
        const QFileInfo info(path);
        if ((info.exists() || info.isSymLink()) && info.ownerId() != ::getuid()) {
            m_problem = QStringLiteral("%1 belongs to another user").arg(path);
            return Role::refused;
        }
    }

    // One line per request: the link is percent-encoded so no line break can split it.
    const QByteArray line =
        link.isEmpty() ? requestLine(request) : linkPrefix + link.toUtf8().toPercentEncoding() + '\n';
    // Two launches at the same moment must not both decide that nobody is running.
    QLockFile lock(m_serverName + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    const bool locked = lock.tryLock(5000);

    switch (sendToRunning(line)) {
    case Delivery::delivered:
        return Role::secondary;
    case Delivery::unanswered:
        return Role::unanswered;
    case Delivery::noServer:
        break;
    }
    // Nobody answered: a socket file left by a process that died is in the way.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    const bool listening = m_server.listen(m_serverName);
    if (locked)
        lock.unlock();
    return listening ? Role::primary : Role::alone;
}

SingleInstance::Delivery SingleInstance::sendToRunning(const QByteArray& line)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return Delivery::noServer;
    socket.write(line);
    if (!socket.waitForBytesWritten(replyTimeoutMs))
        return Delivery::unanswered;
    // The reply tells that the request was taken, so the caller may exit at once.
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(replyTimeoutMs))
            return Delivery::unanswered;
    }
    return socket.readLine().trimmed() == "ok" ? Delivery::delivered : Delivery::unanswered;
}

void SingleInstance::serve()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        socket->setReadBufferSize(maxLineLength + 1);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            // Anything but a known line is answered and ignored; this socket is private to
            // the user, but a stray client must not crash or confuse the running process.
            const QByteArray line = socket->readLine(maxLineLength).trimmed();
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
            if (line == "activate")
                Q_EMIT activationRequested();
            else if (line == "settings")
                Q_EMIT settingsRequested();
            else if (line.startsWith(linkPrefix))
                Q_EMIT linkReceived(
                    QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(linkPrefix.size()))));
        });
    }
}
