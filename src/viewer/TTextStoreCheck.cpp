#include "viewer/TTextStoreCheck.h"

#include "common/Format.h"
#include "viewer/TTextStore.h"

#include <algorithm>

namespace lrl {

namespace {

    std::string checkNode(const TLineNode& n)
    {
        if (n.length < 1 || n.length > kMaxNodeLength)
            return format("length %d", int(n.length));
        const char* t = n.text();
        if (t[n.length] != '\0')
            return "no NUL after the text";
        bool tab = false;
        for (int i = 0; i < n.length; ++i) {
            auto c = static_cast<unsigned char>(t[i]);
            if (c == '\r' && i != n.length - 1)
                return format("CR at %d inside the node", i);
            if (c < 32 && c != '\t' && c != '\r')
                return format("control character %d at %d", int(c), i);
            tab = tab || c == '\t';
        }
        if (tab != n.hasTab())
            return "TAB flag wrong";
        bool continuation = n.prev && !n.prev->endsLine();
        if (continuation != n.isContinuation())
            return "continuation bit wrong";
        return {};
    }

} // namespace

std::string checkTextStore(const TTextStore& store)
{
    int lines = 0;
    int64_t chars = 0;
    int lineEnds = 0;
    int longest = 1;
    const TLineNode* prev = nullptr;
    for (const TLineNode* n = store.first(); n; prev = n, n = n->next, ++lines) {
        if (n->prev != prev)
            return format("line %d: back link wrong", lines);
        std::string error = checkNode(*n);
        if (!error.empty())
            return format("line %d: %s", lines, error.c_str());
        chars += n->length;
        lineEnds += n->endsLine() ? 1 : 0;
        longest = std::max<int>(longest, n->length);
    }
    if (store.last() != prev)
        return "last node wrong";
    if (lines != store.lineCount())
        return format("LineCount %d, nodes %d", store.lineCount(), lines);
    if (chars != store.charCount())
        return format("CharCount %d, characters %lld", store.charCount(), static_cast<long long>(chars));
    if (lineEnds != store.lineEndCount())
        return format("line-end count %d, CRs %d", store.lineEndCount(), lineEnds);
    if (longest != store.longestLine())
        return format("LongestLine %d, longest node %d", store.longestLine(), longest);
    return {};
}

} // namespace lrl
