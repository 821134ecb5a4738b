// Matches a random pattern against a random text: the first byte picks the direction and the pattern's
// length, the pattern follows, the rest is the text. The text is searched as one segment and cut into
// small segments; both must give the same answer, and every search must end within its step allowance.
#include "../tests/support/SegmentedCharStream.h"
#include "common/StringCharStream.h"
#include "viewer/TREParser.h"

#include <cstdint>
#include <string>

using namespace lrl;

namespace {

struct Outcome {
    bool found = false;
    int64_t start = -1;
    int64_t end = -1;
    int error = 0;
    bool operator==(const Outcome&) const = default;
};

Outcome run(TREParser& re, CharStream& s, SearchDirection dir, int64_t from)
{
    Outcome o;
    s.seek(from);
    try {
        o.found = re.search(s, dir);
        if (o.found) {
            o.start = re.matchStart();
            o.end = re.matchEnd();
            if (o.start < 0 || o.end <= o.start || o.end > s.size())
                __builtin_trap();
        }
    } catch (const ERegexError& e) {
        o.error = static_cast<int>(e.code());
    }
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t head = data[0];
    const size_t patternLen = std::min<size_t>(head & 0x3F, size - 1);
    std::string pattern(reinterpret_cast<const char*>(data + 1), patternLen);
    std::string text(reinterpret_cast<const char*>(data + 1 + patternLen), size - 1 - patternLen);
    const auto dir = (head & 0x40) ? SearchDirection::Backward : SearchDirection::Forward;
    const int64_t from = (head & 0x80) ? static_cast<int64_t>(text.size() / 2) : 0;

    TREParser re;
    if (!re.compile(pattern))
        return 0;
    re.setStepAllowance(50'000, 256);
    StringCharStream whole(text);
    test::SegmentedCharStream pieces(text, 3);
    const Outcome a = run(re, whole, dir, from);
    const uint64_t limit = 50'000 + 256 * text.size() + 1;
    if (re.steps() > limit)
        __builtin_trap();
    const Outcome b = run(re, pieces, dir, from);
    if (!(a == b))
        __builtin_trap();
    return 0;
}
