#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

const QRect kPrimary(0, 0, 1920, 1050);
const QRect kRight(1920, 0, 1280, 1000);

} // namespace

TEST(WindowPlacement, AWindowOnAScreenStaysWhereItIs)
{
    EXPECT_EQ(WindowPlacement::fit(QRect(0, 0, 700, 500), { kPrimary }), QRect(0, 0, 700, 500));
    EXPECT_EQ(WindowPlacement::fit(QRect(2000, 100, 700, 500), { kPrimary, kRight }), QRect(2000, 100, 700, 500));
    // Partly off the right edge, but its title bar can still be grabbed.
    EXPECT_EQ(WindowPlacement::fit(QRect(1800, 10, 700, 500), { kPrimary }), QRect(1800, 10, 700, 500));
}

TEST(WindowPlacement, AWindowOffEveryScreenMovesOntoOne)
{
    EXPECT_EQ(WindowPlacement::fit(QRect(-32000, -32000, 700, 500), { kPrimary, kRight }), QRect(0, 0, 700, 500));
    // A screen that is gone: the window lands on the primary screen's nearest edge.
    EXPECT_EQ(WindowPlacement::fit(QRect(3500, 200, 700, 500), { kPrimary }), QRect(1220, 200, 700, 500));
    // Its top edge above the screen, where the title bar cannot be reached.
    EXPECT_EQ(WindowPlacement::fit(QRect(100, -300, 700, 500), { kPrimary }), QRect(100, 0, 700, 500));
    // Its title bar above both screens, mostly over the second one.
    EXPECT_EQ(WindowPlacement::fit(QRect(1900, -200, 700, 500), { kPrimary, kRight }), QRect(1920, 0, 700, 500));
    // Its title bar on the second screen: it stays, even with its lower part below the screen.
    EXPECT_EQ(WindowPlacement::fit(QRect(2000, 900, 700, 500), { kPrimary, kRight }), QRect(2000, 900, 700, 500));
}

TEST(WindowPlacement, AWindowLargerThanTheScreenShrinks)
{
    EXPECT_EQ(WindowPlacement::fit(QRect(0, 0, 32767, 32767), { kPrimary }), kPrimary);
    EXPECT_EQ(WindowPlacement::fit(QRect(10, 10, 700, 500), {}), QRect(10, 10, 700, 500));
}
