#include "viewer/TEdStream.h"

#include "common/Exception.h"
#include "viewer/TTextStore.h"

#include "ViewerTestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace lrl;

namespace {

class TEdStreamTest : public ::testing::Test {
protected:
    void SetUp() override { store.replace(0, 0, text); }
    const std::string text = "first\rsecond line\r\r" + std::string(3000, 'x') + "\rend";
    TTextStore store;
};

} // namespace

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
    EXPECT_EQ(
        lrl::test::errorOf<EStreamError>([&] { bytes.write("x", 1); }), "Cannot write to a read-only stream");
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
