#include "viewer/print/TPrintRows.h"

#include "viewer/TTabStops.h"

#include <algorithm>

namespace lrl {

namespace {

// The length of the row that starts at p (p < length).
int rowLength(const char* s, int length, int p, bool hasTab, const TPrintWrap& w)
{
    // The character at i, with the node's end reading as a NUL, as the stored text ends in one.
    auto at = [&](int i) -> unsigned { return i < length ? static_cast<unsigned char>(s[i]) : 0u; };
    const int rest = length - p;
    int n = 0;
    if (!hasTab) {
        if (rest <= w.wrapWidth)
            return rest;
        int b = -1;
        for (int i = w.wrapWidth - 1; i >= 1; --i)
            if (at(p + i) <= 32) {
                b = i;
                break;
            }
        if (b >= 0) {
            n = b + 1;
            while (p + n < length && at(p + n) <= 32)
                ++n;
        } else {
            n = w.wrapWidth;
        }
    } else {
        const int limit = w.wrapWidth - (w.tabs ? w.tabs->tabDefault() : 4);
        int column = 0;
        int k = 0;
        while (p + k < length) {
            column = w.tabs ? w.tabs->advance(column, s[p + k]) : column + 1;
            ++k;
            if (column >= limit)
                break;
        }
        int b = -1;
        for (int i = k; i >= 1; --i)
            if (at(p + i) <= 32) {
                b = i;
                break;
            }
        n = b >= 0 ? b + (p + b < length ? 1 : 0) : k;
    }
    return std::clamp(n, 1, rest);
}

} // namespace

void TPrintRows::split(
    const char* s, int length, bool hasTab, const TPrintWrap& w, std::vector<TPrintRow>& rows)
{
    rows.clear();
    if (length <= 0)
        return;
    if (!w.wrap) {
        rows.push_back({ 0, length });
        return;
    }
    int p = 0;
    while (p < length && (p == 0 || s[p] != '\r')) {
        int n = rowLength(s, length, p, hasTab, w);
        rows.push_back({ p, n });
        p += n;
    }
}

int TPrintRows::count(
    const char* s, int length, bool hasTab, const TPrintWrap& w, std::vector<TPrintRow>& scratch)
{
    if (length <= 0)
        return 0;
    if (!w.wrap)
        return 1;
    // A node no longer than the wrap width without TAB is one row; that is most lines of source text.
    if (!hasTab && length <= w.wrapWidth)
        return 1;
    split(s, length, hasTab, w, scratch);
    return static_cast<int>(scratch.size());
}

} // namespace lrl
