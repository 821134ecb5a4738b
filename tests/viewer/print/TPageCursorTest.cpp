// Laying text out on pages: the one-pass cursor against a plain page-by-page loop that places every row
// at its y and breaks pages at the bottom limit, over many generated texts and page shapes.

#include "viewer/print/TPageCursor.h"

#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TTabStops.h"
#include "viewer/ViewerTestUtil.h"
#include "viewer/print/TPrintLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace lrl;
using lrl::test::loadBytes;

namespace {

struct Row {
    int node = 0;
    int start = 0;
    int length = 0;
    int number = 0;
    bool operator==(const Row&) const = default;
};
using Pages = std::vector<std::vector<Row>>;

std::ostream& operator<<(std::ostream& os, const Row& r)
{
    return os << "{node " << r.node << " @" << r.start << "+" << r.length << " #" << r.number << "}";
}

// --- The reference: rows cut and placed one at a time, y by y.

bool blank(const TLineNode& n, int i)
{
    return static_cast<unsigned char>(n.text()[i]) <= 32;
} // text()[length] is NUL

std::vector<TPrintRow> referenceRows(const TLineNode& n, bool wrap, int wrapWidth, const TTabStops& tabs)
{
    std::vector<TPrintRow> rows;
    const int length = n.length;
    if (!wrap) {
        rows.push_back({ 0, length });
        return rows;
    }
    int p = 0;
    while (p < length && (p == 0 || n.text()[p] != '\r')) {
        int rest = length - p;
        int len;
        if (rest <= wrapWidth && !n.hasTab()) {
            len = rest;
        } else if (!n.hasTab()) {
            int b = 0;
            for (int i = wrapWidth - 1; i >= 1 && !b; --i)
                if (blank(n, p + i))
                    b = i;
            if (b) {
                len = b + 1;
                while (p + len < length && blank(n, p + len))
                    ++len;
            } else {
                len = wrapWidth;
            }
        } else {
            int column = 0, k = 0;
            do {
                column = n.text()[p + k] == '\t' ? tabs.nextTabColumn(column) : column + 1;
                ++k;
            } while (column < wrapWidth - tabs.tabDefault() && p + k < length);
            int b = 0;
            for (int i = k; i >= 1 && !b; --i)
                if (blank(n, p + i))
                    b = i;
            len = b ? b + (p + b < length ? 1 : 0) : k;
        }
        rows.push_back({ p, len });
        p += len;
    }
    return rows;
}

Pages referencePages(const TTextStore& store, const TRect& r, const TPrintFlags& f, int lh, int cw,
    const TTabStops& tabs, TPrintRange range = {})
{
    const int textLeft = f.lineNumbers ? r.left + 10 * cw : r.left;
    const int wrapWidth = (r.right - textLeft) / cw - 1;
    const int bottomLimit = f.pageNumbers ? r.bottom - 4 * lh : r.bottom;
    Pages pages(1);
    const TLineNode* node = store.first();
    int index = 0;
    int counter = 1;
    int linesLeft = 0;
    if (range.on) {
        range.first = std::max(range.first, 1);
        node = store.findLine(range.first - 1).node;
        index = range.first - 1;
        counter = range.first;
        linesLeft = std::abs(range.last - range.first) + 1;
    }
    std::vector<TPrintRow> rows;
    if (node)
        rows = referenceRows(*node, f.wrap, wrapWidth, tabs);
    size_t row = 0;
    int y = 0;
    for (;;) {
        if (y == 0)
            y = f.title || f.date ? r.top + 3 * lh : r.top;
        int number = 0;
        if (node && row == 0 && !(node->prev && !node->prev->endsLine()))
            number = counter++;
        if (!node || row >= rows.size())
            break;
        pages.back().push_back({ index, rows[row].start, rows[row].length, number });
        if (++row >= rows.size()) {
            if (range.on && --linesLeft == 0)
                break;
            node = node->next;
            ++index;
            row = 0;
            if (!node)
                break;
            rows = referenceRows(*node, f.wrap, wrapWidth, tabs);
        }
        y += lh;
        if (y < bottomLimit)
            continue;
        y = 0;
        pages.emplace_back();
    }
    return pages;
}

// --- The cursor's pages, expanded into rows.

Pages cursorPages(const TTextStore& store, const TRect& r, const TPrintFlags& f, int lh, int cw,
    const TTabStops& tabs, TPrintRange range = {})
{
    TPageBody body = TPageGeometry::body(r, f, lh, cw);
    TPrintWrap wrap { f.wrap, body.wrapWidth, &tabs };
    TPageCursor cursor(store, body, wrap, range);
    Pages pages;
    TPrintPage page;
    std::vector<TPrintRow> scratch;
    while (cursor.next(page)) {
        pages.emplace_back();
        TPageCursor::forEachRow(page, wrap, scratch, [&](const TPrintRowRef& ref) {
            pages.back().push_back({ ref.nodeIndex, ref.row.start, ref.row.length, ref.lineNumber });
        });
        EXPECT_EQ(static_cast<int>(pages.back().size()), page.rows);
    }
    return pages;
}

std::string generatedText(std::mt19937& rng)
{
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string text;
    int lines = pick(4) == 0 ? pick(3) : pick(120);
    for (int i = 0; i < lines; ++i) {
        std::string line;
        switch (pick(8)) {
        case 0:
            break; // empty
        case 1: // one long word
            line.assign(static_cast<size_t>(1 + pick(300)), 'x');
            break;
        case 2: // a line longer than a node holds
            for (int k = 0, n = 2000 + pick(3000); k < n; ++k)
                line += pick(7) == 0 ? ' ' : 'a';
            break;
        case 3: // TABs
            for (int k = 0, n = pick(12); k < n; ++k)
                line += std::string(static_cast<size_t>(pick(9)), 'w') + (pick(2) ? "\t" : " \t ");
            break;
        case 4: // blanks, also at the end
            line = std::string(static_cast<size_t>(pick(6)), ' ') + "begin"
                + std::string(static_cast<size_t>(pick(90)), ' ');
            break;
        default: // words
            for (int k = 0, n = pick(30); k < n; ++k)
                line += std::string(static_cast<size_t>(1 + pick(12)), static_cast<char>('a' + pick(26)))
                    + (pick(5) ? " " : "  ");
        }
        text += line;
        if (i + 1 < lines || pick(2))
            text += "\r\n";
    }
    return text;
}

struct Fixture {
    TCustomSyntaxMemo memo;
    explicit Fixture(const std::string& text) { loadBytes(memo, text); }
    const TTextStore& store() const { return memo.textStore(); }
};

const TPrintFlags kAll { true, true, true, true, true };

} // namespace

