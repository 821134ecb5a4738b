// The copy command and the rich exports of the viewer widget on the desktop.

#include "viewer/ui/ViewerClipboard.h"

#include "../ViewerTestUtil.h"
#include "common/MemoryStream.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>
#include <gtest/gtest.h>

using namespace lrl;

namespace {

TEST(ViewerClipboard, CopiesTheSelectionAsPlainAndRichText)
{
    TSyntaxMemo memo;
    test::loadBytes(memo, "caf\xe9\r\n{x}\r\nrest");
    memo.setSelection(1, 10);
    memo.copyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("af\xc3\xa9\r\n{x}\r\nr"));
    std::string rtf = data->data("text/rtf").toStdString();
    EXPECT_EQ(rtf.substr(0, 30), "{\\rtf1\\ansi\\ansicpg1252 \\deff1");
    EXPECT_NE(rtf.find("af\\u233\\'e9\\line \r\n\\{x\\}\\line \r\nr\r\n}}"), std::string::npos);
}

// Plain text is Unicode from the text's code page; the rich text names the page.
TEST(ViewerClipboard, CopiesTheCharactersOfTheTextsCodePage)
{
    TSyntaxMemo memo;
    test::loadBytes(memo, "// \xD0\x96\xD1\x83\xD0\xBA \xE2\x82\xAC"); // UTF-8: Cyrillic and the euro sign, page 1251
    ASSERT_EQ(memo.codePage(), 1251);
    memo.selectAll();
    memo.copyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("// \xD0\x96\xD1\x83\xD0\xBA \xE2\x82\xAC"));
    std::string rtf = data->data("text/rtf").toStdString();
    EXPECT_EQ(rtf.substr(0, 30), "{\\rtf1\\ansi\\ansicpg1251 \\deff1");
    EXPECT_NE(rtf.find("// \\u1046\\'c6\\u1091\\'f3\\u1082\\'ea \\u8364\\'88"), std::string::npos) << rtf;
}

TEST(ViewerClipboard, FollowsClipCopyFormats)
{
    TSyntaxMemo memo;
    test::loadBytes(memo, "abc");
    memo.selectAll();
    memo.setClipCopyFormats({ smRTF });
    memo.copyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->hasText());
    EXPECT_TRUE(data->hasFormat("text/rtf"));

    memo.setClipCopyFormats({ smTEXT });
    memo.copyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("text/rtf"));
}

TEST(ViewerClipboard, TheWidgetSavesRichFormatsInThePalettesColours)
{
    TSyntaxMemo memo;
    test::loadBytes(memo, "x");
    memo.setSaveFormat(sfHTML);
    std::string html = test::saved(memo);
    const QPalette palette = QGuiApplication::palette();
    const QColor text = palette.color(QPalette::Text);
    const QColor back = palette.color(QPalette::Base);
    char body[64];
    std::snprintf(body, sizeof body, "<BODY TEXT=\"#%02x%02x%02x\" BGCOLOR=\"#%02x%02x%02x\">", text.red(),
        text.green(), text.blue(), back.red(), back.green(), back.blue());
    EXPECT_NE(html.find(body), std::string::npos) << html;
    memo.setSaveFormat(sfRTF);
    EXPECT_EQ(test::saved(memo).substr(0, 30), "{\\rtf1\\ansi\\ansicpg1252 \\deff1");
}

} // namespace
