#pragma once

#include <QPicture>

class QPainter;

namespace lrl {

// One recorded page. It reports the resolution of the device it was recorded against, so that a painter
// recording into it sizes fonts for that device (10 points are 83 pixels at 600 dpi), and its bounding
// rectangle is the paper in that device's pixels. Replaying it onto another device needs a transform from
// those pixels to the target's.
class TPageMetaFile : public QPicture {
public:
    explicit TPageMetaFile(int referenceDpiX = 96, int referenceDpiY = 96);

    int referenceDpiX() const { return m_dpiX; }
    int referenceDpiY() const { return m_dpiY; }
    void setReferenceDpi(int dpiX, int dpiY);

    // Draws the page with one page pixel becoming scaleX by scaleY units of the painter's current
    // coordinates, at their origin. Replaying through QPainter::drawPicture alone scales by the target's
    // resolution over the default one; this undoes that, so the scale given is the scale drawn.
    void replay(QPainter& painter, qreal scaleX, qreal scaleY) const;

protected:
    int metric(PaintDeviceMetric m) const override;

private:
    int m_dpiX;
    int m_dpiY;
};

} // namespace lrl
