#pragma once

#include <array>

namespace lrl {

class TSyntaxMemoParser;

// The scanners a viewer can be bound to (Parser1 ... Parser6) and which of them is active (ActiveParser,
// 1 ... 6). The viewer does not own them. While a load runs the active scanner is detached: active()
// answers null, so that no scanner is consulted until the load ends.
class TSyntaxMemoParserSlots {
public:
    static constexpr int kSlots = 6;

    // index 1 ... 6; other indexes answer null and are ignored when set.
    TSyntaxMemoParser* parser(int index) const;
    void setParser(int index, TSyntaxMemoParser* parser);

    int activeIndex() const { return m_active; }
    // Ignored outside 1 ... 6.
    void setActiveIndex(int index);

    // The active scanner, or null when none is bound or it is detached.
    TSyntaxMemoParser* active() const { return m_detached ? nullptr : parser(m_active); }

    void detach() { m_detached = true; }
    void attach() { m_detached = false; }
    bool detached() const { return m_detached; }

private:
    std::array<TSyntaxMemoParser*, kSlots> m_parsers {};
    int m_active = 1;
    bool m_detached = false;
};

} // namespace lrl
