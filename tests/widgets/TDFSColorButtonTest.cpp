#include "widgets/TDFSColorButton.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <vector>

using namespace lrl;

TEST(TDFSColorButton, ReportsOnlyTheUsersChoice)
{
    TDFSColorButton button;
    std::vector<int32_t> reported;
    QObject::connect(&button, &TDFSColorButton::colorChanged, [&](int32_t c) { reported.push_back(c); });

    button.setColorValue(0x123456);
    EXPECT_EQ(button.colorValue(), 0x123456);
    EXPECT_TRUE(reported.empty()) << "filling the button is no choice";

    QList<QAction*> entries = button.colorMenu()->actions();
    ASSERT_EQ(
        entries.size(), TDFSColorButton::standardColorCount() + 2); // the colours, a separator, "Other..."
    EXPECT_EQ(entries.back()->text(), "Other...");
    entries[9]->trigger();
    EXPECT_EQ(entries[9]->text(), "Red");
    EXPECT_EQ(button.colorValue(), 0x0000FF) << "stored as 0x00BBGGRR";
    button.chooseColor(0x0000FF);
    EXPECT_EQ(reported, (std::vector<int32_t> { 0x0000FF, 0x0000FF }))
        << "choosing the shown colour reports too";
    EXPECT_GE(button.sizeHint().width(), TDFSColorButton::kWidth);
}
