#include "viewer/print/ExportWriters.h"

#include "common/MemoryStream.h"
#include "viewer/EFileSaveError.h"
#include "viewer/FakeScanner.h"
#include "viewer/print/ExportTestUtil.h"

#include <gtest/gtest.h>

namespace lrl {
namespace {

using test::exportSettings;
using test::loadStyled;

// A stream that takes at most `room` bytes in all.
class FullStream : public MemoryStream {
public:
    explicit FullStream(size_t room)
        : m_room(room)
    {
    }
    size_t write(const void* buffer, size_t count) override
    {
        size_t n = std::min(count, m_room);
        m_room -= n;
        return MemoryStream::write(buffer, n);
    }

private:
    size_t m_room;
};

class ExportSave : public ::testing::Test {
protected:
    ExportSave()
    {
        memo.setSettings(exportSettings());
        installExportWriters(memo, test::fixedEnvironment());
    }
    TCustomSyntaxMemo memo;
};

TEST_F(ExportSave, SavesTheWholeTextAndKeepsTheSelection)
{
    loadStyled(memo, "ab\r\ncd", "11 22");
    memo.setSelection(4, 1);
    memo.setSaveFormat(sfRTF);
    std::string rtf = test::saved(memo);
    EXPECT_NE(rtf.find("\\b1 \\cf2 ab\\b0 \\cf0 \\line \r\n\\i1 \\cf3 \\cb4 cd\r\n}}"), std::string::npos);
    EXPECT_EQ(memo.selection(), std::make_pair(4, 1));

    memo.setSaveFormat(sfHTML);
    std::string html = test::saved(memo);
    EXPECT_EQ(html.substr(0, 12), "<HTML><HEAD>");
    EXPECT_NE(
        html.find(
            "<B>ab</FONT><FONT COLOR=\"#000000\"></B>\r\n</FONT><FONT COLOR=\"#0000ff\"><I>cd\r\n</PRE>"),
        std::string::npos);
    EXPECT_EQ(memo.selection(), std::make_pair(4, 1));
}

TEST_F(ExportSave, SavingRescansAStaleText)
{
    test::FakeScanner scanner;
    TSM_Settings s = exportSettings();
    s.map[test::FakeScanner::kWord] = 1;
    memo.setSettings(s);
    test::loadBytes(memo, "ab");
    memo.setScanSource(&scanner);
    memo.setSaveFormat(sfRTF);
    EXPECT_NE(test::saved(memo).find("\\b1 \\cf2 ab"), std::string::npos);
}

TEST_F(ExportSave, AStreamThatKeepsTakingTooLittleFails)
{
    test::loadBytes(memo, "abc");
    memo.setSaveFormat(sfHTML);
    FullStream out(2);
    EXPECT_EQ(
        test::errorOf<EFileSaveError>([&] { memo.saveToStream(out); }), "Could not save text to stream");
}

} // namespace
} // namespace lrl
