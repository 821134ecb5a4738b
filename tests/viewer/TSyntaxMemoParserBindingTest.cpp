// Viewers bound to the scanner component with the shipped Object Pascal scheme: taking the scheme over,
// scanning loaded files end to end, reporting tokens as the project browser reads them, edits and
// appended lines, and the lifetime of the binding.

#include "ViewerTestUtil.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/FakePascalViewer.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TSyntaxMemoStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace lrl;
using lrl::test::loadBytes;

namespace {

const std::filesystem::path kSample = std::filesystem::path(LRL_SOURCE_DIR) / "examples" / "Sample";

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Token {
    int value, start, end;
    bool operator==(const Token&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Token& t)
{
    return os << "{" << t.value << ", " << t.start << ", " << t.end << "}";
}

// Every character's token value in text order; -1 for a character whose node has none.
std::vector<int> values(const TCustomSyntaxMemo& memo)
{
    std::vector<int> out;
    for (const TLineNode* n = memo.textStore().first(); n; n = n->next)
        for (int i = 0; i < n->length; ++i)
            out.push_back(n->hasAttrs() ? n->attrs()[i] : -1);
    return out;
}

// The token value of the first character of the first occurrence of word.
int valueAt(const TCustomSyntaxMemo& memo, const std::string& word)
{
    std::string text = lrl::test::storeText(memo.textStore());
    size_t at = text.find(word);
    return at == std::string::npos ? -2 : values(memo)[at];
}

struct Recorder {
    std::vector<Token> seen;
    void attach(TCustomSyntaxMemo& memo)
    {
        memo.OnTokenSeen = [this](TCustomSyntaxMemo&, int& value, int start, int end) {
            seen.push_back({ value, start, end });
        };
    }
    std::vector<Token> tokens() const
    {
        std::vector<Token> out;
        for (const Token& t : seen)
            if (t.value >= 0)
                out.push_back(t);
        return out;
    }
};

} // namespace

TEST(TSyntaxMemoParserBinding, ABoundViewerTakesTheSchemeOverAndLetsGoOfIt)
{
    auto parser = createShippedParser();
    parser->settings().rightMargin = 72;
    TCustomSyntaxMemo memo(*parser);
    EXPECT_EQ(memo.parser(1), parser.get());
    EXPECT_EQ(memo.activeParser(), 1);
    EXPECT_EQ(parser->viewers().size(), 1u);
    EXPECT_EQ(memo.rightMargin(), 72);
    EXPECT_EQ(memo.settings().map, parser->settings().map);
    EXPECT_EQ(memo.settings().effects, parser->settings().effects);
    EXPECT_EQ(memo.textFont(), parser->settings().font);

    // A font set on the viewer goes into the component's settings, which its style fonts come from.
    memo.setTextFont({ "DejaVu Sans Mono", 11, 0 });
    EXPECT_EQ(parser->settings().font.name, "DejaVu Sans Mono");

    // Emptying the slot lets the viewer go; the settings it took stay.
    memo.setParser(1, nullptr);
    EXPECT_TRUE(parser->viewers().empty());
    EXPECT_EQ(memo.rightMargin(), 72);
    loadBytes(memo, "begin end;");
    EXPECT_EQ(valueAt(memo, "begin"), -1) << "nothing scans without a component";
}

TEST(TSyntaxMemoParserBinding, ViewersAndTheComponentMayGoInEitherOrder)
{
    auto parser = createShippedParser();
    {
        TCustomSyntaxMemo shown(*parser);
        TCustomSyntaxMemo hidden(*parser);
        EXPECT_EQ(parser->viewers().size(), 2u);
    }
    EXPECT_TRUE(parser->viewers().empty()) << "a destroyed viewer detaches itself";

    TCustomSyntaxMemo memo(*parser);
    memo.setParser(3, parser.get()); // the same component in two slots
    memo.setParser(1, nullptr);
    EXPECT_EQ(parser->viewers().size(), 1u) << "still held by slot 3";
    memo.setParser(1, parser.get());
    parser.reset();
    EXPECT_EQ(memo.parser(1), nullptr);
    EXPECT_EQ(memo.parser(3), nullptr);
    loadBytes(memo, "begin end;"); // no scanner left to call
    EXPECT_EQ(valueAt(memo, "begin"), -1);
}

TEST(TSyntaxMemoParserBinding, SwitchingTheActiveSlotTakesThatSchemeOver)
{
    auto first = createShippedParser("First");
    auto second = createShippedParser("Second");
    second->settings().rightMargin = 60;
    TCustomSyntaxMemo memo(*first);
    memo.setParser(2, second.get());
    EXPECT_EQ(memo.rightMargin(), 80) << "a component in another slot changes nothing";
    loadBytes(memo, "begin end;");
    memo.setActiveParser(2);
    EXPECT_EQ(memo.rightMargin(), 60);
    EXPECT_EQ(valueAt(memo, "begin"), 30);
}

// After a load the viewer takes the scheme's fonts and styles again (the user's stored styles may have
// been loaded meanwhile) but keeps the options the program gave it.
TEST(TSyntaxMemoParserBinding, ALoadTakesTheSchemesStylesAgainButKeepsTheOptions)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    TSyntaxMemoOptions options;
    options.insert(smoSyntaxHighlight);
    options.insert(smoLineNumbers);
    memo.setOptions(options);
    int style = parser->settings().map[35];
    parser->settings().effects[style].foreground = 0x123456;
    loadBytes(memo, "implementation");
    EXPECT_EQ(memo.settings().effects[style].foreground, 0x123456);
    EXPECT_EQ(memo.options(), options);
}

