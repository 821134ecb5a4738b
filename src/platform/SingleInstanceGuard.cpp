#include "platform/SingleInstanceGuard.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

namespace lrl {

namespace {

    constexpr int kConnectMs = 1000;
    constexpr int kRetries = 5;
    const QByteArray kActivate = "activate\n";

    QString userName()
    {
        QString user = qEnvironmentVariable("USER");
        return user.isEmpty() ? qEnvironmentVariable("USERNAME") : user;
    }

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& title, QObject* parent)
    : QObject(parent)
    , m_name(serverName(title))
{
    m_anotherInstance = !becomeFirst();
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::serverName(const QString& title)
{
    QByteArray id = ("PREVINST:" + title + '\n' + userName()).toUtf8();
    return "lrl-" + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha256).toHex().left(24));
}

QString SingleInstanceGuard::lockPath(const QString& name)
{
    // The user's own runtime folder where there is one, so other users cannot hold the lock.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(name + ".lock");
}

bool SingleInstanceGuard::becomeFirst()
{
    // The lock decides who is first. A lock left by a crashed process is stale (its process is gone)
    // and QLockFile takes it over; a running instance keeps it however long it runs.
    auto lock = std::make_unique<QLockFile>(lockPath(m_name));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            return true; // no lock can be taken here at all: run rather than refuse to start
        askFirstToActivate();
        return false;
    }
    m_lock = std::move(lock);

    // Holding the lock, any socket under the name was left by a crashed instance.
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        QLocalServer::removeServer(m_name);
        m_server->listen(m_name);
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::readRequest);
    return true;
}

bool SingleInstanceGuard::askFirstToActivate()
{
    // The first instance may hold the lock but not listen yet: try a few times.
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(kConnectMs)) {
            socket.write(kActivate);
            bool sent = socket.waitForBytesWritten(kConnectMs);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstanceGuard::readRequest()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto handle = [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kActivate.size())
                    socket->abort(); // not a request of ours
                return;
            }
            if (socket->readLine(kActivate.size() + 1) == kActivate)
                emit activationRequested();
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        handle();
    }
}

void SingleInstanceGuard::bringToFront(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized()) {
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->show();
        return;
    }
    QWidget* target = QApplication::activeModalWidget();
    if (!target || !target->isVisible() || !target->isEnabled())
        target = window;
    target->raise();
    target->activateWindow();
}

} // namespace lrl
