#include "prtprev/TViewerPageSource.h"

#include "viewer/ui/TSyntaxMemo.h"

namespace lrl {

void TViewerPageSource::beginUpdate() { m_memo.lines().beginUpdate(); }

void TViewerPageSource::endUpdate() { m_memo.lines().endUpdate(); }

bool TViewerPageSource::renderPrintPage(QPainter& painter, const TRect& rect, int pageNo)
{
    return m_memo.renderPrintPage(painter, rect, pageNo);
}

} // namespace lrl
