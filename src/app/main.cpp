// Entry point of the desktop program.

#include "app/StartUp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!lrl::displayAvailable()) {
        std::fputs(lrl::noDisplayMessage(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return lrl::runProgram(args);
}
