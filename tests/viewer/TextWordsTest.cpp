#include "viewer/TextWords.h"

#include "ViewerTestUtil.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::loadBytes;

namespace {

struct Words {
    TCustomSyntaxMemo memo;
    explicit Words(const std::string& text) { loadBytes(memo, text); }
    std::pair<int, int> at(int offset)
    {
        return TextWords::wordAt(memo.textStore().findOffset(offset), memo.wordTests(), offset);
    }
    int next(int offset) { return TextWords::nextWordStart(memo.textStore(), memo.wordTests(), offset); }
    int previous(int offset) { return TextWords::previousWordStart(memo.textStore(), memo.wordTests(), offset); }
};

using Range = std::pair<int, int>;

} // namespace

TEST(TextWords, DoubleClickWordWithinTheRow)
{
    //            0123456789012345678
    Words w("  begin   x_1 := 'a';\r\n  ;;\r\n");
    EXPECT_EQ(w.at(2), (Range { 2, 7 })); // at a word's first character
    EXPECT_EQ(w.at(4), (Range { 2, 7 })); // inside it
    EXPECT_EQ(w.at(8), (Range { 2, 7 })); // on the blanks after it: the word before
    EXPECT_EQ(w.at(0), (Range { 2, 7 })); // nothing before: the first word after
    EXPECT_EQ(w.at(10), (Range { 10, 13 }));
    // "'" and "-" are in-word characters: the quote joins the string's letter.
    EXPECT_EQ(w.at(17), (Range { 17, 20 }));
    // A row without word characters selects nothing; the words of other rows do not count.
    int row2 = 22;
    EXPECT_EQ(w.at(row2 + 3), (Range { row2, row2 }));
}

TEST(TextWords, ReplacedTestsDecideWhatAWordIs)
{
    Words w("a.b c\r\n");
    w.memo.wordTests().charIsInWord = [](uint8_t c) { return c != ' ' && c != '\r'; };
    EXPECT_EQ(w.at(1), (Range { 0, 3 }));
    EXPECT_EQ(w.next(0), 4);
}

TEST(TextWords, WordStepsCrossLinesAndStopAtTheEnds)
{
    Words w("one two\r\n  three"); // the second line starts at 8
    EXPECT_EQ(w.next(0), 4);
    EXPECT_EQ(w.next(4), 10);
    EXPECT_EQ(w.next(10), 15);
    EXPECT_EQ(w.previous(15), 10);
    EXPECT_EQ(w.previous(10), 4);
    EXPECT_EQ(w.previous(5), 4);
    EXPECT_EQ(w.previous(4), 0);
    EXPECT_EQ(w.previous(0), 0);
    Words empty("");
    EXPECT_EQ(empty.next(0), 0);
    EXPECT_EQ(empty.previous(0), 0);
    Words trailing("ab\r\n");
    EXPECT_EQ(trailing.previous(3), 0);
    EXPECT_EQ(trailing.next(0), 3);
}
