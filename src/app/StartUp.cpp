#include "app/StartUp.h"

#include "app/TfrmAbout.h"
#include "app/TfrmSplash.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "platform/QSettingsStore.h"
#include "platform/SingleInstanceGuard.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTimer>

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
           "    xvfb-run -a build/listrel-delphi examples/Sample/Sample.dpr\n"
           "or, from the source folder:  xvfb-run -a make run\n";
}

int runProgram(const QStringList& args)
{
    // The lock is named after the title the application has before the program sets its own.
    SingleInstanceGuard guard(QApplication::applicationDisplayName());

    QPointer<TfrmSplash> splash = new TfrmSplash;
    splash->showNow();

    QApplication::setApplicationDisplayName(QString::fromLatin1(TfrmLrlDelphi::kCaption));

    if (guard.anotherInstanceRunning()) {
        if (splash)
            splash->close();
        return 0;
    }

    // The user's settings; the window reads them as it is created and writes them when it closes.
    QSettingsStore settings;
    TfrmLrlDelphi window(nullptr, {}, &settings);
    QObject::connect(window.mnuAbout, &QAction::triggered, &window, [&window] { TfrmAbout::showModal(&window); });
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &window,
        [&window] { SingleInstanceGuard::bringToFront(&window); });
    window.show();
    if (splash)
        splash->raise();
    // The file named on the command line is read once the event loop runs, so that closing the window
    // while it loads ends the program as usual.
    QTimer::singleShot(0, &window, [&window, args] { window.openCommandLine(args); });
    return QApplication::exec();
}

} // namespace lrl
