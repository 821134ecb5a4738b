#include "scheme/TSYM_Compiler.h"
#include "common/MemoryStream.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

using namespace lrl;

namespace {

MemoryStream streamOf(const std::string& text)
{
    return MemoryStream(std::vector<uint8_t>(text.begin(), text.end()));
}

// A lexer over the text whose included files come from the map.
struct Lexer {
    explicit Lexer(const std::string& text, std::map<std::string, std::string> files = {})
        : stream(streamOf(text))
        , lexer(stream, "inc", [files](const std::string& path, size_t) -> std::optional<std::string> {
            auto it = files.find(path);
            if (it == files.end())
                return std::nullopt;
            return it->second;
        })
    {
    }
    MemoryStream stream;
    TSYM_Compiler lexer;
};

std::vector<int> tokensOf(const std::string& text, std::map<std::string, std::string> files = {})
{
    Lexer l(text, std::move(files));
    std::vector<int> out;
    for (int t; (t = l.lexer.next()) != sym::kEndOfInput;)
        out.push_back(t == sym::kNumber ? 1000 + l.lexer.number() : t);
    return out;
}

std::string errorOf(const std::string& text, std::map<std::string, std::string> files = {})
{
    try {
        tokensOf(text, std::move(files));
    } catch (const ESYM_COMP_ERROR& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(TSYM_Compiler, KeywordsMatchInAnyCaseAndGlueToPunctuation)
{
    EXPECT_EQ(tokensOf("%%LANGUAGE %%Language"), (std::vector<int> { sym::kLanguage, sym::kLanguage }));
    EXPECT_EQ(tokensOf("name='x'"), (std::vector<int> { sym::kName, sym::kEquals, sym::kString }));
    EXPECT_EQ(tokensOf("%%handler %%handlers"), (std::vector<int> { sym::kHandlers, sym::kHandlers }));
    EXPECT_EQ(tokensOf("3or 4"), (std::vector<int> { 1003, sym::kOr, 1004 }));
    EXPECT_EQ(tokensOf("GutterFontStyle[]"),
        (std::vector<int> { sym::kGutterFontStyle, sym::kLBracket, sym::kRBracket }));
    EXPECT_EQ(errorOf("namex"), "** ERROR near line 1, Column 6: Identifier \"namex\" Unknown");
    EXPECT_EQ(errorOf("order"), "** ERROR near line 1, Column 6: Identifier \"order\" Unknown");
    EXPECT_EQ(
        errorOf("%%languages"), "** ERROR near line 1, Column 2: Unknown character in input stream: #$25");
}

TEST(TSYM_Compiler, CountsLinesAtCarriageReturnsOnly)
{
    EXPECT_EQ(errorOf("name\r\n  \t  ~"),
        "** ERROR near line 2, Column 7: Unknown character in input stream: #$7e");
    EXPECT_EQ(
        errorOf("name\n\n~"), "** ERROR near line 1, Column 6: Unknown character in input stream: #$7e");
    EXPECT_EQ(errorOf("// c\r/* a\r\rb */ `"),
        "** ERROR near line 4, Column 7: Unknown character in input stream: #$60");
    // Macro text counts as read and is not given back when its input ends.
    EXPECT_EQ(errorOf("#define M 12345\rM ~"),
        "** ERROR near line 2, Column 9: Unknown character in input stream: #$7e");
}

TEST(TSYM_Compiler, CommentsAndEndOfInput)
{
    EXPECT_TRUE(tokensOf("").empty());
    EXPECT_TRUE(tokensOf("  // only a comment").empty());
    EXPECT_TRUE(tokensOf("/* never closed").empty());
    EXPECT_EQ(errorOf("1 / 2"), "** ERROR near line 1, Column 4: Unknown character in input stream: #$2f");
    EXPECT_EQ(tokensOf(std::string("1\0 2", 4)), (std::vector<int> { 1001 }));
}

TEST(TSYM_Compiler, StringLiteralsKeepEscapesRawAndJoinLines)
{
    Lexer l("'a\\'b' 'one \\\r\n      \\two' 'x\ry'");
    ASSERT_EQ(l.lexer.next(), sym::kString);
    EXPECT_EQ(l.lexer.rawString(), "a\\'b");
    EXPECT_EQ(l.lexer.decodedString(), "a'b");
    ASSERT_EQ(l.lexer.next(), sym::kString);
    EXPECT_EQ(l.lexer.rawString(), "one two");
    ASSERT_EQ(l.lexer.next(), sym::kString);
    EXPECT_EQ(l.lexer.rawString(), "x\ry");
    EXPECT_EQ(l.lexer.line(), 2);
}

TEST(TSYM_Compiler, DecodesEscapes)
{
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("\\n\\r\\N\\R"), "\r\n\r\n");
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("\\b\\e\\s\\t"), std::string("\x08\x1b \t"));
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("\\101\\0z"), std::string("A\0z", 3));
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("\\x41\\xg\\X7e"), std::string("A\0g~", 4));
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("\\q\\\\\\'"), "q\\'");
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("a\\"), "a");
    EXPECT_EQ(TSYM_Compiler::decodeEscapes("a\\x"), "a");
}

