// Entry point of the desktop program. The start-up sequence (single instance, splash, main window)
// arrives with the main window; until then the program only reports that it is not built yet.

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::fprintf(stderr, "Listrel for Delphi: the main window is not built yet.\n");
    return 0;
}
