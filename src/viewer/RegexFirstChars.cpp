#include "viewer/RegexFirstChars.h"

#include "viewer/RegexProgram.h"

namespace lrl {

namespace {

using P = RegexProgram;

constexpr int kCR = 13;
// Node visits allowed for the analysis; loops through bodies that match the empty string exhaust it.
constexpr int kBudget = 2000;

void addSet(const P& p, size_t node, bool member, Set256& first)
{
    const uint8_t* flags = p.bytes(P::operand(node));
    for (int c = 0; c < 256; ++c)
        if ((flags[c] != 0) == member)
            first.insert(c);
}

// Adds the first characters of every path from node on; answers false when the budget ran out.
bool collect(const P& p, size_t node, Set256& first, int& budget)
{
    while (node != P::kNone) {
        if (--budget < 0)
            return false;
        switch (p.op(node)) {
        case P::End:
            return true; // reached without consuming: an empty match, which never counts
        case P::Bol:
        case P::Eol:
            first.insert(kCR);
            return true;
        case P::Any:
            first |= ~Set256::of({ kCR });
            return true;
        case P::AnyOf:
            addSet(p, node, true, first);
            return true;
        case P::AnyBut:
            addSet(p, node, false, first);
            return true;
        case P::Exactly:
            first.insert(p.bytes(P::operand(node))[0]);
            return true;
        case P::Branch: {
            const size_t alternative = p.next(node);
            if (alternative == P::kNone || p.op(alternative) != P::Branch) {
                node = P::operand(node);
                continue;
            }
            for (size_t b = node; b != P::kNone && p.op(b) == P::Branch; b = p.next(b))
                if (!collect(p, P::operand(b), first, budget))
                    return false;
            return true;
        }
        case P::Star:
            if (!collect(p, P::operand(node), first, budget))
                return false;
            node = p.next(node);
            continue;
        case P::Plus:
            return collect(p, P::operand(node), first, budget);
        case P::CounterLoop:
            if (!collect(p, node + P::kCounterLoopSize, first, budget))
                return false;
            if (p.word(P::operand(node) + 2) > 0)
                return true;
            node = p.next(node);
            continue;
        default: // Nothing, Back, CounterSet, group open and close
            node = p.next(node);
            continue;
        }
    }
    return true;
}

} // namespace

bool regexFirstChars(const RegexProgram& program, Set256& first)
{
    first.clear();
    int budget = kBudget;
    return collect(program, P::kFirstNode, first, budget);
}

} // namespace lrl
