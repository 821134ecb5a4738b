#pragma once

#include <QStringList>

namespace lrl {

// The program's start-up after the application object exists: the single-instance check under
// "PREVINST:" + the application's title at that moment, the splash window, the title "Listrel for
// Delphi", then (unless another instance runs, which is brought to the front instead) the main window,
// which is shown and offered the arguments as a dropped file. Runs the event loop and answers the exit
// status.
int runProgram(const QStringList& args);

// Whether a window can be shown at all: false on Linux when no display server is named and no other
// platform was chosen. Asked before the application object is made, so that the program can say so
// plainly instead of failing inside the toolkit.
bool displayAvailable();

// What to tell the user when there is no display.
const char* noDisplayMessage();

} // namespace lrl
