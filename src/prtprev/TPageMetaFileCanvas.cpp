#include "prtprev/TPageMetaFileCanvas.h"

#include "prtprev/TPageMetaFile.h"

namespace lrl {

TPageMetaFileCanvas::TPageMetaFileCanvas(TPageMetaFile& page, int dpiX, int dpiY, const QRect& paper)
    : m_page(page)
    , m_paper(paper)
    , m_referenceDPI(dpiY)
{
    // The resolution must be in place before the painter starts: it resolves its first font at begin.
    m_page.setReferenceDpi(dpiX, dpiY);
    m_painter.begin(&m_page);
}

TPageMetaFileCanvas::~TPageMetaFileCanvas() { finish(); }

void TPageMetaFileCanvas::setReferenceDPI(int dpi)
{
    m_referenceDPI = dpi;
    if (dpi > 0 && dpi != m_page.referenceDpiY()) {
        m_page.setReferenceDpi(m_page.referenceDpiX(), dpi);
        // Fonts given in points are resolved when set; set the current one again at the new resolution.
        if (m_painter.isActive())
            m_painter.setFont(m_painter.font());
    }
}

void TPageMetaFileCanvas::copyStateFrom(const TPageMetaFileCanvas& previous)
{
    setFont(previous.font());
    setBrush(previous.brush());
    setPen(previous.pen());
    // Text drawn opaquely fills behind it with the background: part of what the brush is to text.
    m_painter.setBackground(previous.m_painter.background());
    m_painter.setBackgroundMode(previous.m_painter.backgroundMode());
}

void TPageMetaFileCanvas::finish()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    m_page.setBoundingRect(m_paper);
}

} // namespace lrl
