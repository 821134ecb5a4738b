#pragma once

#include "scheme/SymToken.h"
#include "scheme/TWordStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lrl {

class Stream;

// The lexer and preprocessor of scheme scripts.
//
// The script is read whole; a NUL ends it. Before each token the lexer skips blanks, comments ("//" to
// the line end, "/* ... */"), directives (#define, #ifdef, #ifndef, #else, #endif, #include) and macro
// calls, whose replacement text it reads in place. Lines end with CR (13); LF (10) is ignored. Line and
// column are counted over every character read, macro and included text included.
//
// Every error is raised as ESYM_COMP_ERROR with the text "** ERROR near line %d, Column %d: %s".
class TSYM_Compiler {
public:
    // Reads an included file whole, at most maxBytes of it; answers nothing when the file cannot be read.
    using IncludeReader = std::function<std::optional<std::string>(const std::string& path, size_t maxBytes)>;

    // The most text that macro expansions and included files may add to one compile. It bounds the work a
    // script can cause (a macro whose text calls another macro several times grows exponentially).
    static constexpr size_t kExpansionLimit = size_t { 1 } << 20;

    // includeDir is the folder that names in angle brackets are looked up in; reader reads included files
    // (by default regular files from disk).
    TSYM_Compiler(Stream& script, std::string includeDir, IncludeReader reader = {});
    ~TSYM_Compiler();
    TSYM_Compiler(const TSYM_Compiler&) = delete;
    TSYM_Compiler& operator=(const TSYM_Compiler&) = delete;

    // The next token number, macros expanded and directives obeyed. While a conditional section is being
    // skipped every token but a keyword is a single character.
    int nextToken();
    // The form the section parsers use: skips what lies in skipped sections, and turns an identifier or an
    // unknown character into a compile error.
    int next();
    int token() const { return m_token; }

    // The last string literal as written (escapes not decoded, joined lines joined) and decoded.
    const std::string& rawString() const { return m_rawString; }
    std::string decodedString() const { return decodeEscapes(m_rawString); }
    const std::string& identifier() const { return m_identifier; }
    int32_t number() const { return m_number; }
    uint8_t unknownChar() const { return m_unknownChar; }

    // Line and column reached, counted from 0.
    int line() const { return m_line; }
    int column() const { return m_column; }
    bool skipping() const { return m_skipping; }

    // Raises ESYM_COMP_ERROR with the message placed after the 1-based line and column reached.
    [[noreturn]] void error(const std::string& message) const;

    const TWordStore& macros() const { return m_macros; }
    const TWordStore& keywords() const { return m_keywords; }

    // Decodes the escapes of a string literal: backslash and octal digits, b, e, n (13), r (10), s, t,
    // x and hex digits; any other character stands for itself.
    static std::string decodeEscapes(std::string_view raw);
    static IncludeReader fileReader();

private:
    struct Input {
        std::string name;
        std::shared_ptr<const std::string> text;
        size_t pos = 0;
    };

    Input& top() { return m_inputs.back(); }
    bool atInputEnd() const { return m_inputs.back().pos >= m_inputs.back().text->size(); }
    // The character offset characters ahead in the current input; 0 past its end.
    uint8_t peek(size_t offset = 0) const;
    std::string_view rest() const;
    void advance();
    void advance(size_t count);

    void skipToToken();
    void skipBlanksOnLine();
    bool tryDirective();
    bool tryMacroCall();
    std::string readWord();
    void doDefine();
    void doIfdef(bool wantDefined);
    void doElse();
    void doEndif();
    void doInclude();
    void push(std::string name, std::shared_ptr<const std::string> text);
    void pop();

    int readString();
    int readNumber();
    int readIdentifier();

    static const TWordStore& predefinedMacros();
    static const TWordStore& keywordTable();

    std::string m_includeDir;
    IncludeReader m_reader;
    TWordStore m_macros;
    TWordStore m_keywords;
    std::vector<Input> m_inputs;
    // How many inputs on the stack carry each name (lower-cased), for the recursion check.
    std::unordered_map<std::string, int> m_activeNames;
    std::vector<bool> m_conditions;
    size_t m_expanded = 0;

    int m_line = 0;
    int m_column = 0;
    int m_token = sym::kEndOfInput;
    std::string m_rawString;
    std::string m_identifier;
    int32_t m_number = 0;
    uint8_t m_unknownChar = 0;
    bool m_skipping = false;
};

} // namespace lrl
