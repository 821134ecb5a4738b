#include "scheme/TSM_CharGroupManager.h"

#include "common/Exception.h"

namespace lrl {

TSM_CharGroupManager::TSM_CharGroupManager()
{
    clear();
}

std::string TSM_CharGroupManager::key(const TSM_CharGroup& group)
{
    const auto& bytes = group.chars().bytes();
    std::string k(bytes.begin(), bytes.end());
    k.push_back(group.negated() ? '\1' : '\0');
    return k;
}

uint16_t TSM_CharGroupManager::findOrAdd(const TSM_CharGroup& group)
{
    std::string k = key(group);
    auto it = m_index.find(k);
    if (it != m_index.end())
        return it->second;
    if (m_groups.size() >= kMaxClasses)
        throw ESyntaxMemo("Too many character classes");
    auto index = static_cast<uint16_t>(m_groups.size());
    m_groups.push_back(group);
    m_index.emplace(std::move(k), index);
    return index;
}

int TSM_CharGroupManager::find(const TSM_CharGroup& group) const
{
    auto it = m_index.find(key(group));
    return it == m_index.end() ? -1 : it->second;
}

void TSM_CharGroupManager::clear()
{
    m_groups.clear();
    m_index.clear();
    findOrAdd(TSM_CharGroup());
}

} // namespace lrl
