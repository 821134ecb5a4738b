#include "viewer/TSkipTable.h"

#include "viewer/CharCase.h"

namespace lrl {

bool TSkipTable::prepare(std::string_view text, bool matchCase)
{
    if (m_built && matchCase == m_matchCase && text == m_text)
        return false;
    m_text.assign(text);
    m_matchCase = matchCase;
    build();
    m_built = true;
    return true;
}

void TSkipTable::build()
{
    for (int c = 0; c < 256; ++c)
        m_fold[c] = m_matchCase ? static_cast<uint8_t>(c) : CharCase::upper(static_cast<uint8_t>(c));
    m_compare.resize(m_text.size());
    for (size_t i = 0; i < m_text.size(); ++i)
        m_compare[i] = static_cast<char>(m_fold[static_cast<uint8_t>(m_text[i])]);

    const size_t len = m_compare.size();
    std::array<size_t, 256> forward;
    std::array<size_t, 256> backward;
    forward.fill(len);
    backward.fill(len);
    // Forward: distance from the last occurrence (the final position excluded) to the window's end.
    for (size_t i = 0; i + 1 < len; ++i)
        forward[static_cast<uint8_t>(m_compare[i])] = len - 1 - i;
    // Backward: distance from the window's start to the first occurrence after position 0.
    for (size_t i = len; i-- > 1;)
        backward[static_cast<uint8_t>(m_compare[i])] = i;
    for (int c = 0; c < 256; ++c) {
        m_forward[c] = forward[m_fold[c]] ? forward[m_fold[c]] : 1;
        m_backward[c] = backward[m_fold[c]] ? backward[m_fold[c]] : 1;
    }
}

} // namespace lrl
