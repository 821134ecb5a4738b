#pragma once

#include "viewer/RegexCompiler.h"
#include "viewer/RegexMatcher.h"
#include "viewer/RegexProgram.h"
#include "viewer/SearchDirection.h"

#include "common/Set256.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lrl {

class CharStream;

// The viewer's pattern engine: compiles a pattern (RegexCompiler) and searches a character stream with
// it (RegexMatcher), trying one start position after the other.
//
// Backtracking can take exponential time on some patterns. One search is therefore given a step
// allowance: kBaseSteps, plus kStepsPerChar for every character the search moves its start over. A search
// that spends it stops with ERegexError "Search stopped: the pattern takes too long to match", so the
// work of one search is bounded by a linear function of the text it covers.
class TREParser {
public:
    static constexpr uint64_t kBaseSteps = 10'000'000;
    static constexpr uint64_t kStepsPerChar = 256;

    TREParser();
    ~TREParser();
    TREParser(const TREParser&) = delete;
    TREParser& operator=(const TREParser&) = delete;

    // Compiles the pattern and answers whether it compiled; the same pattern as the last one that compiled
    // is not compiled again.
    bool compile(std::string_view pattern);
    bool compiled() const { return !m_program.empty(); }

    // "No errors detected" after a successful compile; otherwise the compile error and its 1-based
    // position in pattern().
    RegexError error() const { return m_error; }
    int errorPosition() const { return m_errorPos; }
    // The pattern as compiled (double bars rewritten); error positions refer to it.
    const std::string& pattern() const { return m_text; }
    // The three-line text of the last compile error.
    std::string errorText() const;

    // Searches from the stream's position: forward, trying start positions up to the end of the text;
    // backward, down to its start (a backward search from the very end starts one character back), for
    // the nearest match that starts at or before that position.
    // Answers whether a non-empty match was found; the stream is then left at the match's end. Raises
    // ERegexError without a compiled pattern ("Invalid parameter"), when the position table overflows
    // ("Index range error") or when the step allowance is spent.
    bool search(CharStream& stream, SearchDirection direction);

    // Entry i of the position table: 0 is the match's start, counter() indexes its end. Raises
    // ERegexError "Index range error" for an index outside 0..255.
    int64_t position(int i) const;
    int counter() const { return m_matcher->counter(); }
    int64_t matchStart() const { return position(0); }
    int64_t matchEnd() const { return position(counter()); }

    // Test hook: changes the step allowance.
    void setStepAllowance(uint64_t base, uint64_t perChar)
    {
        m_baseSteps = base;
        m_stepsPerChar = perChar;
    }
    // Steps spent by the last search.
    uint64_t steps() const { return m_matcher->steps(); }

private:
    void analyse();
    bool tryAt(CharStream& s, int64_t pos, int64_t from);
    int64_t skipForward(CharStream& s, int64_t pos) const;
    [[noreturn]] void raise(RegexError code) const;

    RegexCompiler m_compiler;
    std::string m_source; // the pattern as given to the last successful compile
    std::string m_text;
    RegexProgram m_program;
    std::unique_ptr<RegexMatcher> m_matcher;
    RegexError m_error = RegexError::None;
    int m_errorPos = 0;
    // Characters a counted match can start with; empty when not known (every position is tried).
    Set256 m_first;
    bool m_firstKnown = false;
    int m_firstSingle = -1;
    // The simple node repeated by a "*" or "+" that the whole pattern starts with (0: none).
    size_t m_leadingRun = 0;
    uint64_t m_baseSteps = kBaseSteps;
    uint64_t m_stepsPerChar = kStepsPerChar;
};

} // namespace lrl
