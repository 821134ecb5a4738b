#pragma once

#include "common/Set256.h"
#include "scheme/TSM_CharGroup.h"
#include "scheme/TSYM_Compiler.h"
#include "scheme/TokenParts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lrl {

class SchemeTable;
class Stream;
struct TSM_Effect;

// The section parsers of scheme scripts: they read a script through TSYM_Compiler and build the
// compiled table from it.
//
// compile() clears the table first. A compile error (ESYM_COMP_ERROR, "** ERROR near line %d, Column %d:
// %s") stops the compile where it stands and leaves the table as far as it was built; label(), line()
// and column() then tell which construct was being compiled and where the lexer stood.
class SchemeCompiler {
public:
    explicit SchemeCompiler(SchemeTable& table);

    void compile(Stream& script, const std::string& includeDir, TSYM_Compiler::IncludeReader reader = {});

    // The construct being compiled when the compile ended ("Header", "%%Tokens - 3", ...).
    const std::string& label() const { return m_label; }
    // Line and column (from 1) the lexer had reached when the compile ended.
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    // Tokens.
    int next();
    bool at(int token) const { return m_token == token; }
    bool atExpression() const;
    void expect(int token, const char* message);
    [[noreturn]] void error(const std::string& message) const;

    // Values.
    int32_t expression();
    int32_t sum();
    int32_t term();
    int32_t ranged(int32_t low, int32_t high);
    std::string stringValue();
    std::string rawStringValue();
    Set256 setValue();
    void valueOrSet(Set256& into);
    int32_t colour(bool& useDefault);
    uint8_t fontStyles();
    std::vector<TSM_CharGroup> specifiers();
    uint16_t singleClass();
    uint16_t addClass(const TSM_CharGroup& group);
    void endClasses(TSM_EndPart& end);
    int32_t matchRoutine();
    uint16_t keyCode();
    uint16_t modifiers();

    // Sections.
    void section();
    void entryLabel(const char* prefix);
    void language();
    void languageKey();
    void editableStyles();
    void contextStates();
    void tabColumns(const std::string& text);
    void words();
    void kwTables();
    void handlers();
    void tokens();
    void tokenEntry(std::optional<uint8_t> state);
    void map();
    void effects();
    void states(bool containers);
    void keys();
    void keySpec(int32_t command);
    void autoReplace();
    void templates();

    SchemeTable& m_table;
    TSYM_Compiler* m_lex = nullptr;
    int m_token = sym::kEndOfInput;
    std::string m_label;
    int m_entry = 0;
    int m_depth = 0; // parentheses open in the expression being read
    static constexpr int kMaxNesting = 256;
    int m_line = 0;
    int m_column = 0;
};

} // namespace lrl
