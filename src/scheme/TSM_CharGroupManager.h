#pragma once

#include "scheme/TSM_CharGroup.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace lrl {

// The pool of the distinct character classes of a compiled scheme. Records refer to classes by their
// 16-bit index in the pool; equal classes are kept once. Index kEmptyClass is always the empty class,
// so a zero-initialised class reference is valid.
class TSM_CharGroupManager {
public:
    static constexpr uint16_t kEmptyClass = 0;
    static constexpr size_t kMaxClasses = 65536;

    TSM_CharGroupManager();

    // The index of an equal class already in the pool, or of group added at the end. A 65537th
    // distinct class raises ESyntaxMemo "Too many character classes".
    uint16_t findOrAdd(const TSM_CharGroup& group);
    // The index of an equal class, or -1.
    int find(const TSM_CharGroup& group) const;

    const TSM_CharGroup& operator[](uint16_t index) const { return m_groups[index]; }
    bool contains(uint16_t index) const { return index < m_groups.size(); }
    size_t size() const { return m_groups.size(); }

    // Back to the empty class alone.
    void clear();

    bool operator==(const TSM_CharGroupManager& o) const { return m_groups == o.m_groups; }

private:
    static std::string key(const TSM_CharGroup& group);

    std::vector<TSM_CharGroup> m_groups;
    std::unordered_map<std::string, uint16_t> m_index;
};

} // namespace lrl
