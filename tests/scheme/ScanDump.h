#pragma once

#include "ChoppedCharStream.h"
#include "common/StringCharStream.h"
#include "scheme/TokenScan.h"

#include <gtest/gtest.h>

#include <string>

namespace lrl::test {

// The tokens of a scan as text: each token as its value and its characters in brackets, inner tokens
// of a container marked with ">", separated by blanks: "2[ab] 61[ ] 2[cd]".
inline std::string dumpTokens(TSyntaxMemoParser& parser, CharStream& s, const std::string& text, int start)
{
    std::string out;
    scanTokens(parser, s, start, [&](const ScannedToken& t) {
        if (!out.empty())
            out += ' ';
        if (t.inner)
            out += '>';
        out += std::to_string(t.value) + "[" + text.substr(static_cast<size_t>(t.start), static_cast<size_t>(t.length)) + "]";
    });
    return out;
}

// dumpTokens over the text in one segment; the same scan over streams cut into segments of 1, 2, 3
// and 5 characters must give the same tokens.
inline std::string scanDump(TSyntaxMemoParser& parser, const std::string& text, int start = -1)
{
    StringCharStream whole(text);
    std::string expected = dumpTokens(parser, whole, text, start);
    for (size_t seg : { 1, 2, 3, 5 }) {
        ChoppedCharStream chopped(text, seg);
        EXPECT_EQ(dumpTokens(parser, chopped, text, start), expected) << "segments of " << seg;
    }
    return expected;
}

} // namespace lrl::test