TEST(TSYM_Compiler, NumbersAreSigned32Bit)
{
    Lexer l("2147483647");
    EXPECT_EQ(l.lexer.next(), sym::kNumber);
    EXPECT_EQ(l.lexer.number(), 2147483647);
    EXPECT_EQ(
        errorOf("2147483648"), "** ERROR near line 1, Column 10: Range error, value outwith 0 .. 2147483647");
}

TEST(TSYM_Compiler, PredefinedMacrosExpandToTheirValues)
{
    Lexer l("clBlue __DEFAULT_OPTIONS F12 caGOTOBOOKMARK9 OEM_CHARSET __STD_C_STRING_SQ __opt_wordwrap");
    std::vector<int32_t> values;
    while (l.lexer.next() == sym::kNumber)
        values.push_back(l.lexer.number());
    EXPECT_EQ(values, (std::vector<int32_t> { 16711680, 67099632, 123, 39, 255, 20, 1024 }));
    EXPECT_EQ(l.lexer.token(), sym::kEndOfInput);
}

TEST(TSYM_Compiler, MacrosNamedAfterThemselves)
{
    Lexer self("#define X x\r");
    self.lexer.next();
    EXPECT_FALSE(self.lexer.macros().contains("X"));
    EXPECT_EQ(
        errorOf("#define Y (Y)\rY"), "** ERROR near line 2, Column 4: Recursive expansion of macro 'Y'");
    EXPECT_EQ(errorOf("#define A B\r#define B a\rA"),
        "** ERROR near line 3, Column 4: Recursive expansion of macro 'a'");
    EXPECT_EQ(errorOf("ver200"), "** ERROR near line 1, Column 13: Recursive expansion of macro 'ver200'");
    EXPECT_EQ(tokensOf("#ifdef ver200\r1\r#endif"), (std::vector<int> { 1001 }));
    // An empty macro counts as defined; a redefinition replaces the text; trailing blanks are dropped.
    EXPECT_EQ(tokensOf("#define E\r#ifdef E\r1 E\r#endif"), (std::vector<int> { 1001 }));
    EXPECT_EQ(tokensOf("#define V 1 \t\r#define V 2\rV"), (std::vector<int> { 1002 }));
    EXPECT_EQ(errorOf("#define 9"), "** ERROR near line 1, Column 9: Macro name expected");
}

TEST(TSYM_Compiler, ConditionalSections)
{
    // A nested section inside a skipped one stays skipped, its #else included.
    EXPECT_EQ(
        tokensOf("#ifdef A\r1\r#ifdef B\r2\r#else\r3\r#endif\r4\r#endif\r5"), (std::vector<int> { 1005 }));
    EXPECT_EQ(tokensOf("#ifdef A\r1\r#else\r2\r#endif"), (std::vector<int> { 1002 }));
    EXPECT_EQ(tokensOf("#ifndef A\r1\r#else\r2\r#endif"), (std::vector<int> { 1001 }));
    EXPECT_EQ(tokensOf("#define A\r#ifndef A\r1\r#else\r2\r#endif"), (std::vector<int> { 1002 }));
    // Skipped text is read a character at a time: quotes and unknown words do not matter there.
    EXPECT_EQ(tokensOf("#ifdef A\r' ~ namex #include nowhere\r#endif 7"), (std::vector<int> { 1007 }));
    // A #define takes effect inside a skipped section too.
    EXPECT_EQ(tokensOf("#ifdef A\r#define Q 9\r#endif\rQ"), (std::vector<int> { 1009 }));
    // Other words after "#" are no directive.
    EXPECT_EQ(errorOf("#Define"), "** ERROR near line 1, Column 2: Unknown character in input stream: #$23");
}

