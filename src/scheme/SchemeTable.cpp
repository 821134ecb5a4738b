#include "scheme/SchemeTable.h"

namespace lrl {

SchemeTable::SchemeTable()
{
    clear();
}

SchemeTable::SchemeTable(const SchemeTable& other)
    : m_settings(other.m_settings)
    , m_keywords(other.m_keywords)
    , m_classes(other.m_classes)
    , m_handlers(other.m_handlers)
    , m_tokens(other.m_tokens)
    , m_statesWithTables(other.m_statesWithTables)
    , m_contextStates(other.m_contextStates)
    , m_tokenValues(other.m_tokenValues)
    , m_anchor(other.m_anchor)
    , m_bound(other.m_bound)
    , m_start(other.m_start)
    , m_customParse(other.m_customParse)
{
    for (size_t s = 0; s < m_stateTables.size(); ++s)
        if (other.m_stateTables[s])
            m_stateTables[s] = std::make_unique<TSM_TokenTable>(*other.m_stateTables[s]);
}

SchemeTable& SchemeTable::operator=(const SchemeTable& other)
{
    if (this != &other) {
        SchemeTable copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void SchemeTable::clear()
{
    m_settings = TSM_Settings();
    m_keywords = TSyntaxKeywords();
    m_classes.clear();
    for (auto& h : m_handlers)
        h.reset();
    m_tokens.clear();
    for (auto& t : m_stateTables)
        t.reset();
    m_statesWithTables.clear();
    for (auto& c : m_contextStates)
        c.clear();
    for (auto& v : m_tokenValues)
        v.reset();
    m_anchor = Set256::of({ 0 });
    m_bound.clear();
    m_start = Set256::of({ 0 });
    m_customParse = false;
}

TSM_TokenTable& SchemeTable::stateTableOrAdd(uint8_t state)
{
    if (!m_stateTables[state]) {
        m_stateTables[state] = std::make_unique<TSM_TokenTable>();
        m_statesWithTables.insert(state);
    }
    return *m_stateTables[state];
}

void SchemeTable::fillEmptyContextStates()
{
    for (auto& c : m_contextStates)
        if (c.empty())
            c = m_start;
}

TSM_TokenValueRecord& SchemeTable::tokenValueOrAdd(uint8_t value, const Set256& validIfNew)
{
    if (!m_tokenValues[value]) {
        TSM_TokenValueRecord r;
        r.valid = validIfNew;
        m_tokenValues[value] = r;
    }
    return *m_tokenValues[value];
}

bool SchemeTable::operator==(const SchemeTable& o) const
{
    for (size_t s = 0; s < m_stateTables.size(); ++s) {
        const auto& a = m_stateTables[s];
        const auto& b = o.m_stateTables[s];
        if (bool(a) != bool(b) || (a && !(*a == *b)))
            return false;
    }
    return m_settings == o.m_settings && m_keywords == o.m_keywords && m_classes == o.m_classes && m_handlers == o.m_handlers
        && m_tokens == o.m_tokens && m_statesWithTables == o.m_statesWithTables
        && m_contextStates == o.m_contextStates && m_tokenValues == o.m_tokenValues && m_anchor == o.m_anchor
        && m_bound == o.m_bound && m_start == o.m_start && m_customParse == o.m_customParse;
}

} // namespace lrl
