#pragma once

#include <cstdint>
#include <initializer_list>

namespace lrl {

// The viewer's published options, in their published order.
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
    smoUseTAB,
    smoSmartFill,
    smoWrapOverride,
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

    // The component's default set, which is also the state the main window's viewers start in: every
    // option but word wrap, wrap override, caret after end of line, line numbers and show all chars.
    static constexpr TSyntaxMemoOptions defaults()
    {
        TSyntaxMemoOptions o;
        for (int i = smoSyntaxHighlight; i <= smoShowAllChars; ++i)
            o.insert(static_cast<TSyntaxMemoOption>(i));
        for (auto off : { smoWordWrap, smoWrapOverride, smoCaretAfterEOL, smoLineNumbers, smoShowAllChars })
            o.erase(off);
        return o;
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
