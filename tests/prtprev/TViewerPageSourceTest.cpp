// The viewer's pages recorded by the preview printer and printed from the recording.

#include "prtprev/TViewerPageSource.h"

#include "PdfPrinter.h"
#include "prtprev/TPreviewPrinter.h"
#include "support/ShellCommand.h"
#include "viewer/ViewerTestUtil.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

using namespace lrl;

TEST(TViewerPageSource, RecordedPagesPrintTheWholeText)
{
    TSyntaxMemo memo;
    TSM_Settings s;
    s.font = { "Liberation Mono", 10, 0 };
    memo.setSettings(s);
    auto o = memo.options();
    for (auto option : { smoPrintFilename, smoPrintPageNos, smoPrintLineNos })
        o.insert(option);
    o.erase(smoPrintDate);
    o.erase(smoPrintWrap);
    memo.setOptions(o);
    memo.setTitle("Numbers.pas");
    lrl::test::loadBytes(memo, lrl::test::numberedLines(300, "entry "));

    TPreviewPrinter preview;
    test::PdfPrinter pdf(300);
    preview.setPrinter(pdf.printer.get());
    TViewerPageSource source(memo);
    preview.printMemo(source);
    ASSERT_GT(preview.pageCount(), 3);
    EXPECT_EQ(memo.printLayouts(), 1) << "one layout for the whole recording";
    EXPECT_TRUE(memo.redraw()) << "repainting is back on";

    ASSERT_TRUE(preview.print());
    EXPECT_EQ(pdf.writtenPages(), preview.pageCount());
    const std::string text = lrl::test::pdfText(pdf.file(), false);
    size_t at = 0;
    for (int i = 0; i < 300; ++i) {
        at = text.find("entry " + std::to_string(i) + "\n", at);
        ASSERT_NE(at, std::string::npos) << "line " << i;
    }
    EXPECT_NE(text.find("- " + std::to_string(preview.pageCount()) + " -"), std::string::npos);
    EXPECT_NE(text.find("Numbers.pas"), std::string::npos);
}
