#pragma once

#include "prtprev/TPageSource.h"

namespace lrl {

class TSyntaxMemo;

// The viewer as a page source for the preview printer: its own page renderer draws each page, and its
// Lines stop repainting while pages are recorded. The viewer keeps its page layout itself (one layout
// for all pages of an unchanged text); the print pass keeps it marked as printing from the first page to
// the last, so that its rows are repainted once at the end rather than after every page.
class TViewerPageSource : public TPageSource {
public:
    explicit TViewerPageSource(TSyntaxMemo& memo)
        : m_memo(memo)
    {
    }

    std::string title() const override;
    void beginUpdate() override;
    void endUpdate() override;
    void beginPrintPass() override;
    void endPrintPass() override;
    bool renderPrintPage(QPainter& painter, const TRect& rect, int pageNo) override;

private:
    TSyntaxMemo& m_memo;
};

} // namespace lrl
