// Cross-checks the text store and the viewer model against a slow, plainly written model of the same
// text: the normalised characters as one string and the node boundaries as a list of offsets. Texts are
// generated (line ends of every kind, control characters, TABs, lines far longer than a node, texts that
// span several load blocks) and edited at random.

#include "ViewerTestUtil.h"
#include "viewer/TEdStream.h"
#include "viewer/TTextStoreCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace lrl;
using lrl::test::loadBytes;
using lrl::test::nodeTexts;

namespace {

// The characters a raw text becomes, read in one piece.
std::string refNormalise(const std::string& raw)
{
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        auto c = static_cast<unsigned char>(raw[i]);
        if (c == '\r' || c == '\n') {
            out += '\r';
            char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < raw.size() && raw[i + 1] == partner)
                ++i;
        } else {
            out += c < 32 && c != '\t' ? '.' : static_cast<char>(c);
        }
    }
    return out;
}

// Node lengths of a whole text cut from the left: up to each CR, at most 2047 characters.
std::vector<int> refSplit(const std::string& text)
{
    std::vector<int> lengths;
    size_t i = 0;
    while (i < text.size()) {
        size_t len = 0;
        while (len < 2047 && i + len < text.size()) {
            ++len;
            if (text[i + len - 1] == '\r')
                break;
        }
        lengths.push_back(static_cast<int>(len));
        i += len;
    }
    return lengths;
}

struct RefTabs {
    int width = 4;
    std::vector<int> columns; // 0-based
    int next(int col) const
    {
        for (int c : columns)
            if (c > col)
                return c;
        return col + (width - col % width);
    }
};

// The model: the text and where each node starts.
struct RefModel {
    std::string text;
    std::vector<int> starts;

    int lineCount() const { return static_cast<int>(starts.size()); }
    int nodeLength(int line) const
    {
        return (line + 1 < lineCount() ? starts[line + 1] : static_cast<int>(text.size())) - starts[line];
    }
    bool endsWithCr() const { return !text.empty() && text.back() == '\r'; }
    int lineOf(int offset) const
    {
        if (offset >= static_cast<int>(text.size()))
            return text.empty() ? 0 : (endsWithCr() ? lineCount() : lineCount() - 1);
        return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
    }
    int column(int line, int k, const RefTabs& tabs) const
    {
        int len = nodeLength(line);
        bool last = line == lineCount() - 1;
        int limit = !last && text[starts[line] + len - 1] == '\r' ? len - 1 : len;
        int col = 0;
        for (int i = 0; i < std::min(k, limit); ++i)
            col = text[starts[line] + i] == '\t' ? tabs.next(col) : col + 1;
        return col;
    }
    int charAt(int line, int col, const RefTabs& tabs) const
    {
        int len = nodeLength(line);
        int limit = text[starts[line] + len - 1] == '\r' ? len - 1 : len;
        int i = 0;
        for (int at = 0; i < limit && at < col; ++i)
            at = text[starts[line] + i] == '\t' ? tabs.next(at) : at + 1;
        return i;
    }
    int crsIn(int from, int to) const
    {
        return static_cast<int>(std::count(text.begin() + from, text.begin() + to, '\r'));
    }
};

RefModel modelOf(const TTextStore& store)
{
    RefModel m;
    for (const TLineNode* n = store.first(); n; n = n->next) {
        m.starts.push_back(static_cast<int>(m.text.size()));
        m.text.append(n->text(), n->length);
    }
    return m;
}

std::string generate(std::mt19937& rng, size_t size)
{
    static const std::string pieces[] = { "begin", " ", "  ", "\t", "x := 1;", "\r\n", "\n", "\r", "\n\r",
        std::string(1, '\0'), "\x1b", "\xe9", "'str'", "{ c }", ";" };
    std::string out;
    while (out.size() < size) {
        int pick = static_cast<int>(rng() % 100);
        if (pick < 2)
            out += std::string(1000 + rng() % 6000, 'L'); // a line longer than a node
        else
            out += pieces[rng() % std::size(pieces)];
    }
    return out;
}

RefTabs randomTabs(std::mt19937& rng, TCustomSyntaxMemo& memo)
{
    RefTabs tabs;
    tabs.width = 1 + static_cast<int>(rng() % 8);
    std::string stops;
    int col = 1;
    for (int n = static_cast<int>(rng() % 4); n > 0; --n) {
        col += 1 + static_cast<int>(rng() % 10);
        tabs.columns.push_back(col - 1);
        stops += std::to_string(col) + ";";
    }
    memo.setTabDefault(tabs.width);
    memo.setTabColumns(stops);
    return tabs;
}

