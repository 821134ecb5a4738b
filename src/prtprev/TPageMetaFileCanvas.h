#pragma once

#include <QPainter>
#include <QRect>

namespace lrl {

class TPageMetaFile;

// Records the drawing of one page into its metafile. The page reports the reference device's resolution,
// so fonts set on the painter are sized for that device. Freeing the canvas (or finish) closes the
// recording and stamps the page with its paper rectangle; the metafile is complete only then.
class TPageMetaFileCanvas {
public:
    // paper: the paper in reference device pixels, recorded as the page's bounding rectangle.
    TPageMetaFileCanvas(TPageMetaFile& page, int dpiX, int dpiY, const QRect& paper);
    ~TPageMetaFileCanvas();
    TPageMetaFileCanvas(const TPageMetaFileCanvas&) = delete;
    TPageMetaFileCanvas& operator=(const TPageMetaFileCanvas&) = delete;

    QPainter& painter() { return m_painter; }
    TPageMetaFile& page() { return m_page; }

    // The vertical resolution of the reference device; fonts given in points resolve against it.
    int referenceDPI() const { return m_referenceDPI; }
    void setReferenceDPI(int dpi);

    QFont font() const { return m_painter.font(); }
    QBrush brush() const { return m_painter.brush(); }
    QPen pen() const { return m_painter.pen(); }
    void setFont(const QFont& font) { m_painter.setFont(font); }
    void setBrush(const QBrush& brush) { m_painter.setBrush(brush); }
    void setPen(const QPen& pen) { m_painter.setPen(pen); }

    // Takes over the font, brush and pen of the previous page's canvas, and the background that
    // opaque text is drawn on.
    void copyStateFrom(const TPageMetaFileCanvas& previous);

    // Closes the recording; nothing more can be drawn. Called by the destructor when not called before.
    void finish();

private:
    TPageMetaFile& m_page;
    QRect m_paper;
    QPainter m_painter;
    int m_referenceDPI;
};

} // namespace lrl