TEST(TPageCursor, MatchesThePageLoopOverGeneratedTextsAndPages)
{
    std::mt19937 rng(1234);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 400; ++round) {
        Fixture fx(generatedText(rng));
        TTabStops tabs;
        tabs.setTabDefault(2 + pick(7));
        if (pick(3) == 0)
            tabs.setTabColumns("5 9 17 30");
        TPrintFlags f { pick(2) == 1, pick(2) == 1, pick(2) == 1, pick(2) == 1, pick(2) == 1 };
        const int lh = 5 + pick(26);
        const int cw = 3 + pick(10);
        TRect r;
        r.left = pick(50);
        r.top = pick(50);
        r.right = r.left + (f.lineNumbers ? 10 * cw : 0) + (3 + pick(120)) * cw + pick(cw);
        r.bottom = r.top + (pick(5) == 0 ? pick(8 * lh) : lh * (1 + pick(80)) + pick(lh));
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(
            cursorPages(fx.store(), r, f, lh, cw, tabs), referencePages(fx.store(), r, f, lh, cw, tabs));
        TPrintRange range { true, pick(40), pick(60) };
        EXPECT_EQ(cursorPages(fx.store(), r, f, lh, cw, tabs, range),
            referencePages(fx.store(), r, f, lh, cw, tabs, range));
    }
}

