// The viewer's Find dialog on a real widget, offscreen: what the dialog starts with, Find Next in both
// directions, and the messages of a failed search and of a bad pattern.

#include "viewer/ui/TViewerFind.h"

#include "../ViewerTestUtil.h"
#include "viewer/ui/TFindDialog.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

using namespace lrl;
using lrl::test::loadBytes;

namespace {

struct FindFixture : ::testing::Test {
    TSyntaxMemo memo;
    TViewerFind* find = new TViewerFind(memo); // owned by the viewer
    std::vector<TSearchMessage> messages;

    FindFixture()
    {
        memo.resize(400, 200);
        find->showMessage = [this](const TSearchMessage& m) { messages.push_back(m); };
    }
    std::pair<int, int> sel() const { return memo.getSel(); }
    TFindDialog& dialog() { return *find->dialog(); }
};

TEST_F(FindFixture, OpensWithTheSelectedTextAndTheFlagsOfItsFirstUse)
{
    loadBytes(memo, "alpha beta\rgamma beta");
    memo.setSel(6, 10);
    TSearchResult result;
    EXPECT_FALSE(find->findText("", result, sfMatchCase | sfBackward));
    ASSERT_NE(find->dialog(), nullptr);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().findText(), "beta");
    EXPECT_TRUE(dialog().matchCase());
    EXPECT_FALSE(dialog().down());
    EXPECT_FALSE(memo.hideSelection());

    // Later uses keep what the user chose in the dialog; only the text is set again.
    dialog().setMatchCase(false);
    find->findText("gamma", result, 0);
    EXPECT_EQ(dialog().findText(), "gamma");
    EXPECT_FALSE(dialog().matchCase());
    EXPECT_FALSE(dialog().down());
}

TEST_F(FindFixture, NothingOpensOnAnEmptyText)
{
    TSearchResult result;
    EXPECT_FALSE(find->findText("x", result, 0));
    EXPECT_EQ(find->dialog(), nullptr);
}

TEST_F(FindFixture, FindNextWalksTheMatchesAndThenReportsNotFound)
{
    loadBytes(memo, "beta alpha\rBeta beta");
    TSearchResult result;
    find->findText("beta", result, 0);
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(0, 4));
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(11, 15)); // case-insensitive: "Beta"
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(16, 20));
    EXPECT_TRUE(messages.empty());

    dialog().findNextButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TSearchMessage::NotFound);
    EXPECT_EQ(messages[0].text, "Search string \"beta\" not found.");
    EXPECT_EQ(sel(), std::make_pair(16, 20));

    // Upwards from there, with match case: the lower-case one at the start.
    dialog().setDown(false);
    dialog().setMatchCase(true);
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(0, 4));
}

// The dialog's text is searched in the text's code page; one with characters the page lacks is not found
// (and never matches the "?" a replaced character left).
TEST_F(FindFixture, FindTextIsTakenIntoTheTextsCodePage)
{
    loadBytes(memo, "? \xD0\x96\xD1\x83\xD0\xBA"); // UTF-8 "? Жук": stored in 1251
    ASSERT_EQ(memo.codePage(), 1251);
    TSearchResult result;
    find->findText("x", result, 0);
    dialog().setFindText("\xF3\xEA", 1251); // "ук"
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(3, 5));
    EXPECT_TRUE(messages.empty());

    memo.setSel(0, 0);
    dialog().setFindText("\xE4", 1252); // "ä": no character of 1251
    EXPECT_EQ(dialog().exactFindText(1251), std::nullopt);
    dialog().findNextButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TSearchMessage::NotFound);
    EXPECT_EQ(sel(), std::make_pair(0, 0));
}

TEST_F(FindFixture, RegularExpressionModeAndPatternErrors)
{
    loadBytes(memo, "x := 10;\ry := 200;");
    TSearchResult result;
    find->findText("", result, 0);
    dialog().setRegexMode(true);
    dialog().setFindText("[0-9]+");
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(5, 7));
    dialog().findNextButton()->click();
    EXPECT_EQ(sel(), std::make_pair(14, 17));

    dialog().setFindText("(ab");
    dialog().findNextButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TSearchMessage::Error);
    EXPECT_NE(messages[0].text.find("Unmatched parenthesis"), std::string::npos);
    EXPECT_EQ(sel(), std::make_pair(14, 17));

    // Find again from the toolbar (flags 0) keeps the box as the user left it, ticked or not, also
    // when it was changed without a search.
    find->findText("", result, 0);
    EXPECT_TRUE(dialog().regexMode());
    dialog().setRegexMode(false);
    find->findText("", result, 0);
    EXPECT_FALSE(dialog().regexMode());
    dialog().setRegexMode(true);
    find->findText("", result, 0);
    EXPECT_TRUE(dialog().regexMode());
}

// A pattern error is one of the system's errors: its box has the error icon.
TEST(TViewerFind, PatternErrorsShowAnErrorBox)
{
    TSyntaxMemo memo;
    loadBytes(memo, "x := 10;");
    auto* find = new TViewerFind(memo); // owned by the viewer, shows its own boxes
    TSearchResult result;
    find->findText("", result, 0);
    find->dialog()->setRegexMode(true);
    find->dialog()->setFindText("(ab");
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            icon = box->icon();
            box->accept();
        }
    });
    closer.start(10);
    find->dialog()->findNextButton()->click();
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(TFindDialog, FindNextIsOnlyEnabledWithAText)
{
    TFindDialog d;
    EXPECT_FALSE(d.findNextButton()->isEnabled());
    d.setFindText("caf\xE9");
    EXPECT_TRUE(d.findNextButton()->isEnabled());
    EXPECT_EQ(d.findText(), "caf\xE9"); // Windows-1252 both ways
}

} // namespace
