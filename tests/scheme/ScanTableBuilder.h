#pragma once

#include "scheme/CharSpecifier.h"
#include "scheme/TSyntaxMemoParser.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace lrl::test {

// Builds small scheme tables by hand for the scanner's tests. Classes are written as character
// specifiers ("a", "[0-9]", "[^}]").
class ScanTableBuilder {
public:
    explicit ScanTableBuilder(SchemeTable& table)
        : m_table(table)
    {
    }

    uint16_t cls(const std::string& specifier) { return m_table.addCharClass(parseCharSpecifiers(specifier).at(0)); }

    TSM_StartPart chars(const std::string& specifier, bool repeat = false)
    {
        TSM_StartPart p;
        p.charClass = cls(specifier);
        p.repeat = repeat;
        return p;
    }
    static TSM_StartPart routine(int32_t n, bool repeat = false, bool custom = false)
    {
        TSM_StartPart p;
        p.numeric = true;
        p.custom = custom;
        p.routine = n;
        p.repeat = repeat;
        return p;
    }
    TSM_EndPart closing(std::initializer_list<const char*> specifiers, bool consume)
    {
        TSM_EndPart e;
        e.consume = consume;
        for (const char* s : specifiers)
            e.classes[e.classCount++] = cls(s);
        return e;
    }
    static TSM_EndPart routineEnd(int32_t n, bool consume, bool custom = false)
    {
        TSM_EndPart e;
        e.numeric = true;
        e.custom = custom;
        e.routine = n;
        e.consume = consume;
        return e;
    }

    // A word of the keyword store; follow "" sets no condition on the next character.
    ScanTableBuilder& word(const std::string& w, uint8_t value, const std::string& follow = "",
        Set256 states = Set256::of({ 0 }))
    {
        TSM_KeywordDefinition d;
        d.states = states;
        d.follow = follow.empty() ? m_table.addCharClass(TSM_CharGroup::any()) : cls(follow);
        d.token = value;
        m_table.keywords().add(w, d);
        m_table.tokenValueOrAdd(value, Set256::of({ 0 }) | states).valid |= states;
        return *this;
    }

    ScanTableBuilder& handler(uint8_t value, const TSM_StartPart& start, const TSM_EndPart& end = {})
    {
        m_table.setHandler(value, { start, end });
        return *this;
    }

    // A token entry for every character of startChars, in the table for all states or in the table of
    // state (>= 0).
    ScanTableBuilder& token(const std::string& startChars, uint8_t value, const TSM_StartPart& body = {},
        const TSM_EndPart& end = {}, Set256 states = Set256::of({ 0 }), int state = -1)
    {
        TSM_TokenRecord r;
        r.start.charClass = cls(startChars);
        r.states = states;
        r.body = body;
        r.end = end;
        r.token = value;
        addRecord(startChars, r, state);
        return *this;
    }
    // A token entry that starts with built-in recogniser n (10..20) on the characters of startChars.
    ScanTableBuilder& builtIn(const std::string& startChars, int32_t n, uint8_t value,
        Set256 states = Set256::of({ 0 }), int state = -1)
    {
        TSM_TokenRecord r;
        r.start = routine(n);
        r.start.charClass = cls(startChars);
        r.states = states;
        r.token = value;
        addRecord(startChars, r, state);
        return *this;
    }

    // State changes of a token value; also creates its record.
    ScanTableBuilder& states(uint8_t value, Set256 entry, Set256 exit, uint8_t actions = 0, bool container = false)
    {
        TSM_TokenValueRecord& r = m_table.tokenValueOrAdd(value, Set256::of({ 0 }));
        r.entry |= entry;
        r.exit |= exit;
        r.updateUnchanged();
        r.actions |= actions;
        r.container = r.container || container;
        return *this;
    }
    ScanTableBuilder& valid(uint8_t value, Set256 states)
    {
        m_table.tokenValueOrAdd(value, states).valid = states;
        return *this;
    }

    // A keyword table for states.
    ScanTableBuilder& keywordTable(Set256 forStates, const std::string& terminator,
        std::initializer_list<std::pair<const char*, uint8_t>> words, bool caseSensitive = false)
    {
        TKeywordDefinitions& t = m_table.settings().keywordTables.emplace_back();
        t.setStates(forStates);
        t.setTerminatorText(terminator);
        t.setCaseSensitive(caseSensitive);
        for (const auto& [w, v] : words)
            t.addWord(w, v);
        return *this;
    }

private:
    void addRecord(const std::string& startChars, const TSM_TokenRecord& r, int state)
    {
        TSM_TokenTable& t = state >= 0 ? m_table.stateTableOrAdd(static_cast<uint8_t>(state)) : m_table.tokenTable();
        const Set256 members = parseCharSpecifiers(startChars).at(0).members();
        for (int c = 0; c < 256; ++c)
            if (members.contains(c))
                t.set(static_cast<uint8_t>(c), r);
        m_table.tokenValueOrAdd(r.token, r.states).valid |= r.states;
    }

    SchemeTable& m_table;
};

} // namespace lrl::test
