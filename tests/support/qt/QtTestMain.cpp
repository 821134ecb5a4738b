// main() of the Qt test executables: one QApplication for the whole run, on the offscreen platform
// unless the environment names another. LRL_TEST_PALETTE=dark runs them (screenshots, mostly) on a dark
// desktop's palette.

#include "DarkPalette.h"

#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariable("LRL_TEST_PALETTE") == QLatin1String("dark"))
        QApplication::setPalette(lrl::test::darkPalette());
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
