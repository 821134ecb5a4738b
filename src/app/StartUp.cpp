#include "app/StartUp.h"

#include "app/TfrmAbout.h"
#include "app/TfrmSplash.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "platform/QSettingsStore.h"
#include "platform/SingleInstanceGuard.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <cstdio>

namespace lrl {

bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

const char* noDisplayMessage()
{
    return "Listrel for Delphi needs a display to show its window, and none is available here.\n"
           "Run it under a virtual display instead, for example:\n"
           "    xvfb-run -a listrel-delphi path/to/Project.dpr\n"
           "or, from the source folder:  xvfb-run -a make run\n";
}

const char* desktopId() { return LRL_DESKTOP_ID; }

QIcon programIcon()
{
    // The build puts one picture per size into the resources, named after its size.
    QIcon icon;
    QDir pictures(QStringLiteral(":/icons"));
    for (const QString& name : pictures.entryList({ QStringLiteral("*.png") }, QDir::Files)) {
        int size = QFileInfo(name).baseName().toInt();
        icon.addFile(pictures.filePath(name), QSize(size, size));
    }
    return icon;
}

QStringList handOverPaths(const QStringList& args)
{
    QStringList paths;
    for (const QString& arg : args)
        paths << QFileInfo(arg).absoluteFilePath();
    return paths;
}

void acceptHandOvers(SingleInstanceGuard& guard, TfrmLrlDelphi& window)
{
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &window, [&window](const QStringList& files) {
        SingleInstanceGuard::bringToFront(&window);
        if (files.isEmpty())
            return;
        // Like a drop on the window, the files are opened after the request has been answered.
        QMetaObject::invokeMethod(
            &window, [&window, files] { window.dropFiles(files); }, Qt::QueuedConnection);
    });
}

bool scheduleQuitFromEnvironment(TfrmLrlDelphi& window)
{
    bool ok = false;
    int delay = qEnvironmentVariableIntValue("LRL_QUIT_AFTER_MS", &ok);
    if (!ok || delay < 0)
        return false;
    // Quitting ends every event loop, also that of a message box shown during a load, so the load runs
    // to its end without waiting for an answer and the program ends.
    QTimer::singleShot(delay, &window, [&window] {
        window.close();
        QApplication::quit();
    });
    return true;
}

int runProgram(const QStringList& args)
{
    // Desktops match the program's windows to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopId()));
    QApplication::setWindowIcon(programIcon());

    // The lock is named after the title the application has before the program sets its own.
    SingleInstanceGuard guard(QApplication::applicationDisplayName(), handOverPaths(args));

    QPointer<TfrmSplash> splash = new TfrmSplash;
    splash->showNow();

    QApplication::setApplicationDisplayName(QString::fromLatin1(TfrmLrlDelphi::kCaption));

    if (guard.anotherInstanceRunning()) {
        if (splash)
            splash->close();
        if (guard.handedOver())
            return 0;
        // The file would be lost without a word: the running instance holds the lock but does not answer.
        std::fputs("Listrel for Delphi is already running but did not answer; nothing was opened.\n", stderr);
        return 1;
    }

    // The user's settings; the window reads them as it is created and writes them when it closes.
    QSettingsStore settings;
    TfrmLrlDelphi window(nullptr, {}, &settings);
    QObject::connect(window.mnuAbout, &QAction::triggered, &window, [&window] { TfrmAbout::showModal(&window); });
    acceptHandOvers(guard, window);
    window.show();
    if (splash)
        splash->raise();
    // The file named on the command line is read once the event loop runs, so that closing the window
    // while it loads ends the program as usual.
    // The splash goes once the window shows its first file (but is seen for a moment at least).
    QTimer::singleShot(0, &window, [&window, args, splash] {
        window.openCommandLine(args);
        if (splash)
            splash->release();
    });
    scheduleQuitFromEnvironment(window);
    return QApplication::exec();
}

} // namespace lrl
