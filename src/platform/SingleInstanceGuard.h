#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLocalSocket;
class QWidget;

namespace lrl {

// One running instance per user and window title: the first guard holds a lock and listens under a local
// name derived from "PREVINST:" + title; a later guard finds the lock, asks the first to come to the
// front and hands over the files it was given, and reports that its process should end.
//
// A request is one line "activate", then one line per file (its file: URL, so that any character of a
// path survives), then an empty line. On Unix the socket lives in the user's own runtime folder beside
// the lock and only its owner may connect, so no other user can listen in its place or send requests.
class SingleInstanceGuard : public QObject {
    Q_OBJECT

public:
    // title: the application window's title at start-up, before the program sets its own.
    // files: absolute paths a later instance hands over to the first one (its command line).
    explicit SingleInstanceGuard(const QString& title, const QStringList& files = {}, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when another instance was running; it has been asked to come to the front.
    bool anotherInstanceRunning() const { return m_anotherInstance; }
    // True when another instance was running and the request (with the files) reached it.
    bool handedOver() const { return m_handedOver; }
    // True while this first instance listens for requests.
    bool listening() const { return m_server && m_server->isListening(); }

    // The local name for a title: "PREVINST:" + title and the user, hashed into characters every
    // platform accepts in a socket or pipe name.
    static QString serverName(const QString& title);
    // Where the server for a name listens: on Unix a socket in the user's runtime folder, elsewhere the
    // name itself (a pipe of the user's session).
    static QString serverPath(const QString& serverName);
    // The lock file for a server name.
    static QString lockPath(const QString& serverName);
    // A request as sent over the channel, and the files of one complete request (nothing when the
    // bytes are not a request of ours).
    static QByteArray encodeRequest(const QStringList& files);
    static std::optional<QStringList> decodeRequest(const QByteArray& request);

    // Brings a window to the front: restores it when minimised, else raises and activates it (or the
    // modal dialog it shows, when there is one).
    static void bringToFront(QWidget* window);

signals:
    // A later instance asked this one to come to the front and open files (none: only to come forward).
    void activationRequested(const QStringList& files);

private:
    bool becomeFirst();
    bool askFirstToActivate(const QStringList& files);
    void acceptRequests();
    void readRequest(QLocalSocket* socket);

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_anotherInstance = false;
    bool m_handedOver = false;
};

} // namespace lrl
