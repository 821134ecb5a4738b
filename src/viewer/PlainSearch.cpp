#include "viewer/PlainSearch.h"

#include "common/CharStream.h"
#include "viewer/TSkipTable.h"
#include "viewer/WordTests.h"

#include <algorithm>
#include <cstring>

namespace lrl {

namespace {

uint8_t charAt(CharStream& s, int64_t pos)
{
    s.seek(pos);
    return s.current();
}

// Compares the window at w character by character through the stream (for windows that cross a segment
// boundary).
bool matchesAt(CharStream& s, const TSkipTable& t, int64_t w)
{
    const std::string& pat = t.compareForm();
    s.seek(w);
    for (char pc : pat) {
        if (t.fold(s.current()) != static_cast<uint8_t>(pc))
            return false;
        s.next();
    }
    return true;
}

// Strings up to this long are scanned for their last character with memchr.
constexpr int64_t kShortPattern = 4;

// Whether the n characters at text equal pat (pat in compare form).
template <bool kFold> bool equalAt(const uint8_t* text, const uint8_t* pat, size_t n, const TSkipTable& t)
{
    if (!kFold)
        return std::memcmp(text, pat, n) == 0;
    for (size_t k = 0; k < n; ++k)
        if (t.fold(text[k]) != pat[k])
            return false;
    return true;
}

// Makes the segment that holds pos current (a seek to a segment's end stays in that segment).
void enterSegment(CharStream& s, int64_t pos)
{
    s.seek(pos);
    if (s.segmentCursor() == s.segmentEnd())
        s.current();
}

// The first hit that starts at or after w. The scan is driven by the character under the window's last
// position, which is all the shift needs, so it runs over each segment's bytes however the windows lie
// across segments; a candidate is compared in place when its window lies in the segment, through the
// stream otherwise.
template <bool kFold> int64_t findForward(CharStream& s, const TSkipTable& t, int64_t w)
{
    const auto* pat = reinterpret_cast<const uint8_t*>(t.compareForm().data());
    const auto len = static_cast<int64_t>(t.length());
    const uint8_t lastc = pat[len - 1];
    const int64_t size = s.size();
    int64_t e = w + len - 1;
    while (e < size) {
        enterSegment(s, e);
        const uint8_t* begin = s.segmentBegin();
        const int64_t n = s.segmentEnd() - begin;
        int64_t i = s.segmentCursor() - begin;
        const int64_t base = e - i;
        if (i >= n)
            return -1; // a stream without the character at e: nothing more to read
        for (; i < n; i += static_cast<int64_t>(t.forwardShift(begin[i]))) {
            if (!kFold && len <= kShortPattern) {
                // The shifts of a short string are short: let memchr find its last character instead.
                const void* hit = std::memchr(begin + i, lastc, static_cast<size_t>(n - i));
                if (!hit) {
                    i = n;
                    break;
                }
                i = static_cast<const uint8_t*>(hit) - begin;
            }
            const uint8_t c = kFold ? t.fold(begin[i]) : begin[i];
            if (c != lastc)
                continue;
            const int64_t at = i - (len - 1);
            if (at >= 0 ? equalAt<kFold>(begin + at, pat, static_cast<size_t>(len - 1), t)
                        : matchesAt(s, t, base + at))
                return base + at;
        }
        e = base + i;
    }
    return -1;
}

// The last hit that starts at or before w (w <= size - length), driven by the window's first character.
template <bool kFold> int64_t findBackward(CharStream& s, const TSkipTable& t, int64_t w)
{
    const auto* pat = reinterpret_cast<const uint8_t*>(t.compareForm().data());
    const auto len = static_cast<int64_t>(t.length());
    const uint8_t firstc = pat[0];
    while (w >= 0) {
        enterSegment(s, w);
        const uint8_t* begin = s.segmentBegin();
        const int64_t n = s.segmentEnd() - begin;
        int64_t i = s.segmentCursor() - begin;
        const int64_t base = w - i;
        if (i >= n)
            return -1;
        for (; i >= 0; i -= static_cast<int64_t>(t.backwardShift(begin[i]))) {
            const uint8_t c = kFold ? t.fold(begin[i]) : begin[i];
            if (c != firstc)
                continue;
            if (i + len <= n ? equalAt<kFold>(begin + i + 1, pat + 1, static_cast<size_t>(len - 1), t)
                             : matchesAt(s, t, base + i))
                return base + i;
        }
        w = base + i;
    }
    return -1;
}

bool isWholeWord(CharStream& s, int64_t hit, int64_t len, const WordTests& words)
{
    if (hit > 0 && words.isWordChar(charAt(s, hit - 1)))
        return false;
    return hit + len >= s.size() || !words.isWordChar(charAt(s, hit + len));
}

} // namespace

int64_t plainSearch(CharStream& stream, const TSkipTable& table, int64_t from, SearchDirection direction,
    const WordTests* wholeWord)
{
    const auto len = static_cast<int64_t>(table.length());
    const int64_t size = stream.size();
    if (len == 0 || len > size)
        return -1;
    if (direction == SearchDirection::Forward) {
        // A rejected whole-word hit moves the search on by one only: a later, overlapping occurrence of a
        // string that holds non-word characters may still stand as a whole word.
        for (int64_t w = std::max<int64_t>(from, 0); w + len <= size;) {
            int64_t hit = table.matchCase() ? findForward<false>(stream, table, w)
                                            : findForward<true>(stream, table, w);
            if (hit < 0 || !wholeWord || isWholeWord(stream, hit, len, *wholeWord))
                return hit;
            w = hit + 1;
        }
        return -1;
    }
    for (int64_t w = std::min(from, size - len); w >= 0;) {
        int64_t hit = table.matchCase() ? findBackward<false>(stream, table, w)
                                        : findBackward<true>(stream, table, w);
        if (hit < 0 || !wholeWord || isWholeWord(stream, hit, len, *wholeWord))
            return hit;
        w = hit - 1;
    }
    return -1;
}

} // namespace lrl
