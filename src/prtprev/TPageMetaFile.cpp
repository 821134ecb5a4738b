#include "prtprev/TPageMetaFile.h"

#include <QPainter>

namespace lrl {

TPageMetaFile::TPageMetaFile(int referenceDpiX, int referenceDpiY)
    : m_dpiX(referenceDpiX > 0 ? referenceDpiX : 96)
    , m_dpiY(referenceDpiY > 0 ? referenceDpiY : 96)
{
}

void TPageMetaFile::setReferenceDpi(int dpiX, int dpiY)
{
    m_dpiX = dpiX > 0 ? dpiX : 96;
    m_dpiY = dpiY > 0 ? dpiY : 96;
}

void TPageMetaFile::replay(QPainter& painter, qreal scaleX, qreal scaleY) const
{
    // A plain picture reports the default resolution that playing scales from.
    static const QPicture plain;
    QPaintDevice* target = painter.device();
    qreal undoX = target != nullptr ? qreal(plain.logicalDpiX()) / target->logicalDpiX() : 1.0;
    qreal undoY = target != nullptr ? qreal(plain.logicalDpiY()) / target->logicalDpiY() : 1.0;
    painter.save();
    painter.scale(scaleX * undoX, scaleY * undoY);
    painter.drawPicture(0, 0, *this);
    painter.restore();
}

int TPageMetaFile::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return m_dpiX;
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return m_dpiY;
    case PdmWidthMM:
        return static_cast<int>(boundingRect().width() * 25.4 / m_dpiX);
    case PdmHeightMM:
        return static_cast<int>(boundingRect().height() * 25.4 / m_dpiY);
    default:
        return QPicture::metric(m);
    }
}

} // namespace lrl
