#pragma once

#include <cstdint>

namespace lrl {

// The viewer's published options, in their published order. smoWrapOverride sits among the typing
// options at index 9 (bit 13): the stored default option set 67099632 has bit 13 off beside word wrap's
// bit 10, and wrap override is the one of these options that starts off.
enum TSyntaxMemoOption {
    smoSyntaxHighlight,
    smoPrintWrap,
    smoPrintLineNos,
    smoPrintFilename,
    smoPrintDate,
    smoPrintPageNos,
    smoWordWrap,
    smoAutoIndent,
    smoTabToColumn,
    smoWrapOverride,
    smoUseTAB,
    smoSmartFill,
    smoWordSelect,
    smoShowRMargin,
    smoShowGutter,
    smoShowWrapColumn,
    smoTitleAsFilename,
    smoProcessDroppedFiles,
    smoBlockOverwriteCursor,
    smoShowWrapGlyph,
    smoColumnTrack,
    smoOLEDragSource,
    smoCaretAfterEOL,
    smoLineNumbers,
    smoShowAllChars,
};

// The bit of the component's 32-bit option set that holds an option: the first 22 names sit at their
// index + 4, smoShowAllChars at bit 26, smoCaretAfterEOL at 27 and smoLineNumbers at 0.
constexpr uint32_t smoBit(TSyntaxMemoOption option)
{
    switch (option) {
    case smoCaretAfterEOL:
        return 1u << 27;
    case smoLineNumbers:
        return 1u << 0;
    case smoShowAllChars:
        return 1u << 26;
    default:
        return 1u << (static_cast<int>(option) + 4);
    }
}

// The option set as the 32-bit value the component keeps (bits of smoBit()).
class TSyntaxMemoOptions {
public:
    constexpr TSyntaxMemoOptions() = default;
    constexpr explicit TSyntaxMemoOptions(uint32_t bits)
        : m_bits(bits)
    {
    }

    constexpr uint32_t bits() const { return m_bits; }
    constexpr bool has(TSyntaxMemoOption o) const { return (m_bits & smoBit(o)) != 0; }
    constexpr void insert(TSyntaxMemoOption o) { m_bits |= smoBit(o); }
    constexpr void erase(TSyntaxMemoOption o) { m_bits &= ~smoBit(o); }
    constexpr void set(TSyntaxMemoOption o, bool on) { on ? insert(o) : erase(o); }
    constexpr bool operator==(const TSyntaxMemoOptions&) const = default;

private:
    uint32_t m_bits = 0;
};

} // namespace lrl
