#include "viewer/print/TClipboardContents.h"

#include "viewer/print/ExportTestUtil.h"
#include "viewer/print/ExportWriters.h"
#include "viewer/print/TRichTextWriter.h"

#include <gtest/gtest.h>

namespace lrl {
namespace {

using test::exportSettings;
using test::loadStyled;

TEST(ClipboardContents, PlainTextWithCrLfAndRichTextOfTheSelection)
{
    TCustomSyntaxMemo memo;
    memo.setSettings(exportSettings());
    installExportWriters(memo);
    loadStyled(memo, "ab\r\ncd\r\nef", "11 22 33");
    memo.setSelection(1, 7);
    TClipboardContents c = TClipboardContents::ofSelection(memo);
    ASSERT_TRUE(c.hasText);
    EXPECT_EQ(c.text, "b\r\ncd\r\ne");
    ASSERT_TRUE(c.hasRichText);
    EXPECT_EQ(c.richText, TRichTextWriter().text(memo));
    EXPECT_NE(c.richText.find("\\b1 \\cf2 b\\b0 \\cf0 \\line \r\n"), std::string::npos);
    EXPECT_EQ(memo.selection(), std::make_pair(1, 7));
}

TEST(ClipboardContents, OnlyTheFormatsOfClipCopyFormats)
{
    TCustomSyntaxMemo memo;
    test::loadBytes(memo, "abc");
    memo.selectAll();
    // Rich text needs the viewer's rich-text writer.
    EXPECT_FALSE(TClipboardContents::ofSelection(memo).hasRichText);
    installExportWriters(memo);
    memo.setClipCopyFormats({ smTEXT });
    TClipboardContents c = TClipboardContents::ofSelection(memo);
    EXPECT_TRUE(c.hasText);
    EXPECT_FALSE(c.hasRichText);
    EXPECT_TRUE(c.richText.empty());
    memo.setClipCopyFormats({ smRTF });
    c = TClipboardContents::ofSelection(memo);
    EXPECT_FALSE(c.hasText);
    EXPECT_TRUE(c.hasRichText);
    memo.setClipCopyFormats({});
    c = TClipboardContents::ofSelection(memo);
    EXPECT_FALSE(c.hasText || c.hasRichText);
}

} // namespace
} // namespace lrl
