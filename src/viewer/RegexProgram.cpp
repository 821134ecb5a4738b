#include "viewer/RegexProgram.h"

#include "common/Format.h"

namespace lrl {

namespace {

std::string opName(uint8_t op)
{
    switch (op) {
    case RegexProgram::End:
        return "END";
    case RegexProgram::Bol:
        return "BOL";
    case RegexProgram::Eol:
        return "EOL";
    case RegexProgram::Any:
        return "ANY";
    case RegexProgram::AnyOf:
        return "ANYOF";
    case RegexProgram::AnyBut:
        return "ANYBUT";
    case RegexProgram::Branch:
        return "BRANCH";
    case RegexProgram::Back:
        return "BACK";
    case RegexProgram::Exactly:
        return "EXACTLY";
    case RegexProgram::Nothing:
        return "NOTHING";
    case RegexProgram::Star:
        return "STAR";
    case RegexProgram::Plus:
        return "PLUS";
    case RegexProgram::CounterSet:
        return "CSET";
    case RegexProgram::CounterLoop:
        return "CLOOP";
    default:
        break;
    }
    if (op > RegexProgram::Open && op < RegexProgram::Open + 10)
        return format("OPEN%d", op - RegexProgram::Open);
    if (op > RegexProgram::Close && op < RegexProgram::Close + 10)
        return format("CLOSE%d", op - RegexProgram::Close);
    return format("OP%d", op);
}

std::string setText(const uint8_t* flags)
{
    std::string s;
    for (int c = 0; c < 256; ++c) {
        if (!flags[c])
            continue;
        int end = c;
        while (end + 1 < 256 && flags[end + 1])
            ++end;
        s += (c >= 33 && c < 127) ? std::string(1, static_cast<char>(c)) : format("\\x%02x", c);
        if (end > c)
            s += "-" + ((end >= 33 && end < 127) ? std::string(1, static_cast<char>(end)) : format("\\x%02x", end));
        c = end;
    }
    return s;
}

} // namespace

std::string RegexProgram::describe() const
{
    std::string out;
    size_t at = kFirstNode;
    while (at + kHeader <= m_code.size()) {
        uint8_t o = op(at);
        size_t nx = next(at);
        out += format("%zu: ", at) + opName(o);
        size_t size = kHeader;
        switch (o) {
        case AnyOf:
        case AnyBut:
            out += " [" + setText(bytes(operand(at))) + "]";
            size += 256;
            break;
        case Exactly: {
            std::string lit(reinterpret_cast<const char*>(bytes(operand(at))));
            out += " \"" + lit + "\"";
            size += lit.size() + 1;
            break;
        }
        case CounterSet:
            out += format(" #%u", word(operand(at)));
            size = kCounterSetSize;
            break;
        case CounterLoop:
            out += format(" #%u {%u,%u}", word(operand(at)), word(operand(at) + 2), word(operand(at) + 4));
            size = kCounterLoopSize;
            break;
        default:
            break;
        }
        out += nx == kNone ? "\n" : format(" -> %zu\n", nx);
        if (o == End)
            break;
        at += size;
    }
    return out;
}

} // namespace lrl