// The whole text is scanned before the load returns, every token reported in order between the -1 and
// -2 calls, and the values the browser relies on come out where it expects them.
TEST(TSyntaxMemoParserBinding, ALoadedUnitIsScannedWholeAndEveryTokenReportedInOrder)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    Recorder rec;
    rec.attach(memo);
    memo.loadFromFile((kSample / "Main.pas").string());

    ASSERT_GE(rec.seen.size(), 3u);
    EXPECT_EQ(rec.seen.front(), (Token { -1, -1, -1 }));
    EXPECT_EQ(rec.seen.back(), (Token { -2, -2, -2 }));
    std::vector<Token> tokens = rec.tokens();
    EXPECT_EQ(tokens.size() + 2, rec.seen.size()) << "one scan only";
    int at = 0;
    for (const Token& t : tokens) {
        ASSERT_EQ(t.start, at) << t;
        ASSERT_GT(t.end, t.start) << t;
        at = t.end;
    }
    EXPECT_EQ(at, memo.textStore().charCount());
    for (int v : values(memo))
        ASSERT_GE(v, 0) << "every character has its value";

    EXPECT_EQ(valueAt(memo, "implementation"), 35);
    EXPECT_EQ(valueAt(memo, "procedure"), 65);
    EXPECT_EQ(valueAt(memo, "begin"), 30);
}

// What the browser's routine collector makes of a token stream: the name after each routine word,
// with its class ("TForm1.Button1Click").
std::vector<std::string> routineNames(const std::vector<Token>& tokens, const std::string& text)
{
    std::vector<std::string> names;
    auto word = [&](const Token& t) { return text.substr(t.start, t.end - t.start); };
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].value < 62 || tokens[i].value > 65)
            continue;
        size_t k = i + 1;
        while (k < tokens.size() && (tokens[k].value == 61 || tokens[k].value == 1 || tokens[k].value == 8 || tokens[k].value == 9))
            ++k;
        if (k >= tokens.size() || tokens[k].value != 2)
            continue;
        std::string name = word(tokens[k]);
        if (k + 2 < tokens.size() && tokens[k + 1].value == 60 && tokens[k + 2].value == 2)
            name += "." + word(tokens[k + 2]);
        names.push_back(name);
    }
    return names;
}