TEST(TPageCursor, PageCountEdges)
{
    TTabStops tabs;
    const TRect page { 0, 0, 800, 100 }; // ten rows of 10 pixels without header and footer
    const TPrintFlags plain {};
    EXPECT_EQ(TPageGeometry::body(page, plain, 10, 8).rowsPerPage(), 10);
    {
        Fixture empty("");
        Pages pages = cursorPages(empty.store(), page, kAll, 10, 8, tabs);
        ASSERT_EQ(pages.size(), 1u) << "an empty text prints one page with header and footer only";
        EXPECT_TRUE(pages[0].empty());
    }
    {
        Fixture exact(lrl::test::numberedLines(30));
        EXPECT_EQ(cursorPages(exact.store(), page, plain, 10, 8, tabs).size(), 3u)
            << "no empty trailing page";
        Fixture more(lrl::test::numberedLines(31));
        Pages pages = cursorPages(more.store(), page, plain, 10, 8, tabs);
        ASSERT_EQ(pages.size(), 4u);
        EXPECT_EQ(pages[3], (std::vector<Row> { { 30, 0, 8, 31 } }));
    }
    {
        // Only page numbers: text starts at the top, the footer takes four rows.
        TPrintFlags pageNos;
        pageNos.pageNumbers = true;
        TPageBody body = TPageGeometry::body(page, pageNos, 10, 8);
        EXPECT_EQ(body.top, 0);
        EXPECT_EQ(body.rowsPerPage(), 6);
        // A page too small for anything still takes a row, so that printing always ends.
        EXPECT_EQ(TPageGeometry::body({ 0, 0, 800, 20 }, kAll, 10, 8).rowsPerPage(), 1);
    }
}

TEST(TPageCursor, RowsAndLineNumbers)
{
    TTabStops tabs;
    // 8-pixel characters on a 200-pixel page with line numbers: (200 - 80) / 8 - 1 = 14 characters.
    const TRect page { 0, 0, 200, 1000 };
    TPrintFlags f;
    f.wrap = true;
    f.lineNumbers = true;
    EXPECT_EQ(TPageGeometry::body(page, f, 10, 8).wrapWidth, 14);

    Fixture fx("one two three four five six seven eight nine\r\nnext\r\n"
               "abcdefghijklmnopqrstuvwxyz\r\n");
    Pages pages = cursorPages(fx.store(), page, f, 10, 8, tabs);
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<Row> expected {
        { 0, 0, 14, 1 }, // "one two three ": blanks stay at the end of a row
        { 0, 14, 14, 0 }, // "four five six "
        { 0, 28, 12, 0 }, // "seven eight "
        { 0, 40, 5, 0 }, // "nine" + CR
        { 1, 0, 5, 2 }, // the next line's number is one higher
        { 2, 0, 14, 3 }, // no blank: a hard cut after the wrap width
        { 2, 14, 13, 0 },
    };
    EXPECT_EQ(pages[0], expected);

    f.wrap = false;
    pages = cursorPages(fx.store(), page, f, 10, 8, tabs);
    EXPECT_EQ(pages[0].front(), (Row { 0, 0, 45, 1 }))
        << "without wrap a long line is one row, cut when drawn";

    // A line longer than a node holds continues in the next node, which gets no number.
    Fixture longLine(std::string(3000, 'a') + "\r\nb\r\n");
    pages = cursorPages(longLine.store(), page, f, 10, 8, tabs);
    ASSERT_EQ(pages[0].size(), 3u);
    EXPECT_EQ(pages[0][1].number, 0);
    EXPECT_EQ(pages[0][2].number, 2);
}

