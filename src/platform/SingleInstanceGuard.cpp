#include "platform/SingleInstanceGuard.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace lrl {

namespace {

    constexpr int kConnectMs = 1000;
    constexpr int kRetries = 5;
    // A request names a few files; anything longer, or a peer that stalls, is not a request of ours.
    constexpr qsizetype kMaxRequest = 64 * 1024;
    constexpr int kRequestMs = 5000;
    const QByteArray kActivate = "activate";

    QString userName()
    {
        QString user = qEnvironmentVariable("USER");
        return user.isEmpty() ? qEnvironmentVariable("USERNAME") : user;
    }

    // The user's own runtime folder where there is one (Qt makes sure it belongs to the user and only
    // the user may enter it), else the temporary folder.
    QString privateFolder()
    {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        return folder.isEmpty() ? QDir::tempPath() : folder;
    }

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& title, const QStringList& files, QObject* parent)
    : QObject(parent)
    , m_name(serverName(title))
{
    m_anotherInstance = !becomeFirst();
    if (m_anotherInstance)
        m_handedOver = askFirstToActivate(files);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::serverName(const QString& title)
{
    QByteArray id = ("PREVINST:" + title + '\n' + userName()).toUtf8();
    return "lrl-" + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha256).toHex().left(24));
}

QString SingleInstanceGuard::serverPath(const QString& name)
{
#if defined(Q_OS_UNIX)
    return QDir(privateFolder()).filePath(name);
#else
    return name;
#endif
}

QString SingleInstanceGuard::lockPath(const QString& name)
{
    // In the user's own folder, so other users cannot hold the lock.
    return QDir(privateFolder()).filePath(name + ".lock");
}

QByteArray SingleInstanceGuard::encodeRequest(const QStringList& files)
{
    QByteArray request = kActivate + '\n';
    for (const QString& file : files)
        request += QUrl::fromLocalFile(file).toEncoded() + '\n';
    return request + '\n';
}

std::optional<QStringList> SingleInstanceGuard::decodeRequest(const QByteArray& request)
{
    if (!request.endsWith("\n\n"))
        return std::nullopt;
    QList<QByteArray> lines = request.chopped(2).split('\n');
    if (lines.takeFirst() != kActivate)
        return std::nullopt;
    QStringList files;
    for (const QByteArray& line : lines) {
        QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
        if (!url.isValid() || !url.isLocalFile())
            return std::nullopt;
        files << url.toLocalFile();
    }
    return files;
}

bool SingleInstanceGuard::becomeFirst()
{
    // The lock decides who is first. A lock left by a crashed process is stale (its process is gone)
    // and QLockFile takes it over; a running instance keeps it however long it runs.
    auto lock = std::make_unique<QLockFile>(lockPath(m_name));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return lock->error() != QLockFile::LockFailedError; // no lock at all here: run rather than refuse
    m_lock = std::move(lock);

    // Holding the lock, any socket under the name was left by a crashed instance.
    const QString path = serverPath(m_name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        QLocalServer::removeServer(path);
        m_server->listen(path);
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptRequests);
    return true;
}

bool SingleInstanceGuard::askFirstToActivate(const QStringList& files)
{
    const QByteArray request = encodeRequest(files);
    // The first instance may hold the lock but not listen yet: try a few times.
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverPath(m_name));
        if (socket.waitForConnected(kConnectMs)) {
            bool sent = socket.write(request) == request.size() && socket.waitForBytesWritten(kConnectMs);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstanceGuard::acceptRequests()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection())
        readRequest(socket);
}

void SingleInstanceGuard::readRequest(QLocalSocket* socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // A peer that never finishes its request is dropped.
    QTimer::singleShot(kRequestMs, socket, [socket] { socket->abort(); });
    auto buffer = std::make_shared<QByteArray>();
    QPointer<QLocalSocket> guarded(socket);
    auto handle = [this, guarded, buffer] {
        if (!guarded)
            return;
        *buffer += guarded->readAll();
        qsizetype end = buffer->indexOf("\n\n");
        if (end < 0) {
            if (buffer->size() > kMaxRequest || !kActivate.startsWith(buffer->left(kActivate.size())))
                guarded->abort(); // not a request of ours
            return;
        }
        std::optional<QStringList> files = decodeRequest(buffer->left(end + 2));
        buffer->clear();
        guarded->disconnectFromServer();
        if (files)
            emit activationRequested(*files);
    };
    connect(socket, &QLocalSocket::readyRead, this, handle);
    handle();
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
