#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QWidget;

namespace lrl {

// One running instance per user and window title: the first guard holds a lock and listens under a local
// name derived from "PREVINST:" + title; a later guard finds the lock, asks the first to come to the
// front, and reports that its process should end.
class SingleInstanceGuard : public QObject {
    Q_OBJECT

public:
    // title: the application window's title at start-up, before the program sets its own.
    explicit SingleInstanceGuard(const QString& title, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when another instance was running; it has been asked to come to the front.
    bool anotherInstanceRunning() const { return m_anotherInstance; }
    // True while this first instance listens for requests.
    bool listening() const { return m_server && m_server->isListening(); }

    // The local name for a title: "PREVINST:" + title and the user, hashed into characters every
    // platform accepts in a socket or pipe name.
    static QString serverName(const QString& title);
    // The lock file for a server name.
    static QString lockPath(const QString& serverName);

    // Brings a window to the front: restores it when minimised, else raises and activates it (or the
    // modal dialog it shows, when there is one).
    static void bringToFront(QWidget* window);

signals:
    // A later instance asked this one to come to the front.
    void activationRequested();

private:
    bool becomeFirst();
    bool askFirstToActivate();
    void readRequest();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_anotherInstance = false;
};

} // namespace lrl
