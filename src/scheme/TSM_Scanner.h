#pragma once

#include "common/Set256.h"
#include "scheme/TRTStack.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lrl {

class CharStream;
class TSyntaxKeywords;
class TSyntaxMemoParser;
struct TSM_EndPart;
struct TSM_StartPart;

// The run-time side of a scanner component: recognises one token at a time in a character stream with
// the component's compiled table, and keeps the states that decide which words and tokens are valid
// next (current state set, state stack, container state, busy flag).
//
// reset() reads the table into a flat run-time form (plain arrays by character, token value and node,
// copied class sets), so next() never searches, never allocates and never calls through a virtual
// function while it stays inside one segment of the stream. Everything that depends on the current
// states (the token table in use, the token entries valid now, the keyword tables that apply, the valid
// token values) is worked out again only when the state set actually changes.
class TSM_Scanner {
public:
    explicit TSM_Scanner(TSyntaxMemoParser& owner);

    // Starts a scan in the context of token value: the states become its context states (the start
    // states when it has none, or for a value outside 0..255), the container state is cleared and the
    // state stack emptied. Reads the table afresh, so changes to the table count from here on.
    void reset(int value);

    // Recognises the token at the stream's position: answers its token value, sets length to its
    // characters and leaves the stream after it. Every token is at least one character long, except at
    // the end of the stream, where the answer is 0 with length 0. "match" routines are answered by the
    // component's OnCustomParse. Without a reset() first, the scan starts in the start states.
    uint8_t next(CharStream& stream, int32_t& length);

    const Set256& states() const { return m_states; }
    bool inContainer() const { return m_inContainer; }
    // Follows the in-container flag after every next().
    bool busy() const { return m_busy; }
    bool inBoundState() const;
    // The end position and token value of the container being scanned again.
    int64_t containerEnd() const { return m_containerEnd; }
    uint8_t containerValue() const { return m_containerValue; }
    size_t stackDepth() const { return m_stack.depth(); }

private:
    enum StepKind : uint8_t { kNoStep, kClassStep, kRoutineStep, kBuiltInStep, kCustomStep };
    enum EndKind : uint8_t { kNoEnd, kClassEnd, kRoutineEnd, kCustomEnd };
    enum Outcome : uint8_t { kFailed, kComplete };

    // A start part of a handler or the body of a token entry.
    struct Step {
        StepKind kind = kNoStep;
        bool repeat = false;
        uint16_t cls = 0;
        int32_t routine = 0;
    };
    struct End {
        EndKind kind = kNoEnd;
        bool consume = false;
        uint8_t count = 0;
        std::array<uint16_t, 4> cls {};
        int32_t routine = 0;
    };
    struct Continuation {
        Step step;
        End end;
        // For a class step with a class end: index of its character table in m_stepTables, else -1.
        int32_t stepTable = -1;
    };
    // Per character: kInStep when the step class holds it, kOpensEnd when the first end class does.
    enum StepBits : uint8_t { kInStep = 1, kOpensEnd = 2 };
    struct TokenEntry {
        Set256 states;
        int32_t builtIn = -1; // routine of a built-in start, or -1
        bool hasBody = false;
        Continuation body;
        uint8_t token = 0;
    };
    struct ValueRecord {
        Set256 valid;
        Set256 entry;
        Set256 exit;
        bool unchanged = true;
        uint8_t actions = 0;
    };
    enum ValueFlag : uint8_t { kHasRecord = 1, kActs = 2, kContainer = 4 };

    struct WordDef {
        Set256 states;
        uint16_t follow = 0;
        uint8_t token = 0;
        bool active = true; // its states share one with the current states
    };
    // A word trie laid out for walking: the children of a node are consecutive, their characters in
    // chars, so finding a child scans a few bytes.
    struct Trie {
        struct Node {
            int32_t firstChild = 0;
            int32_t firstDef = 0;
            uint16_t childCount = 0;
            uint16_t defCount = 0;
        };
        std::array<int32_t, 256> root {};
        std::vector<uint8_t> chars;
        std::vector<Node> nodes;
        std::vector<WordDef> defs;
        Set256 states; // of a keyword table: the states it applies in
        const uint8_t* fold = nullptr; // the text's characters as the words hold them
        bool checkStates = false;
    };

    void rebuild();
    void rebuildTrie(Trie& trie, const TSyntaxKeywords& words, int terminator);
    uint16_t classIndex(uint16_t tableIndex) const;
    Step makeStep(const TSM_StartPart& part) const;
    End makeEnd(const TSM_EndPart& part) const;
    void statesChanged();

    // Longest counting word of trie at the position (the stream is then anywhere after it): its length
    // and token value, or length 0.
    int64_t matchWord(const Trie& trie, CharStream& s, uint8_t& value) const;
    int64_t matchWordAcross(const Trie& trie, CharStream& s, uint8_t& value) const;
    bool wordEnds(const Trie& trie, const Trie::Node& n, uint8_t next, uint8_t& value) const;
    static int32_t childOf(const Trie& trie, const Trie::Node& n, uint8_t c);
    Outcome runContinuation(const Continuation& k, CharStream& s, int64_t p0, uint8_t& value, bool body);
    bool runClassSteps(const Continuation& k, CharStream& s, bool& first, Outcome& outcome) const;
    Continuation makeContinuation(const TSM_StartPart& step, const TSM_EndPart& end);
    bool matchEnd(const End& end, CharStream& s, int64_t p0, uint8_t value);
    bool custom(int32_t id, CharStream& s, int64_t p0, uint8_t& value);
    void applyActions(uint8_t value);
    void afterToken(uint8_t value, int64_t pos, bool atEnd);

    bool contains(uint16_t cls, uint8_t c) const { return m_classes[cls].contains(c); }

    TSyntaxMemoParser& m_owner;
    bool m_built = false;

    // The run-time form of the table.
    std::vector<Set256> m_classes;
    Trie m_store;
    std::vector<Trie> m_kwTables;
    std::vector<Continuation> m_handlers;
    std::vector<std::array<uint8_t, 256>> m_stepTables;
    std::array<int16_t, 256> m_handlerOf {};
    std::vector<TokenEntry> m_entries;
    std::vector<std::array<int32_t, 256>> m_tokenTables; // entry index per character, -1 for none
    std::array<int16_t, 256> m_stateTable {}; // token table of each state, -1 for none
    bool m_hasStateTables = false;
    std::array<ValueRecord, 256> m_values {};
    std::array<uint8_t, 256> m_valueFlags {};
    std::array<Set256, 256> m_contextStates {};
    Set256 m_startStates;
    Set256 m_boundStates;

    // Worked out from the current states.
    std::array<const TokenEntry*, 256> m_startEntry {};
    std::array<bool, 256> m_validNow {};
    std::vector<const Trie*> m_activeKw;
    // Per character: kStoreWord when a word of the store starts with it, kTableWord when a word of a
    // keyword table in use does; characters without either skip the word match.
    enum WordStart : uint8_t { kStoreWord = 1, kTableWord = 2 };
    std::array<uint8_t, 256> m_wordStart {};

    // The scan.
    Set256 m_states;
    TRTStack m_stack;
    bool m_inContainer = false;
    bool m_busy = false;
    Set256 m_containerSaved;
    int64_t m_containerEnd = 0;
    uint8_t m_containerValue = 0;
};

} // namespace lrl
