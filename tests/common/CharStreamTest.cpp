#include "common/CharStream.h"
#include "common/StringCharStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lrl;

namespace {

// A stream cut into several segments, some of them empty, to exercise every crossing.
class SegmentedStream : public CharStream {
public:
    explicit SegmentedStream(std::vector<std::string> parts)
        : m_parts(std::move(parts))
    {
        int64_t total = 0;
        for (auto& p : m_parts)
            total += static_cast<int64_t>(p.size());
        setSize(total);
        loadSegment(0);
    }

protected:
    void loadSegment(int64_t pos) override
    {
        int64_t start = 0;
        for (size_t i = 0; i < m_parts.size(); ++i) {
            int64_t len = static_cast<int64_t>(m_parts[i].size());
            bool last = i + 1 == m_parts.size();
            if (pos < start + len || last) {
                auto* b = reinterpret_cast<const uint8_t*>(m_parts[i].data());
                setSegment(b, b + len, start, pos);
                return;
            }
            start += len;
        }
    }

private:
    std::vector<std::string> m_parts;
};

std::string readAll(CharStream& s)
{
    std::string out;
    while (!s.atEnd()) {
        out += static_cast<char>(s.current());
        s.next();
    }
    return out;
}

} // namespace

TEST(CharStream, WalksForwardAndBackAcrossSegments)
{
    SegmentedStream s({ "ab\r", "", "cd", "e" });
    EXPECT_EQ(readAll(s), "ab\rcde");
    EXPECT_EQ(s.current(), 0);
    s.next();
    EXPECT_EQ(s.position(), 6);
    std::string back;
    while (s.position() > 0) {
        s.prev();
        back += static_cast<char>(s.current());
    }
    EXPECT_EQ(back, "edc\rba");
    s.prev();
    EXPECT_EQ(s.position(), 0);
}

TEST(CharStream, SeekClampsAndReadCopiesAcrossSegments)
{
    SegmentedStream s({ "abc", "def", "g" });
    s.seek(100);
    EXPECT_TRUE(s.atEnd());
    s.seek(-4);
    EXPECT_EQ(s.position(), 0);
    s.seek(2);
    uint8_t buf[10];
    ASSERT_EQ(s.read(buf, 10), 5u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 5), "cdefg");
    EXPECT_TRUE(s.atEnd());
}

TEST(CharStream, EmptyTextIsAtEndAtOnce)
{
    StringCharStream s("");
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.current(), 0);
    s.next();
    s.prev();
    EXPECT_EQ(s.position(), 0);
}