TEST(TSYM_Compiler, ConditionalErrors)
{
    EXPECT_EQ(errorOf("1\r#else"), "** ERROR near line 2, Column 6: Script syntax error");
    EXPECT_EQ(errorOf("#endif"), "** ERROR near line 1, Column 7: Script syntax error");
    EXPECT_EQ(errorOf("#ifdef A\r#endif\r#endif"), "** ERROR near line 3, Column 7: Script syntax error");
    EXPECT_EQ(errorOf("#ifdef (A)"), "** ERROR near line 1, Column 8: Macro name expected after #ifdef");
    EXPECT_EQ(errorOf("#ifndef"), "** ERROR near line 1, Column 8: Macro name expected after #ifdef");
}

TEST(TSYM_Compiler, IncludesBothNameForms)
{
    std::map<std::string, std::string> files { { "inc/a.txt", "1 #include \"b.txt\" 3" }, { "b.txt", "2" } };
    EXPECT_EQ(tokensOf("#include <a.txt> 4", files), (std::vector<int> { 1001, 1002, 1003, 1004 }));
    EXPECT_EQ(errorOf("#include \"c.txt\""),
        "** ERROR near line 1, Column 17: Unable to open #include file \"c.txt\"");
    EXPECT_EQ(errorOf("#include <c.txt>"),
        "** ERROR near line 1, Column 17: Unable to open #include file <inc/c.txt>");
    EXPECT_EQ(errorOf("#include <a.txt\r>"),
        "** ERROR near line 1, Column 16: #include filename missing terminating >");
    EXPECT_EQ(
        errorOf("#include \"a"), "** ERROR near line 1, Column 12: #include filename missing terminating \"");
    EXPECT_EQ(errorOf("#include a"),
        "** ERROR near line 1, Column 10: #include filename not enclosed in \"...\" or <...>");
    std::map<std::string, std::string> loop { { "x", "#include \"y\"" }, { "y", "#include \"x\"" } };
    EXPECT_EQ(errorOf("#include \"x\"", loop),
        "** ERROR near line 1, Column 37: Recursive expansion of macro '-file-: x'");
}

TEST(TSYM_Compiler, IncludesReadFilesFromTheIncludeDirectory)
{
    test::TempDir dir;
    dir.write("sub/part.txt", "42");
    auto script = streamOf("#include <part.txt>");
    TSYM_Compiler lexer(script, (dir.path() / "sub").string());
    EXPECT_EQ(lexer.next(), sym::kNumber);
    EXPECT_EQ(lexer.number(), 42);
    auto folder = streamOf("#include <sub>");
    TSYM_Compiler dirLexer(folder, dir.path().string());
    EXPECT_THROW(dirLexer.next(), ESYM_COMP_ERROR);
}

// Included files read from disk count against the same allowance as macro text: a file larger than what
// is left of it, and a small file once a macro has used nearly all of it, both stop the compile.
TEST(TSYM_Compiler, IncludedFilesFromDiskCountAgainstTheExpansionAllowance)
{
    test::TempDir dir;
    dir.write("big.txt", std::string(TSYM_Compiler::kExpansionLimit + 10, ' '));
    dir.write("small.txt", "1 2 3 4 5 6 7 8");
    const std::string nearlyAll(TSYM_Compiler::kExpansionLimit - 3, 'a');
    const std::pair<std::string, std::string> cases[] = {
        { "#include <big.txt>", "big.txt" },
        { "#define M " + nearlyAll + "\rM #include <small.txt>", "small.txt" },
    };
    for (const auto& [text, file] : cases) {
        auto script = streamOf(text);
        TSYM_Compiler lexer(script, dir.path().string());
        try {
            while (lexer.nextToken() != sym::kEndOfInput) { }
            ADD_FAILURE() << file << " was included";
        } catch (const ESYM_COMP_ERROR& e) {
            EXPECT_NE(std::string(e.what()).find("Macro expansion too large: '-file-: "), std::string::npos)
                << e.what();
        }
    }
}

TEST(TSYM_Compiler, RunawayExpansionStops)
{
    std::string script;
    for (int i = 0; i < 30; ++i)
        script += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + " M"
            + std::to_string(i + 1) + "\r";
    script += "#define M30 1\rM0";
    EXPECT_NE(errorOf(script).find("Macro expansion too large"), std::string::npos);
}
