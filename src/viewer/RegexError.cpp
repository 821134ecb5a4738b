#include "viewer/RegexError.h"

namespace lrl {

const char* regexErrorMessage(RegexError code)
{
    switch (code) {
    case RegexError::None:
        return "No errors detected";
    case RegexError::InvalidParameter:
        return "Invalid parameter";
    case RegexError::OutOfMemory:
        return "Out of memory";
    case RegexError::TooManySubExpressions:
        return "Too many sub-expressions";
    case RegexError::UnmatchedParenthesis:
        return "Unmatched parenthesis";
    case RegexError::InvalidRepeat:
        return "Invalid repeat";
    case RegexError::NestedRepeat:
        return "Nested repeat";
    case RegexError::InvalidRange:
        return "Invalid range";
    case RegexError::UnmatchedBracket:
        return "Unmatched bracket";
    case RegexError::HexDigitExpected:
        return "Hex digit expected";
    case RegexError::UnexpectedEnd:
        return "Unexpected end of input";
    case RegexError::QuoteExpected:
        return "' expected";
    case RegexError::IndexRange:
        return "Index range error";
    case RegexError::Internal:
        return "Internal error";
    case RegexError::NotFound:
        return "Expression not found";
    case RegexError::TooComplex:
        return "Search stopped: the pattern takes too long to match";
    }
    return "Internal error";
}

std::string regexErrorText(const std::string& message, const std::string& pattern, int position)
{
    std::string text = message + "\n" + pattern + "\n";
    if (position > 1)
        text.append(static_cast<size_t>(position - 1), ' ');
    return text + "^";
}

} // namespace lrl
