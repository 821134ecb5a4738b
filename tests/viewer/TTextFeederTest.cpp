#include "viewer/TTextFeeder.h"

#include "ViewerTestUtil.h"
#include "viewer/TTextNormaliser.h"
#include "viewer/TTextStoreCheck.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::storeText;

namespace {

std::string normalised(const std::string& raw)
{
    TTextNormaliser n;
    std::string out(raw.size(), '\0');
    out.resize(n.normalise(
        reinterpret_cast<const uint8_t*>(raw.data()), raw.size(), reinterpret_cast<uint8_t*>(out.data())));
    return out;
}

std::string fed(const std::string& raw)
{
    TTextStore store;
    std::vector<uint8_t> work;
    TTextFeeder feeder(store, work, 0, 0);
    feeder.feedAll(raw);
    feeder.finish();
    EXPECT_EQ(checkTextStore(store), "");
    return storeText(store);
}

} // namespace

TEST(TTextNormaliser, MakesOneCrOfEachLineEndAndDotsOfControlCharacters)
{
    struct Case {
        std::string raw;
        std::string expected;
    };
    const Case cases[] = {
        { "a\r\nb", "a\rb" },
        { "a\n\rb", "a\rb" },
        { "a\r\rb", "a\r\rb" },
        { "a\n\nb", "a\r\rb" },
        { "a\r\n\r\nb", "a\r\rb" },
        { "a\n\r\nb", "a\r\rb" },
        { "\r\n", "\r" },
        { std::string("a\0b\x1b\x7f\t\xff", 7), "a.b.\x7f\t\xff" },
        { "\x01\x08\x0b\x0c\x0e\x1f", "......" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalised(c.raw), c.expected) << c.raw;
}

TEST(TTextNormaliser, JoinsALineEndPairCutByAChunkBoundary)
{
    for (std::string pair : { "\r\n", "\n\r" }) {
        TTextNormaliser n;
        uint8_t out[4];
        auto* p = reinterpret_cast<const uint8_t*>(pair.data());
        EXPECT_EQ(n.normalise(p, 1, out), 1u);
        EXPECT_EQ(n.normalise(p + 1, 0, out), 0u); // an empty chunk changes nothing
        EXPECT_EQ(n.normalise(p + 1, 1, out), 0u);
    }
    TTextNormaliser n;
    uint8_t out[4];
    n.normalise(reinterpret_cast<const uint8_t*>("\r"), 1, out);
    n.reset();
    EXPECT_EQ(n.normalise(reinterpret_cast<const uint8_t*>("\n"), 1, out), 1u);
}

TEST(TTextFeeder, LineEndsAcrossChunkBoundariesCountOnce)
{
    // CR LF at bytes 8191/8192 (the chunk rule), LF CR at the same place and one byte earlier (the
    // normaliser's carry).
    for (std::string pair : { "\r\n", "\n\r" })
        for (size_t at : { size_t(8190), size_t(8191), size_t(8192) }) {
            std::string raw = std::string(at, 'x') + pair + "y";
            std::string text = fed(raw);
            EXPECT_EQ(text, std::string(at, 'x') + "\ry") << at;
        }
}

TEST(TTextFeeder, ReplacesItsRangeWithTheFirstChunkAndAppendsTheRest)
{
    TTextStore store;
    store.replace(0, 0, "abcdef");
    std::vector<uint8_t> work;
    TTextFeeder feeder(store, work, 1, 5);
    std::string raw = std::string(10000, 'z') + "\r\n";
    feeder.feedAll(raw);
    feeder.finish();
    EXPECT_EQ(storeText(store), "a" + std::string(10000, 'z') + "\rf");
    EXPECT_EQ(feeder.caret(), 10002);

    TTextFeeder nothing(store, work, 0, 1);
    nothing.finish(); // an empty insertion still deletes its range
    EXPECT_EQ(store.charCount(), 10002);
}