void crossCheck(TCustomSyntaxMemo& memo, const RefModel& ref, std::mt19937& rng)
{
    const TTextStore& store = memo.textStore();
    ASSERT_EQ(checkTextStore(store), "");
    ASSERT_EQ(store.charCount(), static_cast<int>(ref.text.size()));
    RefTabs tabs = randomTabs(rng, memo);
    int size = store.charCount();

    // Lines of offsets, visited in a random order with the top line moving, so that the walks start
    // from every kind of known node.
    for (int i = 0; i < 300; ++i) {
        if (i % 25 == 0)
            memo.setTopLine(static_cast<int>(rng() % (ref.lineCount() + 1)));
        int offset = static_cast<int>(rng() % (size + 1));
        if (i % 3 == 0 && ref.lineCount() > 0)
            offset = ref.starts[rng() % ref.lineCount()]; // a node's first character
        int line = ref.lineOf(offset);
        ASSERT_EQ(memo.lineFromChar(offset), line) << offset;
        if (line < ref.lineCount()) {
            int k = offset - ref.starts[line];
            ASSERT_EQ(memo.lineIndex(line), ref.starts[line]);
            ASSERT_EQ(memo.columnOfOffset(offset), ref.column(line, k, tabs)) << offset;
            int col = static_cast<int>(rng() % 80);
            ASSERT_EQ(memo.offsetAtColumn(line, col), ref.starts[line] + ref.charAt(line, col, tabs));
            int len = ref.nodeLength(line);
            int textLen = ref.text[ref.starts[line] + len - 1] == '\r' ? len - 1 : len;
            ASSERT_EQ(memo.lineLength(offset), textLen);
            ASSERT_EQ(memo.lines().get(line), ref.text.substr(ref.starts[line], textLen));
        }
    }
    // Lines on their own, again from wherever the last walk ended.
    for (int i = 0; i < 100 && ref.lineCount() > 0; ++i) {
        int line = static_cast<int>(rng() % ref.lineCount());
        ASSERT_EQ(memo.lineIndex(line), ref.starts[line]) << line;
    }
    ASSERT_EQ(memo.lineIndex(ref.lineCount()), ref.endsWithCr() ? size : -1);
    ASSERT_EQ(memo.lineIndex(ref.lineCount() + 1), -1);

    // Selection lengths in both line-end styles.
    for (int i = 0; i < 30; ++i) {
        int a = static_cast<int>(rng() % (size + 1));
        int b = static_cast<int>(rng() % (size + 1));
        memo.setSelection(a, b);
        int lo = std::min(a, b), hi = std::max(a, b);
        memo.setSelLineStyle(lsLF);
        ASSERT_EQ(memo.selLength(), hi - lo);
        memo.setSelLineStyle(lsCRLF);
        ASSERT_EQ(memo.selLength(), hi - lo + ref.crsIn(lo, hi));
    }

    // The character stream: random jumps, reads and steps.
    TEdStream stream(memo.textStore());
    for (int i = 0; i < 100 && size > 0; ++i) {
        int pos = static_cast<int>(rng() % size);
        stream.seek(pos);
        ASSERT_EQ(stream.current(), static_cast<uint8_t>(ref.text[pos]));
        int steps = static_cast<int>(rng() % 3000);
        bool forward = rng() % 2;
        for (int s = 0; s < steps; ++s)
            forward ? stream.next() : stream.prev();
        int expect = std::clamp(forward ? pos + steps : pos - steps, 0, size);
        ASSERT_EQ(stream.position(), expect);
        ASSERT_EQ(stream.current(), expect < size ? static_cast<uint8_t>(ref.text[expect]) : 0);
        std::string got(rng() % 5000, '\0');
        got.resize(stream.CharStream::read(reinterpret_cast<uint8_t*>(got.data()), got.size()));
        ASSERT_EQ(got, ref.text.substr(expect, got.size()));
    }
}

} // namespace

TEST(ReferenceModel, LoadedTextsMatchTheWholeTextSplit)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 12; ++round) {
        std::string raw = generate(rng, round < 6 ? 300 + rng() % 3000 : 20000 + rng() % 30000);
        TCustomSyntaxMemo memo;
        loadBytes(memo, raw);
        RefModel ref;
        ref.text = refNormalise(raw);
        int at = 0;
        for (int len : refSplit(ref.text)) {
            ref.starts.push_back(at);
            at += len;
        }
        ASSERT_EQ(modelOf(memo.textStore()).starts, ref.starts) << "round " << round;
        ASSERT_EQ(modelOf(memo.textStore()).text, ref.text);
        crossCheck(memo, ref, rng);
        memo.setSelLineStyle(lsCRLF);
        std::string crlf;
        for (char c : ref.text)
            crlf += c == '\r' ? std::string("\r\n") : std::string(1, c);
        ASSERT_EQ(memo.text(), crlf);
    }
}

TEST(ReferenceModel, RandomEditsKeepTextAndPositionsRight)
{
    std::mt19937 rng(11);
    TCustomSyntaxMemo memo;
    std::string raw = generate(rng, 30000);
    loadBytes(memo, raw);
    std::string text = refNormalise(raw);
    for (int edit = 0; edit < 400; ++edit) {
        int size = static_cast<int>(text.size());
        int a = static_cast<int>(rng() % (size + 1));
        int b = std::min(size, a + static_cast<int>(rng() % (rng() % 4 == 0 ? 5000 : 40)));
        std::string insert;
        switch (rng() % 4) {
        case 0:
            insert = std::string(1, "ab\t \x01"[rng() % 5]); // one character: the in-place path
            break;
        case 1:
            insert = "";
            break;
        default:
            insert = generate(rng, rng() % 200);
            if (rng() % 10 == 0)
                insert += generate(rng, 9000);
        }
        memo.setSelection(a, b);
        memo.replaceSelection(insert);
        text = text.substr(0, a) + refNormalise(insert) + text.substr(b);
        ASSERT_EQ(memo.selCaret(), a + static_cast<int>(refNormalise(insert).size()));
        ASSERT_EQ(checkTextStore(memo.textStore()), "") << "edit " << edit;
        ASSERT_EQ(modelOf(memo.textStore()).text, text) << "edit " << edit;
        if (edit % 40 == 0)
            crossCheck(memo, modelOf(memo.textStore()), rng);
    }
}
