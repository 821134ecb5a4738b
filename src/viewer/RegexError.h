#pragma once

#include "common/Exception.h"

#include <string>

namespace lrl {

// The pattern engine's error codes; each has one fixed message (regexErrorMessage).
enum class RegexError {
    None, // "No errors detected"
    InvalidParameter,
    OutOfMemory,
    TooManySubExpressions,
    UnmatchedParenthesis,
    InvalidRepeat,
    NestedRepeat,
    InvalidRange,
    UnmatchedBracket,
    HexDigitExpected,
    UnexpectedEnd,
    QuoteExpected,
    IndexRange,
    Internal,
    NotFound, // "Expression not found"
    TooComplex, // a match attempt ran out of its step allowance
};

const char* regexErrorMessage(RegexError code);

// The three lines the user sees for a pattern or matching error: the message, the pattern, and a caret
// under the 1-based error position (position - 1 blanks before it).
std::string regexErrorText(const std::string& message, const std::string& pattern, int position);

// A matching error of the pattern engine (a search that ran out of position entries or steps, or that
// was started without a compiled pattern). It carries the pattern and the position to point at.
class ERegexError : public ESyntaxMemo {
public:
    ERegexError(RegexError code, std::string pattern, int position)
        : ESyntaxMemo(regexErrorMessage(code))
        , m_code(code)
        , m_pattern(std::move(pattern))
        , m_position(position)
    {
    }
    RegexError code() const { return m_code; }
    const std::string& pattern() const { return m_pattern; }
    int position() const { return m_position; }
    std::string boxText() const { return regexErrorText(message(), m_pattern, m_position); }

private:
    RegexError m_code;
    std::string m_pattern;
    int m_position;
};

} // namespace lrl
