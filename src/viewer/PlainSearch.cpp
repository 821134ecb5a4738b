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

// Scans the windows that lie wholly inside bytes [0, n) and answers the index of the first hit, or the
// index of the first window start that no longer fits (>= n - len + 1).
size_t scanSegment(const uint8_t* p, size_t n, const TSkipTable& t, bool& hit)
{
    const auto* pat = reinterpret_cast<const uint8_t*>(t.compareForm().data());
    const size_t len = t.length();
    const uint8_t lastc = pat[len - 1];
    size_t i = 0;
    hit = false;
    if (t.matchCase()) {
        while (i + len <= n) {
            uint8_t c = p[i + len - 1];
            if (c == lastc && std::memcmp(p + i, pat, len - 1) == 0) {
                hit = true;
                return i;
            }
            i += t.forwardShift(c);
        }
        return i;
    }
    while (i + len <= n) {
        uint8_t c = p[i + len - 1];
        if (t.fold(c) == lastc) {
            size_t k = 0;
            while (k + 1 < len && t.fold(p[i + k]) == pat[k])
                ++k;
            if (k + 1 == len) {
                hit = true;
                return i;
            }
        }
        i += t.forwardShift(c);
    }
    return i;
}

int64_t findForward(CharStream& s, const TSkipTable& t, int64_t w)
{
    const auto len = static_cast<int64_t>(t.length());
    const int64_t size = s.size();
    while (w + len <= size) {
        s.seek(w);
        const uint8_t* p = s.segmentCursor();
        const auto avail = static_cast<int64_t>(s.segmentEnd() - p);
        if (avail >= len) {
            bool hit;
            size_t i = scanSegment(p, static_cast<size_t>(std::min(avail, size - w)), t, hit);
            if (hit)
                return w + static_cast<int64_t>(i);
            w += static_cast<int64_t>(i);
            continue;
        }
        if (matchesAt(s, t, w))
            return w;
        w += static_cast<int64_t>(t.forwardShift(charAt(s, w + len - 1)));
    }
    return -1;
}

int64_t findBackward(CharStream& s, const TSkipTable& t, int64_t w)
{
    const auto first = static_cast<uint8_t>(t.compareForm()[0]);
    while (w >= 0) {
        uint8_t c = charAt(s, w);
        if (t.fold(c) == first && matchesAt(s, t, w))
            return w;
        w -= static_cast<int64_t>(t.backwardShift(c));
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
            int64_t hit = findForward(stream, table, w);
            if (hit < 0 || !wholeWord || isWholeWord(stream, hit, len, *wholeWord))
                return hit;
            w = hit + 1;
        }
        return -1;
    }
    for (int64_t w = std::min(from, size - len); w >= 0;) {
        int64_t hit = findBackward(stream, table, w);
        if (hit < 0 || !wholeWord || isWholeWord(stream, hit, len, *wholeWord))
            return hit;
        w = hit - 1;
    }
    return -1;
}

} // namespace lrl
