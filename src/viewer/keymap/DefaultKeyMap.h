#pragma once

#include "viewer/keymap/TKeyboardActionContoller.h"

namespace lrl {

// Virtual key codes the default map uses.
namespace vk {
    constexpr TShortCut Back = 8;
    constexpr TShortCut Prior = 33; // PgUp
    constexpr TShortCut Next = 34; // PgDn
    constexpr TShortCut End = 35;
    constexpr TShortCut Home = 36;
    constexpr TShortCut Left = 37;
    constexpr TShortCut Up = 38;
    constexpr TShortCut Right = 39;
    constexpr TShortCut Down = 40;
    constexpr TShortCut Insert = 45;
    constexpr TShortCut Delete = 46;
} // namespace vk

// The name of an editor command (0 ... 47) as the program shows it, or empty.
const char* editorCommandName(int32_t command);

// Builds the viewer's default keyboard map: the 48 command names, then the bindings in command order,
// except that Ctrl+Backspace and Ctrl+Del come first.
TKeyboardActionContoller buildDefaultKeyMap();

// The default map, built once on first use; every viewer's settings start with a copy of it.
const TKeyboardActionContoller& defaultKeyMap();

} // namespace lrl
