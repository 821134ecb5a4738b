#include "viewer/TEdStream.h"

#include "common/Exception.h"
#include "viewer/TTextStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace lrl;

namespace {

std::string readForward(CharStream& s)
{
    std::string out;
    while (!s.atEnd()) {
        out += static_cast<char>(s.current());
        s.next();
    }
    return out;
}

class TEdStreamTest : public ::testing::Test {
protected:
    void SetUp() override { store.replace(0, 0, text); }
    const std::string text = "first\rsecond line\r\r" + std::string(3000, 'x') + "\rend";
    TTextStore store;
};

} // namespace

TEST_F(TEdStreamTest, StepsThroughEveryNodeBothWays)
{
    TEdStream s(store);
    EXPECT_EQ(s.size(), static_cast<int64_t>(text.size()));
    EXPECT_EQ(readForward(s), text);
    EXPECT_EQ(s.current(), 0);
    std::string back;
    while (s.position() > 0) {
        s.prev();
        back.insert(back.begin(), static_cast<char>(s.current()));
    }
    EXPECT_EQ(back, text);
    s.prev(); // nothing before the start
    EXPECT_EQ(s.position(), 0);
}

TEST_F(TEdStreamTest, SeeksAndReadsAcrossNodes)
{
    TEdStream s(store);
    for (int64_t pos : { int64_t(3000), int64_t(6), int64_t(19), int64_t(0), int64_t(text.size() - 1) }) {
        s.seek(pos);
        EXPECT_EQ(s.current(), static_cast<uint8_t>(text[pos])) << pos;
        EXPECT_EQ(s.node().start, store.findOffset(static_cast<int>(pos)).start) << pos;
    }
    s.seek(4);
    uint8_t buf[2100];
    ASSERT_EQ(s.CharStream::read(buf, sizeof buf), sizeof buf);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), sizeof buf), text.substr(4, sizeof buf));
    s.seek(static_cast<int64_t>(text.size()) - 2);
    EXPECT_EQ(s.CharStream::read(buf, 10), 2u); // never past CharCount
}

TEST_F(TEdStreamTest, ActsAsAReadOnlyByteStream)
{
    TEdStream s(store);
    Stream& bytes = s;
    EXPECT_EQ(bytes.seek(-3, SeekOrigin::End), static_cast<int64_t>(text.size()) - 3);
    char buf[8] = {};
    EXPECT_EQ(bytes.read(buf, sizeof buf), 3u);
    EXPECT_EQ(std::string(buf, 3), "end");
    EXPECT_EQ(bytes.seek(6, SeekOrigin::Begin), 6);
    EXPECT_EQ(bytes.seek(2, SeekOrigin::Current), 8);
    EXPECT_EQ(bytes.size(), static_cast<int64_t>(text.size()));
    EXPECT_THROW(bytes.seek(-1, SeekOrigin::Begin), EStreamError);
    try {
        bytes.write("x", 1);
        FAIL() << "writing succeeded";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.message(), "Cannot write to a read-only stream");
    }
}

TEST_F(TEdStreamTest, PositionsOnAGivenNode)
{
    TEdStream s(store);
    TNodePos second = store.findLine(1);
    s.positionAt(second, 7);
    EXPECT_EQ(s.position(), 13);
    EXPECT_EQ(s.current(), 'l');
    EXPECT_EQ(s.node().line, 1);
}

TEST_F(TEdStreamTest, FollowsChangesOfTheStore)
{
    TEdStream s(store);
    s.seek(8);
    EXPECT_EQ(s.current(), 'c');
    store.replace(0, 6, "1\r"); // "first\r" becomes "1\r": the position now lies in "second line"
    EXPECT_EQ(s.size(), store.charCount());
    EXPECT_EQ(s.position(), 8);
    EXPECT_EQ(s.current(), ' '); // "1\rsecond line"[8]
    store.replace(2, store.charCount(), "");
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.current(), 0);
}

TEST(TEdStream, ReadsNothingFromAnEmptyOrVanishedStore)
{
    auto store = std::make_unique<TTextStore>();
    TEdStream s(*store);
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.current(), 0);
    store->replace(0, 0, "ab\r");
    EXPECT_EQ(s.current(), 'a');
    EXPECT_FALSE(s.node().node == nullptr);
    s.seek(3);
    EXPECT_FALSE(s.node().valid()); // the implied line after the final CR
    EXPECT_EQ(s.node().line, 1);
    store.reset();
    EXPECT_EQ(s.size(), 0);
    EXPECT_EQ(s.current(), 0);
}
