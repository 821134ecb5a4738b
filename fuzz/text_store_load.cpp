// Loads arbitrary bytes into the viewer model as a file load does, then edits the text with commands taken
// from the input, checking after each step that the store keeps its invariants (links, counts, nodes of
// 1 ... 2047 characters, no LF or control characters stored, continuation bits), that CharCount is the
// sum of the node lengths and that every offset maps to the line holding it and back.

#include "common/ReadOnlyMemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"
#include "viewer/TTextStoreCheck.h"

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace {

using namespace lrl;

void fail(const std::string& what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

void checkStore(const TTextStore& store)
{
    std::string broken = checkTextStore(store);
    if (!broken.empty())
        fail(broken);
}

void checkPositions(TCustomSyntaxMemo& memo)
{
    const TTextStore& store = memo.textStore();
    checkStore(store);
    // Every node start maps back to its line, and every character of it to the same line.
    int line = 0;
    int start = 0;
    for (const TLineNode* n = store.first(); n; n = n->next, ++line) {
        if (memo.lineIndex(line) != start)
            fail("line start");
        for (int k = 0; k < n->length; k += 97)
            if (memo.lineFromChar(start + k) != line)
                fail("line of offset");
        if (memo.lineFromChar(start + n->length - 1) != line)
            fail("line of last character");
        start += n->length;
    }
    // The stream reads exactly the node characters.
    TEdStream stream(memo.textStore());
    for (const TLineNode* n = store.first(); n; n = n->next)
        for (int k = 0; k < n->length; ++k, stream.next())
            if (stream.current() != static_cast<uint8_t>(n->text()[k]))
                fail("stream");
    if (!stream.atEnd())
        fail("stream end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first half of the input is the file, the rest a list of edits.
    size_t fileSize = size / 2;
    TCustomSyntaxMemo memo;
    ReadOnlyMemoryStream in(std::span(data, fileSize));
    memo.loadFromStream(in);
    checkPositions(memo);

    size_t at = fileSize;
    while (at + 5 <= size) {
        int count = memo.textStore().charCount() + 1;
        int a = (data[at] | data[at + 1] << 8) % count;
        int b = (data[at + 2] | data[at + 3] << 8) % count;
        size_t len = data[at + 4] % 64;
        at += 5;
        len = std::min(len, size - at);
        memo.setSelection(a, b);
        memo.replaceSelection(std::string_view(reinterpret_cast<const char*>(data + at), len));
        at += len;
        checkStore(memo.textStore());
    }
    checkPositions(memo);
    return 0;
}
