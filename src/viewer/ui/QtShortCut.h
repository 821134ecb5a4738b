#pragma once

#include "viewer/keymap/ShortCut.h"

#include <Qt>

class QKeyEvent;

namespace lrl {

// Qt keys in the keyboard map's encoding: the virtual key code of the key (letters and digits as their
// upper-case characters, arrows 37-40, PgUp 33, F1 112, ...) plus the Shift, Ctrl and Alt bits.

// The virtual key code of a Qt key, 0 for keys without one and for the modifier keys themselves (which
// only modify the next key and so never end a two-key sequence). Shifted punctuation is taken back to
// the key that carries it on a US keyboard ("#" is the 3 key, ":" the ";" key); keypad digits and
// operators are the keypad's own codes.
uint8_t virtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

// The key value of a key press, 0 when the key has no virtual key code.
TShortCut shortCutOf(int qtKey, Qt::KeyboardModifiers modifiers);
TShortCut shortCutOf(const QKeyEvent& event);

} // namespace lrl
