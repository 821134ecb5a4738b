#include "viewer/TREParser.h"

#include "common/CharStream.h"
#include "viewer/RegexFirstChars.h"

#include <cstdlib>
#include <cstring>

namespace lrl {

TREParser::TREParser()
    : m_matcher(std::make_unique<RegexMatcher>())
{
}

TREParser::~TREParser() = default;

bool TREParser::compile(std::string_view pattern)
{
    if (compiled() && pattern == m_source)
        return true;
    const bool ok = m_compiler.compile(pattern);
    m_text = m_compiler.text();
    m_error = m_compiler.error();
    m_errorPos = m_compiler.errorPosition();
    m_program = m_compiler.takeProgram();
    m_source = ok ? std::string(pattern) : std::string();
    m_matcher = std::make_unique<RegexMatcher>(ok ? &m_program : nullptr);
    analyse();
    return ok;
}

// Finds what lets a forward search skip start positions: the characters a match can start with, and a
// leading repeat of one simple node.
void TREParser::analyse()
{
    m_firstSingle = -1;
    m_leadingRun = 0;
    m_firstKnown = compiled() && regexFirstChars(m_program, m_first);
    if (!compiled())
        return;
    const size_t top = RegexProgram::kFirstNode;
    const size_t piece = RegexProgram::operand(top);
    const uint8_t op = m_program.op(piece);
    if (m_program.op(m_program.next(top)) == RegexProgram::End
        && (op == RegexProgram::Star || op == RegexProgram::Plus))
        m_leadingRun = RegexProgram::operand(piece);
    int count = 0;
    for (int c = 0; c < 256; ++c)
        count += m_first.contains(c);
    if (m_firstKnown && count == 1)
        m_firstSingle = m_first.first();
}

std::string TREParser::errorText() const
{
    return regexErrorText(regexErrorMessage(m_error), m_text, m_errorPos);
}

void TREParser::raise(RegexError code) const
{
    throw ERegexError(code, m_text, static_cast<int>(m_text.size()) + 1);
}

int64_t TREParser::position(int i) const
{
    if (i < 0 || i >= RegexMatcher::kPositions)
        raise(RegexError::IndexRange);
    return m_matcher->entry(i);
}

// The first position at or after pos whose character can start a match, or the end of the text. Runs
// over each segment's bytes directly.
int64_t TREParser::skipForward(CharStream& s, int64_t pos) const
{
    const int64_t size = s.size();
    s.seek(pos);
    while (pos < size) {
        if (s.segmentCursor() == s.segmentEnd()) {
            s.current(); // moves into the segment that holds pos
            if (s.segmentCursor() == s.segmentEnd())
                return pos;
        }
        const uint8_t* b = s.segmentCursor();
        const uint8_t* e = s.segmentEnd();
        if (m_firstSingle >= 0) {
            if (const void* q = std::memchr(b, m_firstSingle, static_cast<size_t>(e - b)))
                return pos + (static_cast<const uint8_t*>(q) - b);
        } else {
            for (const uint8_t* q = b; q < e; ++q)
                if (m_first.contains(*q))
                    return pos + (q - b);
        }
        pos += e - b;
        s.seek(pos);
    }
    return size;
}

bool TREParser::tryAt(CharStream& s, int64_t pos, int64_t from)
{
    m_matcher->setAllowance(m_baseSteps + m_stepsPerChar * static_cast<uint64_t>(std::llabs(pos - from)));
    return m_matcher->matchAt(s, pos);
}

bool TREParser::search(CharStream& s, SearchDirection direction)
{
    if (!compiled())
        raise(RegexError::InvalidParameter);
    const int64_t size = s.size();
    const int64_t from = s.position();
    m_matcher->resetSteps(m_baseSteps);
    try {
        if (direction == SearchDirection::Forward) {
            for (int64_t pos = from; pos < size; ++pos) {
                if (m_firstKnown && (pos = skipForward(s, pos)) >= size)
                    break;
                if (tryAt(s, pos, from))
                    return true;
                // A failed try whose leading repeat took a run of n characters also stands for the tries
                // at the next n positions: each of them could only follow a subset of its paths.
                if (m_leadingRun)
                    pos += m_matcher->runLength(s, m_leadingRun, pos);
            }
        } else {
            for (int64_t pos = from >= size ? size - 1 : from; pos >= 0; --pos) {
                if (m_firstKnown) {
                    s.seek(pos);
                    if (!m_first.contains(s.current()))
                        continue;
                }
                // A match tried at pos can start after it ("^" consumes the line end before its start);
                // one that starts after `from` lies in the part already searched, and taking it would
                // let a repeated backward search find the same match again and again.
                if (tryAt(s, pos, from) && matchStart() <= from)
                    return true;
            }
        }
    } catch (const RegexMatcher::Abort& abort) {
        raise(abort.code);
    }
    return false;
}

} // namespace lrl
