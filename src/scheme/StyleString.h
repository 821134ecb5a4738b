#pragma once

#include "scheme/TSM_Settings.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// The text form in which the user's display settings are kept between runs (the style string), and the
// byte form of the user's key assignments.
//
// Style string, as written: "Farvel6:", then for each of 24 fields "KEY#<length>#<value>", then
// "#END#". The fields, in order: OPT options, GWD gutter width, GCL gutter colour, WRC word-wrap column,
// IDS indent step, WRO wrap-override characters, FON font name, FOS font size, STC selected-text colour,
// STB selected-background colour, TBC tab columns (tab-stop text), TBD default tab width, EFF effects,
// GDF/MDF/SDF/BDF the use-default flags of the gutter, margin, selected-text and selected-background
// colours ("1"/"0"), FOC font character set, RMG right margin, LNN/LNS/LNC/LNT gutter font name, size,
// colour and character set, LNE gutter font style (letters I, B, U, S).
//
// EFF: the number of defined effects (256 is written as 255), "," unless it is 0, then per defined
// effect "<number>,<foreground>,<background>," followed by X (background uses the default), Y
// (foreground uses the default), B, I, U and ";". Strike-out and hot spots are not kept.
//
// Reading also accepts the older positional versions 1..4 and keyed versions 5..9.

inline constexpr std::string_view kStyleSignature = "Farvel6:";
inline constexpr const char* kInvalidStyleString = "Invalid data in style string";

// The style string of the settings, in version 6.
std::string writeStyleString(const TSM_Settings& settings);

// Applies a style string to the settings. A string without the signature word and a version digit
// 1..9, a malformed field or an effect number above 255 raises ESyntaxMemo "Invalid data in style
// string"; a malformed tab-column text raises the tab-stop parser's own ESyntaxMemo. In the keyed form
// the fields read before an error stay applied; in the positional form a failure while reading the
// effects puts the effects back as they were.
void applyStyleString(TSM_Settings& settings, std::string_view text);

// The key-assignment value: the short string "Farvel6:" followed by the key map in its stream form.
std::vector<uint8_t> writeKeyAssignments(const TSM_Settings& settings);

// Takes over the key map stored after the 9-byte signature when the bytes contain "Farvel6:" and
// answers whether they did. A damaged key map raises the key map's own error (EReadError,
// EAmbigiousKeyPair) and leaves the settings' key map as it was.
bool applyKeyAssignments(TSM_Settings& settings, std::span<const uint8_t> bytes);

} // namespace lrl
