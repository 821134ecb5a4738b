#pragma once

#include "viewer/RegexError.h"
#include "viewer/RegexProgram.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lrl {

// Compiles a pattern into a RegexProgram in two passes over the same text. The first pass only measures
// the program and rewrites every double bar "A||B" (A and B the branches around it) into
// "(((A)(B)?)|((B)(A)?))", A and B in either order with the second optional; the second pass emits the
// program into an array of the measured size plus 256.
//
// Syntax: branches separated by "|"; groups "(...)" (at most 9); pieces with "*", "+", "?" or a bounded
// repeat "{n}", "{n,}", "{,m}", "{n,m}"; atoms ".", "^", "$", sets "[...]" / "[^...]", quoted literals
// "\"...\"", the classes \d \s \w and their negations \D \S \W, escapes (\n is CR, \r is LF) and single
// characters.
class RegexCompiler {
public:
    // Answers whether the pattern compiled; otherwise error() and errorPosition() tell why and where.
    bool compile(std::string_view pattern);

    RegexError error() const { return m_error; }
    // 1-based position in text() of the error.
    int errorPosition() const { return m_errorPos; }
    // The pattern as compiled, its double bars rewritten.
    const std::string& text() const { return m_text; }
    // The compiled program (empty after an error); moving it out leaves the compiler empty.
    RegexProgram takeProgram() { return std::move(m_program); }

    // Longest pattern text, after double-bar rewrites, that the compiler accepts ("Out of memory").
    static constexpr size_t kMaxText = 0x10000;

private:
    struct Failure {
        RegexError code;
        size_t at; // 0-based index into m_text
    };
    struct Restart { };

    enum Flag { HasWidth = 1, Simple = 2, SpStart = 4 };

    void pass(bool emit);
    size_t reg(bool paren, int& flags);
    size_t branch(int& flags);
    size_t piece(int& flags);
    size_t atom(int& flags);
    size_t set();
    size_t quoted(int& flags);
    size_t literalRun(int& flags);
    size_t literalChar(uint8_t c);
    size_t classSet(uint8_t letter);
    uint8_t escape();
    uint8_t setMember();
    void bounds(int& min, int& max);
    bool readNumber(int& value);
    [[noreturn]] void doubleBar(size_t aStart);

    // Program output: in the measuring pass only the size grows.
    size_t node(uint8_t op);
    void emitByte(uint8_t b);
    void insert(uint8_t op, size_t before, const uint8_t* operand, size_t operandSize);
    void tail(size_t p, size_t target);
    void opTail(size_t p, size_t target);
    uint8_t opAt(size_t p) const { return m_code[p]; }
    size_t nextOf(size_t p) const;

    bool more() const { return m_pos < m_text.size(); }
    uint8_t cur() const { return static_cast<uint8_t>(m_text[m_pos]); }
    bool at(size_t i, char c) const { return i < m_text.size() && m_text[i] == c; }
    [[noreturn]] void fail(RegexError code, size_t at) const { throw Failure { code, at }; }

    std::string m_text;
    size_t m_pos = 0;
    int m_groups = 0;
    int m_counters = 0;
    bool m_emit = false;
    size_t m_size = 0;
    std::vector<uint8_t> m_code;
    RegexProgram m_program;
    RegexError m_error = RegexError::None;
    int m_errorPos = 0;
};

} // namespace lrl
