#include "app/TfrmSplash.h"
#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

using namespace lrl;

TEST(TfrmSplash, IsAWhiteBorderlessWindowOnTopInTheMiddle)
{
    QPointer<TfrmSplash> splash = new TfrmSplash;
    splash->showNow();
    EXPECT_EQ(splash->size(), QSize(360, 240));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash->testAttribute(Qt::WA_ShowWithoutActivating));
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE((splash->geometry().center() - screen.center()).manhattanLength(), 2);
    QImage shot = splash->grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::white));

    EXPECT_TRUE(splash->timer().isActive());
    EXPECT_EQ(splash->timer().interval(), 4000);
    EXPECT_TRUE(splash->timer().isSingleShot());
    // Its timer releases it.
    QMetaObject::invokeMethod(const_cast<QTimer*>(&splash->timer()), "timeout", Qt::DirectConnection);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

// Released by the ready program, the splash closes at once when it has been seen a second, otherwise
// when that second is over.
TEST(TfrmSplash, ReleasedItClosesOnceShownASecond)
{
    QPointer<TfrmSplash> splash = new TfrmSplash;
    splash->showNow();
    splash->release();
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible()) << "not flashed";
    EXPECT_LE(splash->timer().interval(), TfrmSplash::kMinShowMs);
    QTest::qWait(TfrmSplash::kMinShowMs + 300);
    EXPECT_TRUE(splash.isNull());

    splash = new TfrmSplash;
    splash->showNow();
    QTest::qWait(TfrmSplash::kMinShowMs + 50);
    ASSERT_FALSE(splash.isNull()) << "its own timer runs four seconds";
    splash->release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST(StartUp, WithoutADisplayTheProgramSaysHowToGetOne)
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    QByteArray display = qgetenv("DISPLAY");
    QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
#if defined(Q_OS_LINUX)
    EXPECT_FALSE(displayAvailable());
#endif
    qputenv("DISPLAY", ":99");
    EXPECT_TRUE(displayAvailable());
    EXPECT_NE(std::string(noDisplayMessage()).find("xvfb-run -a"), std::string::npos);

    auto restore = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("QT_QPA_PLATFORM", platform);
    restore("DISPLAY", display);
    restore("WAYLAND_DISPLAY", wayland);
}

// A picture of the splash window, written next to the file LRL_SCREENSHOT names as "<name>-splash.png".
TEST(Screenshot, Splash)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    TfrmSplash splash;
    splash.setAttribute(Qt::WA_DeleteOnClose, false);
    splash.showNow();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    target.replace(".png", "-splash.png");
    ASSERT_TRUE(splash.grab().save(target));
}
