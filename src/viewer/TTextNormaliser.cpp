#include "viewer/TTextNormaliser.h"

namespace lrl {

namespace {

    // What each byte becomes: itself, or '.' for control characters other than TAB, LF and CR (which the
    // loop handles).
    struct CharTable {
        uint8_t map[256];
        constexpr CharTable()
            : map {}
        {
            for (int c = 0; c < 256; ++c)
                map[c] = c < 32 && c != '\t' && c != '\n' && c != '\r' ? '.' : static_cast<uint8_t>(c);
        }
    };
    constexpr CharTable kTable;

} // namespace

size_t TTextNormaliser::normalise(const uint8_t* in, size_t n, uint8_t* out)
{
    if (n == 0)
        return 0;
    size_t i = 0;
    if (m_pairWith != 0 && in[0] == m_pairWith)
        i = 1;
    m_pairWith = 0;
    uint8_t* o = out;
    while (i < n) {
        uint8_t c = in[i++];
        if (c != '\r' && c != '\n') {
            *o++ = kTable.map[c];
            continue;
        }
        *o++ = '\r';
        uint8_t partner = c == '\r' ? '\n' : '\r';
        if (i < n) {
            if (in[i] == partner)
                ++i;
        } else {
            m_pairWith = partner;
        }
    }
    return static_cast<size_t>(o - out);
}

} // namespace lrl
