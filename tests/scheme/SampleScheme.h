#pragma once

#include "scheme/SchemeTable.h"

namespace lrl::test {

// A hand-built table that uses every part of the compiled scheme: effects, map, editable styles, tab
// stops, fonts, a keyword table, auto-replace words, templates, key bindings with two-key groups, words
// with follow classes, handlers of every end kind, token entries, a per-state table with a range,
// context states, token-value records with actions and a container, and the custom-parse flag.
SchemeTable richSchemeTable();

} // namespace lrl::test
