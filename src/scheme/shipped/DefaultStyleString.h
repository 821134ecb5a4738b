#pragma once

#include <string_view>

namespace lrl {

// The highlighting the program shows until the user saves styles of their own: a style string for the
// shipped Object Pascal scheme that sets its effects only, every one on white. Reserved words bold in
// navy, comments italic in a muted green, strings dark red, numbers dark magenta, symbols dark orange;
// identifiers and the default text black. Each colour keeps a contrast of at least 4.5:1 to white, so it
// reads on screen and on paper.
extern const std::string_view kDefaultStyleString;

} // namespace lrl
