#pragma once

#include "common/CharStream.h"
#include "scheme/TSyntaxMemoParser.h"

#include <cstdint>
#include <cstring>

namespace lrl {

// One token of a scan: its token value, first character and length. inner marks a token found when a
// container's text is scanned again.
struct ScannedToken {
    uint8_t value = 0;
    int64_t start = 0;
    int32_t length = 0;
    bool inner = false;
};

// Scans the stream from its position to its end the way a viewer does, after reset(startValue), and
// calls onToken(const ScannedToken&) for each token. A token of length 0 before the end counts as one
// character. After a container token the stream goes back to the container's start and its text is
// scanned again; those inner tokens are reported with inner set.
template <class OnToken>
void scanTokens(TSyntaxMemoParser& parser, CharStream& stream, int startValue, OnToken&& onToken)
{
    parser.reset(startValue);
    ScannedToken t;
    while (!stream.atEnd()) {
        t.start = stream.position();
        t.value = parser.nextToken(nullptr, stream, t.length);
        if (t.length <= 0) {
            stream.seek(t.start + 1);
            t.length = static_cast<int32_t>(stream.position() - t.start);
        }
        bool entered = !t.inner && parser.scanner().inContainer();
        onToken(static_cast<const ScannedToken&>(t));
        if (entered) {
            stream.seek(t.start);
            t.inner = true;
        } else if (!parser.scanner().inContainer()) {
            t.inner = false;
        }
    }
}

// Fills values with one token value per character of the stream from its position to its end (the
// rest of the stream: values must hold that many). Inside a container, characters that no inner token
// claims (inner value 0) keep the container's value.
inline void scanValues(TSyntaxMemoParser& parser, CharStream& stream, int startValue, uint8_t* values)
{
    const int64_t origin = stream.position();
    scanTokens(parser, stream, startValue, [&](const ScannedToken& t) {
        if (t.inner && t.value == 0)
            return;
        std::memset(values + (t.start - origin), t.value, static_cast<size_t>(t.length));
    });
}

} // namespace lrl
