#pragma once

#include "viewer/print/TPageCursor.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lrl {

class TTextStore;

// The pages of a whole text, laid out once and kept: rendering page n then costs the rows of page n, and
// the text is laid out again only when the text, the page body or the wrap settings change. The caller
// names the text by its store and a number that changes with every change of the text.
class TPrintLayout {
public:
    const std::vector<TPrintPage>& pages(
        const TTextStore& store, uint64_t textGeneration, const TPageBody& body, const TPrintWrap& wrap);
    // How often the text was laid out (for tests of the caching).
    int layouts() const { return m_layouts; }
    void clear()
    {
        m_valid = false;
        m_pages.clear();
    }

private:
    struct Key {
        const TTextStore* store = nullptr;
        uint64_t generation = 0;
        TPageBody body;
        bool wrap = false;
        int wrapWidth = 0;
        int tabDefault = 0;
        std::array<int, 32> tabColumns {};
        bool operator==(const Key&) const = default;
    };

    Key m_key;
    bool m_valid = false;
    std::vector<TPrintPage> m_pages;
    int m_layouts = 0;
};

} // namespace lrl
