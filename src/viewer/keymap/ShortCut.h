#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lrl {

// A keystroke in the menu-shortcut encoding: the virtual key code in the low byte, plus scShift,
// scCtrl and scAlt for the modifiers; 0 means no key.
using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scModifiers = scShift | scCtrl | scAlt;

// The shortcut as menu text: modifiers as "Shift+", "Ctrl+", "Alt+" in that order, then the key's name
// ("A", "5", "F3", "Left", "PgUp", "Del", ...); a key without a name is written "#" and its decimal code.
// 0 gives the empty text.
std::string shortCutToText(TShortCut shortCut);

// The inverse of shortCutToText (modifier and key names in any case); 0 for the empty text or a text
// that names no key.
TShortCut textToShortCut(std::string_view text);

} // namespace lrl
