#include "common/StringCharStream.h"
#include "scheme/TSyntaxMemoParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace lrl;

namespace {

// A viewer that records what the scanner told it.
class RecordingViewer : public ParserClient {
public:
    explicit RecordingViewer(std::vector<std::string>& log, std::string name)
        : m_log(log)
        , m_name(std::move(name))
    {
    }
    void parserActivated(TSyntaxMemoParser& parser) override
    {
        m_log.push_back(m_name + " activated by " + parser.name());
        if (detachOnActivate)
            parser.detachViewer(*this);
    }
    void parserDetached(TSyntaxMemoParser& parser) override { m_log.push_back(m_name + " detached from " + parser.name()); }

    bool detachOnActivate = false;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

} // namespace

TEST(TSyntaxMemoParserViewers, AttachOnceDetachAndNotifyOnDestruction)
{
    std::vector<std::string> log;
    RecordingViewer a(log, "a");
    RecordingViewer b(log, "b");
    {
        TSyntaxMemoParser parser("P");
        parser.attachViewer(a);
        parser.attachViewer(a);
        EXPECT_EQ(parser.viewers().size(), 1u);
        // Asking for a token attaches a viewer that is not attached yet, once.
        StringCharStream s("xy");
        int32_t length = 0;
        parser.nextToken(&b, s, length);
        parser.nextToken(&b, s, length);
        EXPECT_TRUE(parser.isAttached(b));
        parser.activateViewers();
        parser.detachViewer(a);
        parser.detachViewer(a);
        EXPECT_FALSE(parser.isAttached(a));
    }
    EXPECT_EQ(log,
        (std::vector<std::string> { "a activated by P", "a activated by P", "b activated by P", "a activated by P",
            "b activated by P", "a detached from P", "b detached from P" }));
}

TEST(TSyntaxMemoParserViewers, ViewerMayDetachWhileActivated)
{
    std::vector<std::string> log;
    RecordingViewer a(log, "a");
    RecordingViewer b(log, "b");
    TSyntaxMemoParser parser("P");
    parser.attachViewer(a);
    parser.attachViewer(b);
    a.detachOnActivate = true;
    parser.activateViewers();
    EXPECT_FALSE(parser.isAttached(a));
    EXPECT_TRUE(parser.isAttached(b));
    // A detached viewer that asks for a token again is attached again.
    a.detachOnActivate = false;
    StringCharStream s("x");
    int32_t length = 0;
    parser.nextToken(&a, s, length);
    EXPECT_TRUE(parser.isAttached(a));
}

TEST(TSyntaxMemoParserEffects, TokenValuesMapToEffectsWithDefaultColours)
{
    TSyntaxMemoParser parser;
    TSM_Settings& s = parser.settings();
    TSM_Effect& e = s.effects[7];
    e.style = TSM_Effect::Bold | TSM_Effect::Underline;
    e.foreground = 0x0000FF;
    e.background = 0x00FF00;
    e.foregroundDefault = false;
    e.backgroundDefault = true;
    e.hotSpot = true;
    s.map[30] = 7;

    TokenStyle st = parser.styleOf(30, 0x111111, 0x222222);
    EXPECT_EQ(st.effect, 7);
    EXPECT_EQ(st.fontStyle, TSM_Effect::Bold | TSM_Effect::Underline);
    EXPECT_EQ(st.foreground, 0x0000FF);
    EXPECT_EQ(st.background, 0x222222);
    EXPECT_TRUE(st.hotSpot);
    EXPECT_EQ(&parser.effectOf(30), &e);

    // An unmapped value shows with effect 0, whose colours are the defaults here.
    TokenStyle plain = parser.styleOf(31, 0x111111, 0x222222);
    EXPECT_EQ(plain.effect, 0);
    EXPECT_EQ(plain.fontStyle, 0);
    EXPECT_EQ(plain.foreground, 0x111111);
    EXPECT_EQ(plain.background, 0x222222);
}
