#include "app/StartUp.h"

#include "browser/ui/TfrmLrlDelphi.h"
#include "platform/SingleInstanceGuard.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

using namespace lrl;
using lrl::test::TempDir;

namespace {

const QString kProgram = QStringLiteral(LRL_PROGRAM_PATH);
const QString kSample = QStringLiteral(LRL_SOURCE_DIR "/examples/Sample/");

// The program run as a user would start it, with a home, settings and runtime folder of its own; this
// test process shares the runtime folder, so that a guard made here is the "running instance".
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        runtime = home("run");
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", savedRuntime); }

    QString home(const char* sub) const
    {
        QString path = QString::fromStdString((dir.path() / sub).string());
        QDir().mkpath(path);
        return path;
    }

    // Runs the program to its end; answers its exit status (-1 when it had to be killed).
    int run(const QStringList& args, const QString& quitAfterMs = {})
    {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home("home"));
        env.insert("XDG_CONFIG_HOME", home("home/.config"));
        env.insert("XDG_DATA_HOME", home("home/.local/share"));
        env.insert("XDG_RUNTIME_DIR", runtime);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("LRL_QUIT_AFTER_MS");
        if (!quitAfterMs.isEmpty())
            env.insert("LRL_QUIT_AFTER_MS", quitAfterMs);
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home("cwd"));
        program.start(kProgram, args);
        if (!program.waitForStarted(5000))
            return -1;
        // The program runs in another process, but a first instance made here has to answer it.
        QDeadlineTimer deadline(20000);
        while (program.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(20);
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
        errors = program.readAllStandardError();
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    // The title the program's guard is named after: the application's name before it sets its own.
    static QString programTitle() { return QFileInfo(kProgram).fileName(); }

    TempDir dir;
    QString runtime;
    QByteArray savedRuntime;
    QByteArray errors;
};

} // namespace

TEST_F(ProgramRun, ASecondInstanceHandsItsFileToTheFirstAndEnds)
{
    SingleInstanceGuard guard(programTitle());
    ASSERT_TRUE(guard.listening());
    TfrmLrlDelphi window(nullptr, home("data") + "/LrlDFileInfo.Dat");
    QStringList messages;
    window.setMessageSink([&messages](bool, const QString& text) { messages << text; });
    acceptHandOvers(guard, window);
    window.show();

    // A relative path is taken from the folder the second instance was started in.
    QFile::copy(kSample + "Main.pas", home("cwd") + "/Unit With Spaces.pas");
    EXPECT_EQ(run({ "Unit With Spaces.pas" }), 0) << errors.toStdString();
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(window.browser().openedFile()),
        home("cwd") + "/Unit With Spaces.pas", 5000);

    // The drop rules apply to what is handed over.
    EXPECT_EQ(run({ kSample + "Main.pas", kSample + "About.pas" }), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages, QStringList { "Only ONE file can be dropped!" }, 5000);
    EXPECT_EQ(QString::fromStdString(window.browser().openedFile()), home("cwd") + "/Unit With Spaces.pas");

    // Without a file it only comes forward.
    QSignalSpy requests(&guard, &SingleInstanceGuard::activationRequested);
    EXPECT_EQ(run({}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 1, 5000);
    EXPECT_EQ(requests[0][0].toStringList(), QStringList());
}

TEST_F(ProgramRun, ASecondInstanceThatCannotReachTheFirstSaysSoAndFails)
{
    // Another process holds the lock but never listens (it hangs, say).
    QLockFile lock(SingleInstanceGuard::lockPath(SingleInstanceGuard::serverName(programTitle())));
    ASSERT_TRUE(lock.tryLock(0));
    EXPECT_EQ(run({ kSample + "Main.pas" }), 1);
    EXPECT_TRUE(errors.contains("already running but did not answer")) << errors.toStdString();
}

TEST_F(ProgramRun, AScriptedRunOpensTheFileClosesItsMessageBoxesAndEnds)
{
    // The sample names a missing unit, so its load stops in an error box, which the quit closes too.
    EXPECT_EQ(run({ kSample + "Sample.dpr" }, "300"), 0) << errors.toStdString();
    QSettings written(home("home/.config") + "/Corvane/Listrel Delphi.conf", QSettings::IniFormat);
    EXPECT_EQ(written.value("MRU Items/F0").toString(), kSample + "Sample.dpr");
    EXPECT_TRUE(QDir(home("cwd")).isEmpty());
}

TEST(StartUp, TheProgramIconHasEveryRenderedSize)
{
    QIcon icon = programIcon();
    QList<QSize> sizes = icon.availableSizes();
    for (int size : { 16, 32, 48, 256 })
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    // Drawn, not blank: the middle of the picture is not transparent.
    QImage picture = icon.pixmap(48).toImage();
    EXPECT_GT(qAlpha(picture.pixel(24, 24)), 0);
}
