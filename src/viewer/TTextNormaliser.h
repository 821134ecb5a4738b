#pragma once

#include <cstddef>
#include <cstdint>

namespace lrl {

// Normalises raw bytes into the characters a text store holds: TAB and bytes 32-255 stay as they are;
// CR LF, LF CR, a lone CR and a lone LF each become one CR; every other control character (NUL included)
// becomes '.'. The output is never longer than the input.
//
// Text that arrives in chunks is normalised chunk by chunk; the normaliser remembers whether the previous
// chunk ended in the first half of a line-end pair, so that a pair cut by a chunk boundary still makes
// one line end. reset() starts a new text.
class TTextNormaliser {
public:
    // Normalises n bytes from in into out (room for n bytes) and answers the count written.
    size_t normalise(const uint8_t* in, size_t n, uint8_t* out);
    void reset() { m_pairWith = 0; }

private:
    uint8_t m_pairWith = 0; // a leading byte that completes the previous chunk's line end
};

} // namespace lrl
