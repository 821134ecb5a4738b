#pragma once

#include <cstdint>

namespace lrl {

// Receives the tokens of a text while a BrowserViewer loads it.
class TokenSink {
public:
    virtual ~TokenSink() = default;
    // One token: its token value (0..255) and its character offsets; end is one past its last
    // character. Offsets count characters from the start of the loaded text, each line end counting one.
    virtual void tokenSeen(int value, int32_t start, int32_t end) = 0;
};

} // namespace lrl
