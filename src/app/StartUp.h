#pragma once

#include <QIcon>
#include <QStringList>

namespace lrl {

class SingleInstanceGuard;
class TfrmLrlDelphi;

// The program's start-up after the application object exists: the single-instance check under
// "PREVINST:" + the application's title at that moment, the splash window, the title "Listrel for
// Delphi", then (unless another instance runs, which is brought to the front and handed the file named
// on the command line instead) the main window, which is shown and offered the arguments as a dropped
// file. Runs the event loop and answers the exit status: 0, or 1 when another instance runs but could
// not be reached.
int runProgram(const QStringList& args);

// The arguments as the absolute paths a later instance hands over (relative ones are taken from the
// folder the program was started in, which the first instance does not know).
QStringList handOverPaths(const QStringList& args);

// Files handed over by a later instance reach the window as a drop on it, once the window has come to
// the front; a hand-over without files only brings it forward.
void acceptHandOvers(SingleInstanceGuard& guard, TfrmLrlDelphi& window);

// The desktop's name for the program: its desktop entry, its icon in the icon theme and its AppStream
// component are all named so.
const char* desktopId();
// The program's icon in every size the build renders, for its windows.
QIcon programIcon();

// When the environment names LRL_QUIT_AFTER_MS (a number of milliseconds), the program closes its main
// window that long after it was shown, and ends: scripted runs (package checks, screenshots) start it
// like a user would and need it to end by itself. A message box open at that moment closes with it.
// Answers whether a quit was scheduled.
bool scheduleQuitFromEnvironment(TfrmLrlDelphi& window);

// Whether a window can be shown at all: false on Linux when no display server is named and no other
// platform was chosen. Asked before the application object is made, so that the program can say so
// plainly instead of failing inside the toolkit.
bool displayAvailable();

// What to tell the user when there is no display.
const char* noDisplayMessage();

} // namespace lrl
