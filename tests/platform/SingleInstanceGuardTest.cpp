#include "platform/SingleInstanceGuard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QUuid>
#include <QWidget>

using namespace lrl;

namespace {

QString uniqueTitle() { return "Listrel test " + QUuid::createUuid().toString(QUuid::WithoutBraces); }

void expectActivation(SingleInstanceGuard& first, const QString& title)
{
    QSignalSpy spy(&first, &SingleInstanceGuard::activationRequested);
    SingleInstanceGuard second(title);
    EXPECT_TRUE(second.anotherInstanceRunning());
    EXPECT_FALSE(second.listening());
    EXPECT_TRUE(spy.count() > 0 || spy.wait(3000));
    EXPECT_EQ(spy.count(), 1);
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
    QString socketPath = QDir::temp().filePath(SingleInstanceGuard::serverName(title));
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