TEST(TPageCursor, TabRowsBreakBeforeTheWrapWidthLessATab)
{
    TTabStops tabs; // every 4 columns
    std::vector<TPrintRow> rows;
    TPrintWrap wrap { true, 12, &tabs };
    // Columns are counted until they reach 12 - 4 = 8: "ab\tcdef" (k = 7); searching back from offset 7
    // finds the TAB. The second row counts "cdefghij" and ends on the CR behind it.
    const std::string t = "ab\tcdefghij\r";
    TPrintRows::split(t.data(), static_cast<int>(t.size()), true, wrap, rows);
    EXPECT_EQ(rows, (std::vector<TPrintRow> { { 0, 3 }, { 3, 9 } }));
    const std::string s = "ab\tcdef gh\r";
    // However narrow the page, every row takes at least one character.
    wrap.wrapWidth = -3;
    TPrintRows::split(s.data(), static_cast<int>(s.size()), false, wrap, rows);
    EXPECT_EQ(rows.size(), s.size() - 1);
}

TEST(TPageCursor, LineRangePrintsWholeLines)
{
    TTabStops tabs;
    std::string text;
    for (int i = 1; i <= 10; ++i)
        text += "line " + std::to_string(i)
            + (i == 7 ? " is long enough to wrap onto a second and a third row" : "") + "\r\n";
    Fixture fx(text);
    const TRect page { 0, 0, 300, 1000 };
    TPrintFlags f;
    f.lineNumbers = true;
    f.wrap = true; // (300 - 80) / 8 - 1 = 26 characters
    Pages pages = cursorPages(fx.store(), page, f, 10, 8, tabs, { true, 5, 7 });
    ASSERT_EQ(pages.size(), 1u);
    std::vector<int> numbers;
    int rowsOfSeven = 0;
    for (const Row& r : pages[0]) {
        if (r.number)
            numbers.push_back(r.number);
        rowsOfSeven += r.node == 6;
    }
    EXPECT_EQ(numbers, (std::vector<int> { 5, 6, 7 }));
    EXPECT_EQ(rowsOfSeven, 3) << "the last line of the range is printed with all of its rows";
    EXPECT_EQ(pages[0].size(), 5u);

    pages = cursorPages(fx.store(), page, f, 10, 8, tabs, { true, 0, 1 });
    ASSERT_EQ(pages[0].size(), 1u);
    EXPECT_EQ(pages[0][0].number, 1) << "a range starting before line 1 starts at line 1";

    pages = cursorPages(fx.store(), page, f, 10, 8, tabs, { true, 50, 60 });
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].empty());
}

TEST(TPrintLayout, KeepsThePagesUntilTextOrGeometryChange)
{
    TTabStops tabs;
    Fixture fx(lrl::test::numberedLines(95));
    TPrintLayout layout;
    TPageBody body = TPageGeometry::body({ 0, 0, 800, 100 }, {}, 10, 8);
    TPrintWrap wrap { false, body.wrapWidth, &tabs };
    const auto& pages = layout.pages(fx.store(), fx.memo.textGeneration(), body, wrap);
    ASSERT_EQ(pages.size(), 10u);
    EXPECT_EQ(pages[9].rows, 5);
    EXPECT_EQ(pages[9].lineNumber, 91);
    for (int i = 0; i < 5; ++i)
        layout.pages(fx.store(), fx.memo.textGeneration(), body, wrap);
    EXPECT_EQ(layout.layouts(), 1);

    fx.memo.setSelStart(0);
    fx.memo.replaceSelection("extra\r\n");
    EXPECT_EQ(layout.pages(fx.store(), fx.memo.textGeneration(), body, wrap).back().rows, 6);
    EXPECT_EQ(layout.layouts(), 2);
    body.bottomLimit = 50;
    EXPECT_EQ(layout.pages(fx.store(), fx.memo.textGeneration(), body, wrap).size(), 20u);
    EXPECT_EQ(layout.layouts(), 3);
}
