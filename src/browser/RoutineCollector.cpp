#include "browser/RoutineCollector.h"

#include "browser/BrowserConstants.h"

#include <charconv>

namespace lrl {

RoutineCollector::RoutineCollector(const bool& sorted)
    : m_sorted(sorted)
{
}

void RoutineCollector::reset()
{
    m_categories.reset();
    m_pending.clear();
    m_inImplementation = false;
}

RoutineList& RoutineCollector::category(std::string_view name)
{
    if (!m_categories)
        m_categories.emplace(m_sorted);
    size_t i = m_categories->findOrAdd(name, RoutineList(m_sorted));
    return (*m_categories)[i].object;
}

void RoutineCollector::token(int value, int32_t endOffset, std::string_view text)
{
    switch (m_state) {
    case 0:
        if (value == tok::Implementation) {
            m_inImplementation = true;
        } else if (value >= tok::Constructor && value <= tok::Procedure) {
            m_routineKind = value;
            m_routineOffset = endOffset;
            m_state = 1;
        }
        break;
    case 1:
        if (value == tok::LineComment || value == tok::BraceComment || value == tok::ParenComment
            || value == tok::Blanks)
            break;
        if (value == tok::Identifier) {
            m_routineName = text;
            // Each routine word gives at most one pending entry and its offset is part of the entry,
            // so an entry can never be present already.
            if (m_inImplementation)
                m_pending.push_back(
                    std::to_string(m_routineKind) + m_routineName + "|" + std::to_string(m_routineOffset));
            m_state = 2;
        } else {
            m_state = 0;
        }
        break;
    case 2:
        m_state = value == tok::Dot ? 3 : 0;
        break;
    case 3:
        if (value == tok::Identifier) {
            RoutineList& methods = category(m_routineName);
            std::string entry = std::to_string(m_routineKind) + std::string(text);
            if (!methods.contains(entry))
                methods.add(std::move(entry), m_routineOffset);
            filePending(2);
        }
        m_state = 0;
        break;
    default:
        m_state = 0;
        break;
    }
}

void RoutineCollector::finish()
{
    if (m_pending.empty())
        return;
    m_routineName = kProcFuncCategory;
    filePending(1);
}

// Files the pending entries except the last keep - 1 (with keep = 2 that is the class name the handler
// has just read as a routine name) under "Proc/Func", unless the category named m_routineName already
// lists them. The implementation flag stays set, so that plain routines written after a method body
// are collected as well.
void RoutineCollector::filePending(size_t keep)
{
    category(kProcFuncCategory);
    category(m_routineName);
    // Both lookups above may have grown the list; take the references only now.
    RoutineList& procFunc = category(kProcFuncCategory);
    const RoutineList& owner = category(m_routineName);
    size_t take = m_pending.size() + 1 >= keep ? m_pending.size() + 1 - keep : 0;
    for (size_t i = 0; i < take; ++i) {
        const std::string& entry = m_pending[i];
        size_t bar = entry.find('|');
        std::string routine = entry.substr(0, bar);
        int32_t offset = 0;
        if (bar != std::string::npos)
            std::from_chars(entry.data() + bar + 1, entry.data() + entry.size(), offset);
        // The "Proc/Func" check keeps an overloaded or forward-declared plain routine to one entry, at
        // its first offset, whether the lists are sorted or not.
        if (!owner.contains(routine) && !procFunc.contains(routine))
            procFunc.add(std::move(routine), offset);
    }
    m_pending.clear();
}

} // namespace lrl
