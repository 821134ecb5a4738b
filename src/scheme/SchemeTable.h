#pragma once

#include "common/Set256.h"
#include "scheme/TSM_CharGroupManager.h"
#include "scheme/TSM_Settings.h"
#include "scheme/TSM_TokenTable.h"
#include "scheme/TSM_TokenValueRecord.h"
#include "scheme/TSyntaxKeywords.h"
#include "scheme/TokenParts.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace lrl {

// The compiled table of a syntax scheme: everything a scanner and a viewer need from it.
//
// Everything the scanner consults per character or per token is a plain array indexed by token value,
// state or character, so scanning reads the table without searching or allocating:
//   - keywords(): the word trie (TSyntaxKeywords), tried first at each position;
//   - settings().keywordTables: keyword tables by state, tried when no word matched;
//   - handler(v): how a token with value v goes on after its first part;
//   - tokenTable(): the table for all states, or stateTable(s) when states have tables of their own;
//   - tokenValue(v): state changes, validity, container flag and stack actions of value v;
//   - contextStates(v): the states a scan starts in after a character holding value v;
//   - charClass(i): the classes that parts, definitions and records refer to by index.
class SchemeTable {
public:
    SchemeTable();
    SchemeTable(const SchemeTable& other);
    SchemeTable& operator=(const SchemeTable& other);
    SchemeTable(SchemeTable&&) noexcept = default;
    SchemeTable& operator=(SchemeTable&&) noexcept = default;

    // Back to an empty table: no words, tokens, handlers or records, the settings' defaults, start and
    // anchor sets {0}.
    void clear();

    TSM_Settings& settings() { return m_settings; }
    const TSM_Settings& settings() const { return m_settings; }

    TSyntaxKeywords& keywords() { return m_keywords; }
    const TSyntaxKeywords& keywords() const { return m_keywords; }

    TSM_CharGroupManager& charClasses() { return m_classes; }
    const TSM_CharGroupManager& charClasses() const { return m_classes; }
    const TSM_CharGroup& charClass(uint16_t index) const { return m_classes[index]; }
    uint16_t addCharClass(const TSM_CharGroup& group) { return m_classes.findOrAdd(group); }

    // Handlers by token value.
    const TSM_Handler* handler(uint8_t value) const { return m_handlers[value] ? &*m_handlers[value] : nullptr; }
    void setHandler(uint8_t value, const TSM_Handler& handler) { m_handlers[value] = handler; }
    void removeHandler(uint8_t value) { m_handlers[value].reset(); }

    // The token table for all states.
    TSM_TokenTable& tokenTable() { return m_tokens; }
    const TSM_TokenTable& tokenTable() const { return m_tokens; }

    // The token table of state, or nullptr when the state has none.
    const TSM_TokenTable* stateTable(uint8_t state) const { return m_stateTables[state].get(); }
    TSM_TokenTable* stateTable(uint8_t state) { return m_stateTables[state].get(); }
    // The token table of state, made empty first when the state has none yet.
    TSM_TokenTable& stateTableOrAdd(uint8_t state);
    // The states that have a table of their own.
    const Set256& statesWithTables() const { return m_statesWithTables; }
    bool hasStateTables() const { return !m_statesWithTables.empty(); }

    // The states a scan restarting after value begins in (empty: the start states).
    const Set256& contextStates(uint8_t value) const { return m_contextStates[value]; }
    void setContextStates(uint8_t value, const Set256& states) { m_contextStates[value] = states; }
    // Gives every empty context-state set the start states as they stand.
    void fillEmptyContextStates();

    // Token-value records by token value.
    const TSM_TokenValueRecord* tokenValue(uint8_t value) const
    {
        return m_tokenValues[value] ? &*m_tokenValues[value] : nullptr;
    }
    TSM_TokenValueRecord* tokenValue(uint8_t value) { return m_tokenValues[value] ? &*m_tokenValues[value] : nullptr; }
    // The record of value; a new one gets validIfNew as its valid states, empty entry and exit sets and
    // the unchanged flag.
    TSM_TokenValueRecord& tokenValueOrAdd(uint8_t value, const Set256& validIfNew);
    void setTokenValue(uint8_t value, const TSM_TokenValueRecord& record) { m_tokenValues[value] = record; }

    // Token values at which a scan may restart.
    Set256& anchorSet() { return m_anchor; }
    const Set256& anchorSet() const { return m_anchor; }
    // States in which the viewer keeps scanning past agreement with the stored values.
    Set256& boundStates() { return m_bound; }
    const Set256& boundStates() const { return m_bound; }
    Set256& startStates() { return m_start; }
    const Set256& startStates() const { return m_start; }

    // Set when a "match" routine was compiled: the scanner then needs its OnCustomParse handler.
    bool customParse() const { return m_customParse; }
    void setCustomParse(bool on) { m_customParse = on; }

    // Equal contents with equal class indexes: true for copies and for tables loaded from the same
    // bytes; a table and its reloaded copy may number their classes differently.
    bool operator==(const SchemeTable& o) const;

private:
    TSM_Settings m_settings;
    TSyntaxKeywords m_keywords;
    TSM_CharGroupManager m_classes;
    std::array<std::optional<TSM_Handler>, 256> m_handlers;
    TSM_TokenTable m_tokens;
    std::array<std::unique_ptr<TSM_TokenTable>, 256> m_stateTables;
    Set256 m_statesWithTables;
    std::array<Set256, 256> m_contextStates {};
    std::array<std::optional<TSM_TokenValueRecord>, 256> m_tokenValues;
    Set256 m_anchor;
    Set256 m_bound;
    Set256 m_start;
    bool m_customParse = false;
};

} // namespace lrl
