#pragma once

#include <QImage>

#include <cmath>

namespace lrl::test {

// A white image of the size, telling the resolution as its dots per inch: what a page is drawn onto
// when it is compared pixel for pixel.
inline QImage blankPage(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    return image;
}

} // namespace lrl::test
