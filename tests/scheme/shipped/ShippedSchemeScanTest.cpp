#include "common/StringCharStream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/TokenScan.h"
#include "scheme/shipped/ShippedScheme.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace lrl;

// Counts the allocations of this test program, to show that scanning makes none.
static std::atomic<long> g_allocations { 0 };

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Token {
    int value;
    std::string text;
};

// The viewer's form of a file's text: CR LF and LF become one CR.
std::string viewerText(const std::string& raw)
{
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\n') {
            if (i == 0 || raw[i - 1] != '\r')
                out += '\r';
            continue;
        }
        out += raw[i];
    }
    return out;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ShippedScan : public ::testing::Test {
protected:
    void SetUp() override { parser = createShippedParser(); }

    std::vector<Token> tokens(const std::string& text)
    {
        std::vector<Token> out;
        StringCharStream s(text);
        scanTokens(*parser, s, 0, [&](const ScannedToken& t) {
            out.push_back({ t.value, text.substr(static_cast<size_t>(t.start), static_cast<size_t>(t.length)) });
        });
        return out;
    }
    // "value[text]" per token, blank-separated.
    std::string dump(const std::string& text)
    {
        std::string out;
        for (const Token& t : tokens(text))
            out += (out.empty() ? "" : " ") + std::to_string(t.value) + "[" + t.text + "]";
        return out;
    }

    std::unique_ptr<TSyntaxMemoParser> parser;
};

} // namespace

TEST_F(ShippedScan, PropertyHidesTheReservedWordsUntilTheSemicolon)
{
    auto t = tokens("property X: Integer read F; read");
    ASSERT_GE(t.size(), 3u);
    EXPECT_EQ(t.front().value, 21);
    EXPECT_EQ(t.front().text, "property");
    EXPECT_EQ(t[t.size() - 3].value, 20);
    EXPECT_EQ(t[t.size() - 3].text, ";");
    EXPECT_EQ(t.back().value, 7);
    EXPECT_EQ(t.back().text, "read");
    for (size_t i = 1; i + 3 < t.size(); ++i)
        EXPECT_NE(t[i].value, 7) << t[i].text;

    StringCharStream s("property");
    parser->reset(0);
    int32_t length = 0;
    parser->nextToken(nullptr, s, length);
    EXPECT_EQ(parser->scanner().states(), Set256::of({ 1 }));
}

TEST_F(ShippedScan, CommentsAndAnUnterminatedBrace)
{
    EXPECT_EQ(dump("// a\r{b}(*c*)"), "1[// a] 61[\r] 8[{b}] 9[(*c*)]");
    EXPECT_EQ(dump("x; { open\rmore"), "2[x] 20[;] 61[ ] 8[{ open\rmore]");
    EXPECT_EQ(dump("{"), "8[{]");
}

TEST_F(ShippedScan, CharacterCodesNumbersAndRanges)
{
    EXPECT_EQ(dump("#13#10#$0D#$f;"), "11[#13] 11[#10] 12[#$0D] 12[#$f] 20[;]");
    EXPECT_EQ(dump("#x #$x"), "0[#] 2[x] 61[ ] 0[#] 0[$] 2[x]");
    EXPECT_EQ(dump("1..2"), "4[1] 10[..] 4[2]");
    EXPECT_EQ(dump("3.14 $FF a.b"), "4[3.14] 61[ ] 6[$FF] 61[ ] 2[a] 60[.] 2[b]");
    EXPECT_EQ(dump("'it''s' ''"), "3['it''s'] 61[ ] 3['']");
}

TEST_F(ShippedScan, EmptyTextAndTheEndOfTheStream)
{
    EXPECT_TRUE(tokens("").empty());
    StringCharStream s("");
    parser->reset(0);
    int32_t length = -1;
    EXPECT_EQ(parser->nextToken(nullptr, s, length), 0);
    EXPECT_EQ(length, 0);
}

// Every token of a realistic unit gets the value the project browser expects of its kind.
TEST_F(ShippedScan, UnitGivesTheBrowsersTokenValues)
{
    const std::map<std::string, int> words = { { "implementation", 35 }, { "begin", 30 }, { "case", 30 },
        { "try", 30 }, { "end", 31 }, { "constructor", 62 }, { "destructor", 63 }, { "function", 64 },
        { "procedure", 65 }, { "property", 21 }, { "type", 40 }, { "class", 41 }, { "record", 41 },
        { "private", 43 }, { "public", 44 }, { "protected", 46 } };
    const std::set<std::string> reserved = { "unit", "interface", "uses", "const", "of", "set", "array", "string",
        "virtual", "override", "inherited", "nil", "if", "or", "then", "raise", "var", "for", "to", "do", "else",
        "except", "on", "div", "default", "read", "index" };
    auto expected = [&](const std::string& text) {
        auto lower = text;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (text.find_first_not_of(" \t\r") == std::string::npos)
            return 61;
        if (text.rfind("//", 0) == 0)
            return 1;
        if (text[0] == '{')
            return 8;
        if (text.rfind("(*", 0) == 0)
            return 9;
        if (text[0] == '\'')
            return 3;
        if (text == ".")
            return 60;
        if (std::isalpha(static_cast<unsigned char>(text[0])) || text[0] == '_') {
            if (auto it = words.find(lower); it != words.end())
                return it->second;
            return reserved.count(lower) ? 7 : 2;
        }
        return -1; // not a kind the browser reads
    };

    auto unit = tokens(viewerText(readFile(LRL_TEST_DATA_DIR "/scanner/LogView.pas")));
    std::set<int> seen;
    bool inProperty = false;
    for (const Token& t : unit) {
        if (t.value == 21)
            inProperty = true;
        else if (t.value == 20)
            inProperty = false;
        else if (inProperty)
            continue; // inside a property declaration the reserved words are plain
        int want = expected(t.text);
        if (want < 0)
            continue;
        EXPECT_EQ(t.value, want) << "token \"" << t.text << "\"";
        seen.insert(t.value);
    }
    for (int v : { 1, 2, 3, 8, 9, 21, 30, 31, 35, 60, 61, 62, 63, 64, 65 })
        EXPECT_TRUE(seen.count(v)) << "no token of value " << v;
}

// The whole token dump of the unit, as listrel-cli tokens prints it.
TEST_F(ShippedScan, UnitMatchesItsGoldenDump)
{
    std::string text = viewerText(readFile(LRL_TEST_DATA_DIR "/scanner/LogView.pas"));
    std::string out;
    StringCharStream s(text);
    scanTokens(*parser, s, 0, [&](const ScannedToken& t) {
        out += std::to_string(t.start) + " " + std::to_string(t.length) + " " + std::to_string(t.value) + "\n";
    });
    EXPECT_EQ(out, readFile(LRL_TEST_DATA_DIR "/scanner/LogView.pas.tokens"));
}

TEST_F(ShippedScan, ScanningAllocatesNothing)
{
    std::string unit = viewerText(readFile(LRL_TEST_DATA_DIR "/scanner/LogView.pas"));
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += unit;
    StringCharStream s(text);
    parser->reset(0);
    long before = g_allocations;
    int32_t length = 0;
    int64_t tokens = 0;
    while (!s.atEnd()) {
        parser->nextToken(nullptr, s, length);
        ++tokens;
    }
    EXPECT_EQ(g_allocations - before, 0);
    EXPECT_GT(tokens, 10000);
}
