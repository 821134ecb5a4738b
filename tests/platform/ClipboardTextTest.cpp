#include "platform/ClipboardText.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

using namespace lrl;

TEST(ClipboardText, PlainTextIsDecodedAndRichTextKeptAsBytes)
{
    auto plain = ClipboardText::mimeData("caf\xe9 \x80");
    EXPECT_EQ(plain->text(), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));
    EXPECT_FALSE(plain->hasFormat("text/rtf"));

    std::string rtf = "{\\rtf1\\ansi caf\\'e9}";
    auto rich = ClipboardText::mimeData("caf\xe9", rtf);
    EXPECT_EQ(rich->text(), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(rich->data("text/rtf").toStdString(), rtf);

    // The same bytes in another code page are other characters.
    EXPECT_EQ(ClipboardText::mimeData("\xC6\xE6", {}, 1251)->text(), QString::fromUtf8("\xD0\x96\xD0\xB6"));
    EXPECT_EQ(ClipboardText::mimeData("\xC1", {}, 1253)->text(), QString::fromUtf8("\xCE\x91"));
}

TEST(ClipboardText, TheClipboardReceivesBothForms)
{
    ClipboardText::setTextAndRtf("Unit1", "{\\rtf1 Unit1}");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "Unit1");
    EXPECT_EQ(data->data("text/rtf"), QByteArray("{\\rtf1 Unit1}"));
    ClipboardText::setText("only");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "only");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("text/rtf"));
}
