#include "viewer/RegexCompiler.h"

#include <cstring>

namespace lrl {

namespace {

using P = RegexProgram;

constexpr int kMaxGroups = 9;

bool isRepeat(uint8_t c)
{
    return c == '*' || c == '+' || c == '?' || c == '{';
}

// Characters that end a run of literal characters.
bool isOrdinary(uint8_t c)
{
    return c != 0 && std::strchr("^$.[()|*+?{\\\"", c) == nullptr;
}

uint8_t asciiLower(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c;
}

int hexValue(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = asciiLower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Whether s is one group "(...)" as a whole. s has been parsed, so its sets, quotes and escapes are
// well formed.
bool isWholeGroup(const std::string& s)
{
    if (s.empty() || s[0] != '(')
        return false;
    const size_t n = s.size();
    int depth = 0;
    for (size_t i = 0; i < n; ++i) {
        char c = s[i];
        if (c == '\\') {
            ++i;
        } else if (c == '"' || c == '[') {
            const char close = c == '"' ? '"' : ']';
            ++i;
            if (c == '[' && i < n && s[i] == '^')
                ++i;
            for (; i < n && s[i] != close; ++i)
                if (s[i] == '\\')
                    ++i;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i == n - 1;
        }
    }
    return false;
}

std::string wrap(const std::string& side)
{
    return isWholeGroup(side) ? side : "(" + side + ")";
}

} // namespace

bool RegexCompiler::compile(std::string_view pattern)
{
    m_text.assign(pattern);
    m_program = {};
    m_error = RegexError::None;
    m_errorPos = 0;
    try {
        if (m_text.empty())
            fail(RegexError::InvalidParameter, 0);
        for (;;) {
            try {
                pass(false);
                break;
            } catch (const Restart&) {
                // A double bar was rewritten: measure the new text from its start.
            }
        }
        pass(true);
        m_program = RegexProgram(std::move(m_code), m_counters);
        m_code.clear();
        return true;
    } catch (const Failure& f) {
        m_error = f.code;
        m_errorPos = static_cast<int>(f.at) + 1;
        m_code.clear();
        return false;
    }
}

void RegexCompiler::pass(bool emit)
{
    const size_t measured = m_size;
    m_emit = emit;
    m_pos = 0;
    m_groups = 0;
    m_counters = 0;
    m_size = 0;
    if (emit)
        m_code.assign(measured + 256, 0);
    emitByte(P::kMarker);
    int flags;
    reg(false, flags);
    if (emit && m_size != measured)
        fail(RegexError::Internal, m_pos);
}

// ---- Structure ----

size_t RegexCompiler::reg(bool paren, int& flags)
{
    flags = HasWidth;
    size_t ret = P::kNone;
    int group = 0;
    if (paren) {
        if (m_groups >= kMaxGroups)
            fail(RegexError::TooManySubExpressions, m_pos - 1);
        group = ++m_groups;
        ret = node(static_cast<uint8_t>(P::Open + group));
    }
    size_t branchStart = m_pos;
    int f;
    size_t br = branch(f);
    if (ret != P::kNone)
        tail(ret, br);
    else
        ret = br;
    for (;;) {
        if (!(f & HasWidth))
            flags &= ~HasWidth;
        flags |= f & SpStart;
        if (!more() || cur() != '|')
            break;
        if (at(m_pos + 1, '|')) {
            if (m_emit)
                fail(RegexError::Internal, m_pos);
            doubleBar(branchStart);
        }
        ++m_pos;
        branchStart = m_pos;
        br = branch(f);
        tail(ret, br);
    }
    size_t ender = node(static_cast<uint8_t>(paren ? P::Close + group : P::End));
    tail(ret, ender);
    if (m_emit)
        for (size_t b = ret; b != P::kNone; b = nextOf(b))
            opTail(b, ender);
    if (paren) {
        if (!more() || cur() != ')')
            fail(RegexError::UnmatchedParenthesis, m_pos);
        ++m_pos;
    } else if (more()) {
        fail(cur() == ')' ? RegexError::UnmatchedParenthesis : RegexError::Internal, m_pos);
    }
    return ret;
}

size_t RegexCompiler::branch(int& flags)
{
    flags = 0;
    size_t ret = node(P::Branch);
    size_t chain = P::kNone;
    while (more() && cur() != '|' && cur() != ')') {
        int f;
        size_t latest = piece(f);
        flags |= f & HasWidth;
        if (chain == P::kNone)
            flags |= f & SpStart;
        else
            tail(chain, latest);
        chain = latest;
    }
    if (chain == P::kNone)
        node(P::Nothing);
    return ret;
}

size_t RegexCompiler::piece(int& flags)
{
    int f;
    size_t ret = atom(f);
    if (!more() || !isRepeat(cur())) {
        flags = f;
        return ret;
    }
    const size_t opPos = m_pos;
    const uint8_t op = cur();
    ++m_pos;
    int min = 0;
    int max = P::kUnbounded;
    if (op == '+')
        min = 1;
    else if (op == '?')
        max = 1;
    else if (op == '{')
        bounds(min, max);
    const bool unbounded = max == P::kUnbounded;
    if (unbounded && !(f & HasWidth))
        fail(RegexError::InvalidRepeat, opPos);

    if (max == 0) {
        // Zero times: the empty string. The operand stays in the program but is never reached.
        insert(P::Nothing, ret, nullptr, 0);
        flags = 0;
    } else if (min == 1 && max == 1) {
        flags = f;
    } else if (min == 0 && max == 1) {
        // x? -> BRANCH(x) BRANCH(NOTHING)
        insert(P::Branch, ret, nullptr, 0);
        tail(ret, node(P::Branch));
        size_t nothing = node(P::Nothing);
        tail(ret, nothing);
        opTail(ret, nothing);
        flags = SpStart;
    } else if (unbounded && min <= 1 && (f & Simple)) {
        insert(min == 0 ? P::Star : P::Plus, ret, nullptr, 0);
        flags = min == 0 ? SpStart : HasWidth;
    } else if (unbounded && min == 0) {
        // x* -> BRANCH(x BACK->BRANCH) BRANCH(NOTHING)
        insert(P::Branch, ret, nullptr, 0);
        opTail(ret, node(P::Back));
        opTail(ret, ret);
        tail(ret, node(P::Branch));
        tail(ret, node(P::Nothing));
        flags = SpStart;
    } else if (unbounded && min == 1) {
        // x+ -> x BRANCH(BACK->x) BRANCH(NOTHING)
        size_t loop = node(P::Branch);
        tail(ret, loop);
        tail(node(P::Back), ret);
        tail(loop, node(P::Branch));
        tail(ret, node(P::Nothing));
        flags = HasWidth;
    } else {
        // Counted: CSET #c -> CLOOP #c {min,max} (body: x -> BACK -> CLOOP) -> what follows.
        const int counter = m_counters++;
        if (counter > 0xFFFF)
            fail(RegexError::OutOfMemory, opPos);
        const uint8_t loopOperand[6] = { static_cast<uint8_t>(counter), static_cast<uint8_t>(counter >> 8),
            static_cast<uint8_t>(min), static_cast<uint8_t>(min >> 8), static_cast<uint8_t>(max),
            static_cast<uint8_t>(max >> 8) };
        insert(P::CounterLoop, ret, loopOperand, sizeof loopOperand);
        insert(P::CounterSet, ret, loopOperand, 2);
        const size_t loop = ret + P::kCounterSetSize;
        tail(ret, loop);
        size_t back = node(P::Back);
        tail(loop + P::kCounterLoopSize, back);
        tail(back, loop);
        flags = SpStart | ((min >= 1 && (f & HasWidth)) ? HasWidth : 0);
    }
    if (more() && isRepeat(cur()))
        fail(RegexError::NestedRepeat, m_pos);
    return ret;
}

void RegexCompiler::bounds(int& min, int& max)
{
    int lo = 0;
    int hi = 0;
    const bool hasLo = readNumber(lo);
    bool comma = false;
    bool hasHi = false;
    if (more() && cur() == ',') {
        comma = true;
        ++m_pos;
        hasHi = readNumber(hi);
    }
    if ((!hasLo && !hasHi) || !more() || cur() != '}')
        fail(RegexError::InvalidRange, m_pos);
    if (!comma)
        hi = lo;
    else if (!hasHi)
        hi = P::kUnbounded;
    if (hi < lo)
        fail(RegexError::InvalidRange, m_pos);
    ++m_pos;
    min = lo;
    max = hi;
}

bool RegexCompiler::readNumber(int& value)
{
    const size_t start = m_pos;
    value = 0;
    while (more() && cur() >= '0' && cur() <= '9') {
        value = value * 10 + (cur() - '0');
        if (value >= P::kUnbounded)
            fail(RegexError::InvalidRange, m_pos);
        ++m_pos;
    }
    return m_pos > start;
}

// ---- Atoms ----

size_t RegexCompiler::atom(int& flags)
{
    flags = 0;
    const size_t start = m_pos;
    const uint8_t c = cur();
    ++m_pos;
    switch (c) {
    case '^':
        return node(P::Bol);
    case '$':
        return node(P::Eol);
    case '.':
        flags = HasWidth | Simple;
        return node(P::Any);
    case '[':
        flags = HasWidth | Simple;
        return set();
    case '(': {
        int f;
        size_t ret = reg(true, f);
        flags = f & (HasWidth | SpStart);
        return ret;
    }
    case '|':
    case ')':
        fail(RegexError::Internal, start);
    case '*':
    case '+':
    case '?':
        fail(RegexError::InvalidRepeat, start);
    case '"':
        return quoted(flags);
    case '\\':
        if (!more())
            fail(RegexError::UnexpectedEnd, m_pos);
        flags = HasWidth | Simple;
        if (cur() != 0 && std::strchr("dswDSW", cur())) {
            uint8_t letter = cur();
            ++m_pos;
            return classSet(letter);
        }
        return literalChar(escape());
    default:
        m_pos = start;
        return literalRun(flags);
    }
}

size_t RegexCompiler::literalRun(int& flags)
{
    const size_t start = m_pos;
    flags = HasWidth | Simple;
    if (cur() == 0) {
        ++m_pos;
        return literalChar(0);
    }
    size_t end = start + 1;
    while (end < m_text.size() && isOrdinary(static_cast<uint8_t>(m_text[end])))
        ++end;
    // A repeat applies to the last character only.
    if (end - start > 1 && end < m_text.size() && isRepeat(static_cast<uint8_t>(m_text[end])))
        --end;
    if (end - start > 1)
        flags = HasWidth;
    m_pos = end;
    size_t ret = node(P::Exactly);
    for (size_t i = start; i < end; ++i)
        emitByte(static_cast<uint8_t>(m_text[i]));
    emitByte(0);
    return ret;
}

size_t RegexCompiler::literalChar(uint8_t c)
{
    if (c == 0) {
        // A NUL cannot stand in a NUL-terminated literal: it becomes a set of one.
        size_t ret = node(P::AnyOf);
        emitByte(1);
        for (int i = 1; i < 256; ++i)
            emitByte(0);
        return ret;
    }
    size_t ret = node(P::Exactly);
    emitByte(c);
    emitByte(0);
    return ret;
}

size_t RegexCompiler::classSet(uint8_t letter)
{
    uint8_t member[256] = {};
    switch (asciiLower(letter)) {
    case 'd':
        for (int c = '0'; c <= '9'; ++c)
            member[c] = 1;
        break;
    case 's':
        for (int c : { 13, 32, 10, 12, 9, 8 })
            member[c] = 1;
        break;
    default: // 'w'
        for (int c = 0; c < 256; ++c)
            member[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        break;
    }
    size_t ret = node(letter >= 'a' ? P::AnyOf : P::AnyBut);
    for (uint8_t m : member)
        emitByte(m);
    return ret;
}

size_t RegexCompiler::set()
{
    bool negate = false;
    if (more() && cur() == '^') {
        negate = true;
        ++m_pos;
    }
    uint8_t member[256] = {};
    bool any = false;
    for (;;) {
        if (!more())
            fail(RegexError::UnmatchedBracket, m_pos);
        if (cur() == ']') {
            if (!any)
                fail(RegexError::UnmatchedBracket, m_pos);
            ++m_pos;
            break;
        }
        const uint8_t lo = setMember();
        uint8_t hi = lo;
        if (more() && cur() == '-') {
            if (m_pos + 1 >= m_text.size() || m_text[m_pos + 1] == ']')
                fail(RegexError::InvalidRange, m_pos);
            ++m_pos;
            const size_t hiPos = m_pos;
            hi = setMember();
            if (hi < lo)
                fail(RegexError::InvalidRange, hiPos);
        }
        for (int c = lo; c <= hi; ++c)
            member[c] = 1;
        any = true;
    }
    size_t ret = node(negate ? P::AnyBut : P::AnyOf);
    for (uint8_t m : member)
        emitByte(m);
    return ret;
}

uint8_t RegexCompiler::setMember()
{
    const uint8_t c = cur();
    ++m_pos;
    return c == '\\' ? escape() : c;
}

size_t RegexCompiler::quoted(int& flags)
{
    std::string lit;
    for (;;) {
        if (!more())
            fail(RegexError::QuoteExpected, m_pos);
        const uint8_t c = cur();
        ++m_pos;
        if (c == '"')
            break;
        lit += static_cast<char>(c == '\\' ? escape() : c);
    }
    if (lit.empty()) {
        flags = 0;
        return node(P::Nothing);
    }
    flags = HasWidth | (lit.size() == 1 ? Simple : 0);
    // NUL characters split the literal into a chain of nodes.
    size_t ret = P::kNone;
    size_t i = 0;
    while (i < lit.size()) {
        size_t n;
        if (lit[i] == 0) {
            n = literalChar(0);
            ++i;
        } else {
            n = node(P::Exactly);
            for (; i < lit.size() && lit[i] != 0; ++i)
                emitByte(static_cast<uint8_t>(lit[i]));
            emitByte(0);
        }
        if (ret == P::kNone)
            ret = n;
        else
            tail(ret, n);
    }
    return ret;
}

uint8_t RegexCompiler::escape()
{
    if (!more())
        fail(RegexError::UnexpectedEnd, m_pos);
    const uint8_t c = cur();
    ++m_pos;
    switch (asciiLower(c)) {
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7': {
        int v = c - '0';
        for (int i = 0; i < 2 && more() && cur() >= '0' && cur() <= '7' && v * 8 + (cur() - '0') <= 255; ++i) {
            v = v * 8 + (cur() - '0');
            ++m_pos;
        }
        return static_cast<uint8_t>(v);
    }
    case 'b':
        return 8;
    case 'f':
        return 12;
    case 'n':
        return 13;
    case 'r':
        return 10;
    case 't':
        return 9;
    case 'x': {
        int v = more() ? hexValue(cur()) : -1;
        if (v < 0)
            fail(RegexError::HexDigitExpected, m_pos);
        ++m_pos;
        if (more() && hexValue(cur()) >= 0) {
            v = v * 16 + hexValue(cur());
            ++m_pos;
        }
        return static_cast<uint8_t>(v);
    }
    default:
        return c;
    }
}

void RegexCompiler::doubleBar(size_t aStart)
{
    const size_t aEnd = m_pos;
    const size_t bStart = m_pos + 2;
    // B is the branch after the bars; parse it (measuring only) to find where it ends.
    m_pos = bStart;
    int f;
    branch(f);
    const size_t bEnd = m_pos;
    const std::string a = wrap(m_text.substr(aStart, aEnd - aStart));
    const std::string b = wrap(m_text.substr(bStart, bEnd - bStart));
    const std::string replacement = "((" + a + b + "?)|(" + b + a + "?))";
    if (m_text.size() - (bEnd - aStart) + replacement.size() > kMaxText)
        fail(RegexError::OutOfMemory, aEnd);
    m_text.replace(aStart, bEnd - aStart, replacement);
    throw Restart {};
}

// ---- Output ----

void RegexCompiler::emitByte(uint8_t b)
{
    if (m_emit)
        m_code[m_size] = b;
    else if (m_size >= P::kMaxSize)
        fail(RegexError::OutOfMemory, m_pos);
    ++m_size;
}

size_t RegexCompiler::node(uint8_t op)
{
    const size_t ret = m_size;
    emitByte(op);
    emitByte(0);
    emitByte(0);
    return ret;
}

void RegexCompiler::insert(uint8_t op, size_t before, const uint8_t* operand, size_t operandSize)
{
    const size_t total = P::kHeader + operandSize;
    if (m_emit) {
        std::memmove(&m_code[before + total], &m_code[before], m_size - before);
        m_code[before] = op;
        m_code[before + 1] = 0;
        m_code[before + 2] = 0;
        if (operandSize)
            std::memcpy(&m_code[before + P::kHeader], operand, operandSize);
    } else if (m_size + total > P::kMaxSize) {
        fail(RegexError::OutOfMemory, m_pos);
    }
    m_size += total;
}

size_t RegexCompiler::nextOf(size_t p) const
{
    const size_t offset = m_code[p + 1] | (m_code[p + 2] << 8);
    if (offset == 0)
        return P::kNone;
    return opAt(p) == P::Back ? p - offset : p + offset;
}

void RegexCompiler::tail(size_t p, size_t target)
{
    if (!m_emit)
        return;
    size_t scan = p;
    for (size_t nx = nextOf(scan); nx != P::kNone; nx = nextOf(scan))
        scan = nx;
    const bool back = opAt(scan) == P::Back;
    if (back ? target >= scan : target <= scan)
        fail(RegexError::Internal, m_pos);
    const size_t offset = back ? scan - target : target - scan;
    m_code[scan + 1] = static_cast<uint8_t>(offset);
    m_code[scan + 2] = static_cast<uint8_t>(offset >> 8);
}

void RegexCompiler::opTail(size_t p, size_t target)
{
    if (m_emit && opAt(p) == P::Branch)
        tail(P::operand(p), target);
}

} // namespace lrl
