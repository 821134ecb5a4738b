#pragma once

#include <cstdint>
#include <initializer_list>

namespace lrl {

// The formats the viewer's copy command puts on the clipboard: plain text, and rich text.
enum TSM_Clipformat : uint8_t { smTEXT, smRTF };

// A set of clipboard formats (ClipCopyFormats).
class TSM_ClipFormats {
public:
    constexpr TSM_ClipFormats() = default;
    constexpr TSM_ClipFormats(std::initializer_list<TSM_Clipformat> formats)
    {
        for (TSM_Clipformat f : formats)
            m_bits |= bit(f);
    }

    constexpr bool has(TSM_Clipformat f) const { return (m_bits & bit(f)) != 0; }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr bool operator==(const TSM_ClipFormats&) const = default;

private:
    static constexpr uint8_t bit(TSM_Clipformat f) { return static_cast<uint8_t>(1u << f); }
    uint8_t m_bits = 0;
};

} // namespace lrl
