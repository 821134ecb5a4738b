#include "viewer/TextWords.h"

#include "viewer/TTextStore.h"

#include <algorithm>

namespace lrl::TextWords {

namespace {

    // A position in the text that steps one character at a time across nodes.
    struct Cursor {
        const TLineNode* node;
        int start; // offset of the node's first character
        int pos;

        bool atEnd() const { return node == nullptr || pos - start >= node->length; }
        uint8_t at() const { return node->bytes()[pos - start]; }
        void forward()
        {
            ++pos;
            while (node && pos - start >= node->length && node->next) {
                start += node->length;
                node = node->next;
            }
        }
        // The character before pos, moving to the node that holds it; false at the text's start.
        bool hasBefore() const { return pos > 0; }
        uint8_t before()
        {
            while (node && pos - 1 < start) {
                node = node->prev;
                start -= node->length;
            }
            return node->bytes()[pos - 1 - start];
        }
    };

    Cursor cursorAt(const TTextStore& store, int offset)
    {
        offset = std::clamp(offset, 0, store.charCount());
        TNodePos p = store.findOffset(offset);
        if (!p.node && store.last()) // the implied line after a final CR
            return { store.last(), store.charCount() - store.last()->length, offset };
        return { p.node, p.start, offset };
    }

} // namespace

int nextWordStart(const TTextStore& store, const WordTests& tests, int offset)
{
    Cursor c = cursorAt(store, offset);
    while (!c.atEnd() && tests.isWordChar(c.at()))
        c.forward();
    while (!c.atEnd() && !tests.isWordChar(c.at()))
        c.forward();
    return c.atEnd() ? store.charCount() : c.pos;
}

int previousWordStart(const TTextStore& store, const WordTests& tests, int offset)
{
    Cursor c = cursorAt(store, offset);
    if (!c.node)
        return 0;
    while (c.hasBefore() && !tests.isWordChar(c.before()))
        --c.pos;
    while (c.hasBefore() && tests.isWordChar(c.before()))
        --c.pos;
    return c.pos;
}

std::pair<int, int> wordAt(const TNodePos& row, const WordTests& tests, int offset)
{
    if (!row.node)
        return { row.start, row.start };
    const uint8_t* text = row.node->bytes();
    const int length = row.node->textLength();
    auto word = [&](int i) { return i >= 0 && i < length && tests.isWordChar(text[i]); };
    int p = std::clamp(offset - row.start, 0, length);
    auto extent = [&](int inside) {
        int a = inside;
        while (word(a - 1))
            --a;
        int b = inside;
        while (word(b))
            ++b;
        return std::pair { row.start + a, row.start + b };
    };
    if (word(p) && !word(p - 1))
        return extent(p);
    for (int i = p - 1; i >= 0; --i)
        if (word(i))
            return extent(i);
    for (int i = p; i < length; ++i)
        if (word(i))
            return extent(i);
    return { row.start, row.start };
}

} // namespace lrl::TextWords
