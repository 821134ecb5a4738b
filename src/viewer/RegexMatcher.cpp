#include "viewer/RegexMatcher.h"

#include "common/CharStream.h"

namespace lrl {

namespace {

using P = RegexProgram;

constexpr uint8_t kCR = 13;
// Choice points beyond this many mean a pattern whose backtracking has run away.
constexpr size_t kMaxChoices = 1 << 18;

} // namespace

RegexMatcher::RegexMatcher(const RegexProgram* program)
    : m_program(program)
{
    m_table.fill(-1);
    if (program)
        m_counters.assign(static_cast<size_t>(program->counters()), 0);
}

void RegexMatcher::setCounter(uint16_t c, uint32_t value)
{
    m_trail.push_back({ c, m_counters[c] });
    m_counters[c] = value;
}

void RegexMatcher::push(Kind kind, size_t node, int64_t pos, int64_t count, int64_t min)
{
    if (m_choices.size() >= kMaxChoices)
        throw Abort { RegexError::TooComplex };
    m_choices.push_back({ kind, node, pos, m_count, m_trail.size(), count, min });
}

int64_t RegexMatcher::runLength(CharStream& s, size_t operand, int64_t pos)
{
    const P& p = *m_program;
    const uint8_t op = p.op(operand);
    const uint8_t* set = p.bytes(P::operand(operand));
    const uint8_t literal = set[0];
    const int64_t size = s.size();
    int64_t n = 0;
    s.seek(pos);
    for (int64_t at = pos; at < size; ++at) {
        step();
        const uint8_t c = s.current();
        bool ok;
        switch (op) {
        case P::Any:
            ok = c != kCR;
            break;
        case P::AnyOf:
            ok = set[c] != 0;
            break;
        case P::AnyBut:
            ok = set[c] == 0;
            break;
        default: // a one-character Exactly
            ok = c == literal;
            break;
        }
        if (!ok)
            break;
        s.next();
        ++n;
    }
    return n;
}

bool RegexMatcher::backtrack(CharStream& s, size_t& node, int64_t& pos)
{
    for (;;) {
        if (m_choices.empty())
            return false;
        Choice& ch = m_choices.back();
        m_count = ch.tableCount;
        while (m_trail.size() > ch.trail) {
            m_counters[m_trail.back().counter] = m_trail.back().value;
            m_trail.pop_back();
        }
        if (ch.kind != Kind::Repeat) {
            node = ch.node;
            pos = ch.pos;
            m_choices.pop_back();
            s.seek(pos);
            return true;
        }
        // A simple repeat gives back one character at a time. When a literal follows, only run lengths
        // after which that literal stands are worth trying.
        const P& p = *m_program;
        const size_t after = p.next(ch.node);
        const int literal
            = (after != P::kNone && p.op(after) == P::Exactly) ? p.bytes(P::operand(after))[0] : -1;
        while (ch.count >= ch.min) {
            step();
            const int64_t n = ch.count--;
            if (literal >= 0) {
                s.seek(ch.pos + n);
                if (s.atEnd() || s.current() != literal)
                    continue;
            }
            if (n > 0)
                record(ch.pos);
            node = after;
            pos = ch.pos + n;
            if (ch.count < ch.min)
                m_choices.pop_back();
            s.seek(pos);
            return true;
        }
        m_choices.pop_back();
    }
}

bool RegexMatcher::matchAt(CharStream& s, int64_t start)
{
    const P& p = *m_program;
    for (int i = 0; i < m_highWater; ++i)
        m_table[i] = -1;
    m_highWater = 0;
    m_count = 0;
    m_choices.clear();
    m_trail.clear();

    const int64_t size = s.size();
    int64_t pos = start;
    size_t node = P::kFirstNode;
    s.seek(pos);
    for (;;) {
        step();
        const uint8_t op = p.op(node);
        bool ok = true;
        switch (op) {
        case P::End:
            if (m_count > 0 && pos > m_table[0]) {
                if (m_count >= kPositions)
                    throw Abort { RegexError::IndexRange };
                m_table[m_count] = pos;
                if (m_count >= m_highWater)
                    m_highWater = m_count + 1;
                return true;
            }
            ok = false;
            break;
        case P::Bol:
            ok = pos < size && s.current() == kCR;
            if (ok) {
                s.next();
                ++pos;
            }
            break;
        case P::Eol:
            ok = pos < size && s.current() == kCR;
            break;
        case P::Any:
        case P::AnyOf:
        case P::AnyBut:
            if (pos < size) {
                const uint8_t c = s.current();
                if (op == P::Any)
                    ok = c != kCR;
                else
                    ok = (p.bytes(P::operand(node))[c] != 0) == (op == P::AnyOf);
            } else {
                ok = false;
            }
            if (ok) {
                record(pos);
                s.next();
                ++pos;
            }
            break;
        case P::Exactly: {
            const int64_t from = pos;
            for (const uint8_t* lit = p.bytes(P::operand(node)); *lit; ++lit) {
                if (pos >= size || s.current() != *lit) {
                    ok = false;
                    break;
                }
                s.next();
                ++pos;
            }
            if (ok)
                record(from);
            break;
        }
        case P::Branch: {
            const size_t alternative = p.next(node);
            if (alternative != P::kNone && p.op(alternative) == P::Branch)
                push(Kind::Alternative, alternative, pos);
            node = P::operand(node);
            continue;
        }
        case P::Star:
        case P::Plus: {
            const int64_t n = runLength(s, P::operand(node), pos);
            push(Kind::Repeat, node, pos, n, op == P::Star ? 0 : 1);
            ok = false; // the choice point just pushed tries the run lengths
            break;
        }
        case P::CounterSet:
            setCounter(p.word(P::operand(node)), 0);
            break;
        case P::CounterLoop: {
            const size_t at = P::operand(node);
            const uint16_t c = p.word(at);
            const uint32_t k = m_counters[c];
            const uint32_t min = p.word(at + 2);
            const uint32_t max = p.word(at + 4);
            if (k < min || max == P::kUnbounded || k < max) {
                if (k >= min)
                    push(Kind::LoopExit, p.next(node), pos);
                setCounter(c, k + 1);
                node += P::kCounterLoopSize;
                continue;
            }
            break;
        }
        default: // Nothing, Back, group open and close
            break;
        }
        if (ok) {
            node = p.next(node);
            continue;
        }
        if (!backtrack(s, node, pos))
            return false;
    }
}

} // namespace lrl
