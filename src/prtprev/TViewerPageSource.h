#pragma once

#include "prtprev/TPageSource.h"

namespace lrl {

class TSyntaxMemo;

// The viewer as a page source for the preview printer: its own page renderer draws each page, and its
// Lines stop repainting while pages are recorded. The viewer keeps its page layout itself, so a print
// pass needs nothing more.
class TViewerPageSource : public TPageSource {
public:
    explicit TViewerPageSource(TSyntaxMemo& memo)
        : m_memo(memo)
    {
    }

    void beginUpdate() override;
    void endUpdate() override;
    bool renderPrintPage(QPainter& painter, const TRect& rect, int pageNo) override;

private:
    TSyntaxMemo& m_memo;
};

} // namespace lrl
