// Compiles arbitrary bytes as a search pattern. A pattern that compiles is run over a short text in both
// directions under a small step allowance; a compile error must carry a position inside the pattern text
// (or one past its end).
#include "common/StringCharStream.h"
#include "viewer/TREParser.h"

#include <cstdint>
#include <string_view>

using namespace lrl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view pattern(reinterpret_cast<const char*>(data), size);
    TREParser re;
    if (!re.compile(pattern)) {
        if (re.errorPosition() < 1 || static_cast<size_t>(re.errorPosition()) > re.pattern().size() + 1)
            __builtin_trap();
        return 0;
    }
    re.setStepAllowance(20'000, 256);
    static const std::string_view text = "begin\r  x := a[1] * (b + 2); // end\r\rend.";
    for (auto dir : { SearchDirection::Forward, SearchDirection::Backward }) {
        StringCharStream s(text);
        if (dir == SearchDirection::Backward)
            s.seek(s.size());
        try {
            if (re.search(s, dir) && !(re.matchStart() >= 0 && re.matchStart() < re.matchEnd()
                    && re.matchEnd() <= static_cast<int64_t>(text.size())))
                __builtin_trap();
        } catch (const ERegexError&) {
        }
    }
    return 0;
}
