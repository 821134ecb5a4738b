#pragma once

#include <QIcon>
#include <QPixmap>

#include <array>

namespace lrl {

// ImageList1: the 24 images of the project tree, used as node images and as state images (the print
// marks 13, 14 and 15). The pictures are drawn here at 16 and 32 pixels: file kinds as sheets with a
// coloured band, routines as coloured discs with their initial, categories as boxes, the missing-file
// image as a sheet with a red cross. Selected variants (the odd partner of each pair) are drawn opened
// or lit. Slot 23 holds the project's program icon once a project gives one.
class TreeImages {
public:
    static constexpr int kCount = 24;
    static constexpr int kSize = 16;

    TreeImages();

    // An empty icon outside 0 ... 23.
    QIcon icon(int index) const;
    QPixmap pixmap(int index, int size = kSize) const;

    // Puts a picture into slot 23 (the project's program icon); a null icon restores the drawn one.
    void setProgramIcon(const QIcon& icon);

    // Draws image `index` into a square of the given size in device-independent pixels, with
    // devicePixelRatio device pixels to each (so that it is sharp on a scaled screen).
    static QPixmap draw(int index, int size, qreal devicePixelRatio = 1.0);

private:
    std::array<QIcon, kCount> m_icons;
};

} // namespace lrl