// The browser's state machines were written against a stand-in scanner; on the sample project the real
// scheme must give them the same strings, "implementation", routine words and begin/end at the same
// offsets, read back as the same texts, and the same routine names. (The real scheme differs where the
// browser does not look: ".." is one symbol, "string" a reserved word, "overload" an identifier.)
TEST(TSyntaxMemoParserBinding, TheBrowsersTokensMatchTheStandInOnTheSampleProject)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    Recorder rec;
    rec.attach(memo);
    auto relied = [](int v) { return v == 3 || v == 35 || (v >= 62 && v <= 65) || v == 30 || v == 31; };
    int routines = 0;
    for (const char* name : { "Sample.dpr", "Main.pas", "About.pas", "Options.pas", "Inventory.pas" }) {
        SCOPED_TRACE(name);
        rec.seen.clear();
        memo.loadFromFile((kSample / name).string());
        std::string text = lrl::test::toViewerText(fileBytes(kSample / name));
        ASSERT_EQ(lrl::test::storeText(memo.textStore()), text);
        std::vector<Token> real;
        for (const Token& t : rec.tokens()) {
            ASSERT_EQ(memo.textRange(t.start, t.end), text.substr(t.start, t.end - t.start));
            if (relied(t.value))
                real.push_back(t);
        }
        std::vector<Token> standInAll;
        std::vector<Token> standIn;
        for (const auto& t : lrl::test::fakePascalTokens(text)) {
            standInAll.push_back({ t.value, t.start, t.end });
            if (relied(t.value))
                standIn.push_back(standInAll.back());
        }
        EXPECT_EQ(real, standIn);
        std::vector<std::string> names = routineNames(rec.tokens(), text);
        EXPECT_EQ(names, routineNames(standInAll, text));
        routines += static_cast<int>(names.size());
    }
    EXPECT_GT(routines, 10);
}

// The print buffer is filled line by line while a token notification watches it (the heading and routine
// print jobs stop on what it reports). A line appended to it is scanned at once, and the scan restarts
// at the last character whose value is in the restart set ({0} for this scheme, which Object Pascal text
// rarely holds), so each append reports the tokens of the whole text so far.
TEST(TSyntaxMemoParserBinding, EachLineAppendedToAHiddenViewerReportsTheTokensOfItsTextSoFar)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo buffer(*parser);
    Recorder rec;
    rec.attach(buffer);
    std::vector<int> routineWords;
    for (const char* line : { "unit A;", "interface", "implementation", "procedure P;", "begin", "end;" }) {
        rec.seen.clear();
        buffer.lines().add(line);
        std::vector<Token> tokens = rec.tokens();
        ASSERT_FALSE(tokens.empty()) << line;
        EXPECT_EQ(tokens.front().start, 0);
        EXPECT_EQ(tokens.back().end, buffer.textStore().charCount());
        routineWords.push_back(static_cast<int>(
            std::count_if(tokens.begin(), tokens.end(), [](const Token& t) { return t.value == 65; })));
    }
    EXPECT_EQ(routineWords, (std::vector<int> { 0, 0, 0, 1, 1, 1 }));
    EXPECT_EQ(valueAt(buffer, "implementation"), 35);
}

// Edits anywhere, also inside and around multi-line comments and strings, leave the values a scan of
// the whole text gives.
TEST(TSyntaxMemoParserBinding, EditsGiveTheValuesOfAWholeScan)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    loadBytes(memo, fileBytes(kSample / "Main.pas"));
    std::mt19937 rng(7);
    const std::vector<std::string> pieces = { "{", "}", "(*", "*)", "'", "//", "\r", "begin", " ", "x", "end;", "\r\r" };
    for (int round = 0; round < 60; ++round) {
        int count = memo.textStore().charCount();
        int a = std::uniform_int_distribution<int>(0, count)(rng);
        int b = std::min(count, a + std::uniform_int_distribution<int>(0, 6)(rng));
        memo.setSelection(a, b);
        memo.replaceSelection(pieces[rng() % pieces.size()]);
        TCustomSyntaxMemo fresh(*parser);
        loadBytes(fresh, lrl::test::storeText(memo.textStore()));
        ASSERT_EQ(values(memo), values(fresh)) << "round " << round;
    }
}
