#include "platform/SingleInstanceGuard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <QWidget>

using namespace lrl;

namespace {

QString uniqueTitle() { return "Listrel test " + QUuid::createUuid().toString(QUuid::WithoutBraces); }

// Starts a second guard for the title and answers the files the first one was handed.
QStringList expectActivation(SingleInstanceGuard& first, const QString& title, const QStringList& files = {})
{
    QSignalSpy spy(&first, &SingleInstanceGuard::activationRequested);
    SingleInstanceGuard second(title, files);
    EXPECT_TRUE(second.anotherInstanceRunning());
    EXPECT_TRUE(second.handedOver());
    EXPECT_FALSE(second.listening());
    EXPECT_TRUE(spy.count() > 0 || spy.wait(3000));
    EXPECT_EQ(spy.count(), 1);
    return spy.isEmpty() ? QStringList { "<none>" } : spy[0][0].toStringList();
}

} // namespace

TEST(SingleInstanceGuard, TheSecondInstanceAsksTheFirstToComeToTheFront)
{
    QString title = uniqueTitle();
    SingleInstanceGuard first(title);
    EXPECT_FALSE(first.anotherInstanceRunning());
    EXPECT_TRUE(first.listening());
    expectActivation(first, title);
    expectActivation(first, title); // every later start asks again

    SingleInstanceGuard other(uniqueTitle()); // another title is another program
    EXPECT_FALSE(other.anotherInstanceRunning());
}

TEST(SingleInstanceGuard, TheFilesOfTheSecondInstanceReachTheFirstUnchanged)
{
    QString title = uniqueTitle();
    SingleInstanceGuard first(title);
    // Every character a path may hold, newlines and percent signs included.
    const QStringList files { "/home/u/My Project/Project1.dpr", "/tmp/a\nb%20c#d?e.pas",
        QString::fromUtf8("/home/\xc3\xbc/F\xc3\xb6rm.dfm"), "/x" };
    EXPECT_EQ(expectActivation(first, title, files), files);
    EXPECT_EQ(expectActivation(first, title, { files[0] }), QStringList { files[0] });
}

TEST(SingleInstanceGuard, OnlyCompleteRequestsOfFileUrlsAreAccepted)
{
    const QStringList files { "/a b/c.dpr", "/d.pas" };
    EXPECT_EQ(SingleInstanceGuard::decodeRequest(SingleInstanceGuard::encodeRequest(files)), files);
    EXPECT_EQ(SingleInstanceGuard::decodeRequest("activate\n\n"), QStringList());
    for (const char* bad : { "activate\n", "activate\nfile:///a.pas\n", "hello\n\n", "activate\nhttp://x/a.pas\n\n",
             "activate\n/plain/path.pas\n\n", "" })
        EXPECT_FALSE(SingleInstanceGuard::decodeRequest(bad).has_value()) << bad;
}

TEST(SingleInstanceGuard, AStrangerOnTheChannelIsDroppedAndRequestsGoOn)
{
    QString title = uniqueTitle();
    SingleInstanceGuard first(title);
    QSignalSpy spy(&first, &SingleInstanceGuard::activationRequested);
    QLocalSocket stranger;
    stranger.connectToServer(SingleInstanceGuard::serverPath(SingleInstanceGuard::serverName(title)));
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("GET / HTTP/1.0\r\n\r\n");
    stranger.flush();
    QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, 3000);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(expectActivation(first, title, { "/p.dpr" }), QStringList { "/p.dpr" });
}

#if defined(Q_OS_UNIX)
TEST(SingleInstanceGuard, OnlyTheUserMayUseTheChannel)
{
    QString title = uniqueTitle();
    SingleInstanceGuard first(title);
    QString name = SingleInstanceGuard::serverName(title);
    QString socket = SingleInstanceGuard::serverPath(name);
    QFileInfo info(socket);
    ASSERT_TRUE(info.exists()) << socket.toStdString();
    EXPECT_FALSE(info.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    // Beside the lock, in a folder only the user may enter.
    EXPECT_EQ(info.absolutePath(), QFileInfo(SingleInstanceGuard::lockPath(name)).absolutePath());
    QFileInfo folder(info.absolutePath());
    EXPECT_FALSE(folder.permissions() & (QFile::ExeGroup | QFile::ExeOther)) << folder.filePath().toStdString();
}
#endif

TEST(SingleInstanceGuard, TheNameDependsOnTheTitleAndIsPortable)
{
    QString a = SingleInstanceGuard::serverName("Listrel for Delphi");
    EXPECT_EQ(a, SingleInstanceGuard::serverName("Listrel for Delphi"));
    EXPECT_NE(a, SingleInstanceGuard::serverName("listrel-delphi"));
    EXPECT_TRUE(QRegularExpression("^[a-z0-9-]+$").match(a).hasMatch()) << a.toStdString();
}

TEST(SingleInstanceGuard, ASocketLeftByACrashedInstanceIsReplaced)
{
    QString title = uniqueTitle();
    QString socketPath = SingleInstanceGuard::serverPath(SingleInstanceGuard::serverName(title));
    {
        QFile stale(socketPath);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstanceGuard first(title);
    EXPECT_FALSE(first.anotherInstanceRunning());
    EXPECT_TRUE(first.listening());
    expectActivation(first, title);
}

TEST(SingleInstanceGuard, ALockLeftByACrashedInstanceIsTakenOver)
{
    QProcess gone;
    gone.start("sleep", { "30" });
    ASSERT_TRUE(gone.waitForStarted());
    qint64 deadPid = gone.processId();
    gone.kill();
    gone.waitForFinished();

    QString title = uniqueTitle();
    QFile lock(SingleInstanceGuard::lockPath(SingleInstanceGuard::serverName(title)));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nsleep\n\n");
    lock.close();

    SingleInstanceGuard first(title);
    EXPECT_FALSE(first.anotherInstanceRunning());
    EXPECT_TRUE(first.listening());
}

TEST(SingleInstanceGuard, BringToFrontRestoresAMinimisedWindow)
{
    QWidget window;
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    SingleInstanceGuard::bringToFront(&window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
    SingleInstanceGuard::bringToFront(nullptr);
}
