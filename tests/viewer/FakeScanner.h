#pragma once

#include "common/CharStream.h"
#include "viewer/TScanSource.h"

#include <cctype>
#include <string>

namespace lrl::test {

// A small scanner for the scan tests: words are 2; runs of blanks, TABs and line ends 0 (the restart
// value); "{...}" comments over any number of lines 8; "<...>" on one line is a container (40) whose
// words scan again as 41; any other character 10.
class FakeScanner : public TScanSource {
public:
    static constexpr uint8_t kWord = 2;
    static constexpr uint8_t kComment = 8;
    static constexpr uint8_t kSymbol = 10;
    static constexpr uint8_t kContainer = 40;
    static constexpr uint8_t kInner = 41;

    Set256 restart = Set256::of({ 0 });
    bool bound = false; // what mustContinue() answers
    bool forceBusy = false;
    int tokens = 0; // next() calls
    int resets = 0;

    Set256 restartSet() const override { return restart; }
    void reset(int) override
    {
        ++resets;
        m_containerEnd = -1;
    }
    uint8_t next(CharStream& s, int32_t& length) override
    {
        ++tokens;
        const int64_t p0 = s.position();
        length = 0;
        if (s.atEnd())
            return 0;
        auto take = [&](auto pred) {
            while (!s.atEnd() && pred(s.current()))
                s.next();
        };
        auto alpha = [](uint8_t c) { return std::isalpha(c) != 0; };
        uint8_t c = s.current();
        uint8_t value;
        if (m_containerEnd >= 0) {
            if (alpha(c))
                take(alpha);
            else
                s.next();
            value = alpha(c) ? kInner : 0;
            if (s.position() >= m_containerEnd)
                m_containerEnd = -1;
        } else if (c == '{') {
            s.next();
            take([](uint8_t x) { return x != '}'; });
            s.next();
            value = kComment;
        } else if (c == '<') {
            s.next();
            take([](uint8_t x) { return x != '>' && x != '\r'; });
            if (s.current() == '>')
                s.next();
            value = kContainer;
            m_containerEnd = s.position();
        } else if (alpha(c)) {
            take(alpha);
            value = kWord;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            take([](uint8_t x) { return x == ' ' || x == '\t' || x == '\r'; });
            value = 0;
        } else {
            s.next();
            value = kSymbol;
        }
        length = static_cast<int32_t>(s.position() - p0);
        return value;
    }
    bool busy() const override { return forceBusy || m_containerEnd >= 0; }
    bool mustContinue() const override { return bound; }
    bool safeStop() const override { return m_containerEnd < 0; }
    bool inContainer() const override { return m_containerEnd >= 0; }

private:
    int64_t m_containerEnd = -1;
};

} // namespace lrl::test
