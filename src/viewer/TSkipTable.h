#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lrl {

// The shift table of the plain (Boyer-Moore-Horspool) search for one search string and case mode.
//
// Without match case the search string is kept upper-cased and every text character is upper-cased as
// it is compared; the shift tables are indexed by the raw text byte with that folding already applied,
// so the scan loop never folds a character it only skips over.
class TSkipTable {
public:
    // Makes the table fit text and the case mode; rebuilds only when either differs from the cached one.
    // Answers whether it rebuilt.
    bool prepare(std::string_view text, bool matchCase);

    const std::string& text() const { return m_text; }
    // The form that text characters are compared with: the search string itself, or its upper case.
    const std::string& compareForm() const { return m_compare; }
    size_t length() const { return m_compare.size(); }
    bool matchCase() const { return m_matchCase; }

    // A text character as it is compared (upper-cased without match case).
    uint8_t fold(uint8_t c) const { return m_fold[c]; }
    // How far a forward search may move its window when c is the text character under the window's last
    // position; at least 1.
    size_t forwardShift(uint8_t c) const { return m_forward[c]; }
    // The mirrored shift for a backward search, for c under the window's first position.
    size_t backwardShift(uint8_t c) const { return m_backward[c]; }

private:
    void build();

    std::string m_text;
    std::string m_compare;
    bool m_matchCase = true;
    bool m_built = false;
    std::array<uint8_t, 256> m_fold {};
    std::array<size_t, 256> m_forward {};
    std::array<size_t, 256> m_backward {};
};

} // namespace lrl
