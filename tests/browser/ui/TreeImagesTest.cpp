// The tree's and the toolbar's pictures: drawn for the screen's pixel density, the labels inside their
// bands, one picture per command.

#include "browser/ui/TreeImages.h"
#include "browser/ui/ToolbarIcons.h"
#include "support/qt/DarkPalette.h"

#include "browser/BrowserConstants.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cmath>

using namespace lrl;

TEST(TreeImages, AreDrawnForThePixelDensity)
{
    for (qreal dpr : { 1.0, 1.5, 2.0 }) {
        for (int i = 0; i < TreeImages::kCount; ++i) {
            QPixmap picture = TreeImages::draw(i, 16, dpr);
            EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(16, 16)) << i << " at " << dpr;
            EXPECT_EQ(picture.width(), qRound(16 * dpr)) << i << " at " << dpr;
        }
    }
    // The icons hold a picture of twice the size for a screen at 200 %.
    TreeImages images;
    QPixmap sharp = images.icon(img::Unit).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.width(), 32);
}

// The kind's letters ("PAS", "DPR", "DOF") stay inside the band they stand in at every size: nothing of
// them shows left or right of it, where the picture is transparent or the book's cover.
TEST(TreeImages, LabelsStayInsideTheirBands)
{
    for (int size : { 16, 32, 64, 128 }) {
        const qreal unit = size / 16.0;
        for (int index : { img::Unit, img::Options }) {
            QImage image = TreeImages::draw(index, size).toImage();
            // The band spans 1 to 11 across and 3 to 9 down; left of it the picture is empty.
            for (int y = qCeil(3 * unit); y < qFloor(9 * unit); ++y)
                for (int x = 0; x < qFloor(1 * unit); ++x)
                    EXPECT_EQ(qAlpha(image.pixel(x, y)), 0)
                        << index << " at " << size << ": " << x << "," << y;
        }
        // The project's band spans 4 to 13 on the blue cover, whose border ends at 3: between the two the
        // cover shows (the band's label is centred, so this side stands for both).
        QImage book = TreeImages::draw(img::Project, size).toImage();
        const QColor cover(0x2E, 0x5E, 0xAA);
        for (int y = qCeil(4 * unit); y < qFloor(8 * unit); ++y) {
            for (int x = qCeil(3 * unit); x < qFloor(4 * unit); ++x)
                EXPECT_EQ(book.pixelColor(x, y), cover) << size << ": " << x << "," << y;
        }
    }
}

// Each toolbar button has a picture of its own: two commands never look alike.
TEST(ToolbarIcons, EveryCommandHasAPictureOfItsOwn)
{
    const ToolbarIcons::Kind kinds[] = { ToolbarIcons::Open, ToolbarIcons::Find, ToolbarIcons::PrintTree,
        ToolbarIcons::CollapseExpand, ToolbarIcons::WordWrap, ToolbarIcons::Print, ToolbarIcons::Preview,
        ToolbarIcons::PrinterSetup, ToolbarIcons::Help, ToolbarIcons::Exit };
    for (size_t a = 0; a < std::size(kinds); ++a) {
        const QImage first = ToolbarIcons::draw(kinds[a], 16).toImage();
        for (size_t b = a + 1; b < std::size(kinds); ++b)
            EXPECT_NE(first, ToolbarIcons::draw(kinds[b], 16).toImage()) << kinds[a] << " and " << kinds[b];
    }
}

namespace {

// WCAG contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The share of a picture's opaque pixels that stand out from the toolbar at 3:1 or more.
double legibleShare(const QImage& picture, const QColor& toolbar)
{
    int opaque = 0, legible = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.alpha() < 128)
                continue;
            ++opaque;
            legible += contrast(c, toolbar) >= 3.0 ? 1 : 0;
        }
    return opaque == 0 ? 0.0 : double(legible) / opaque;
}

} // namespace

// On a light toolbar and on a dark desktop's, a good part of every picture stands out from the toolbar
// (white paper and a yellow folder do not, on light grey).
TEST(ToolbarIcons, StandOutOnLightAndDarkToolbars)
{
    const QPalette kept = QApplication::palette();
    QPalette light = kept;
    light.setColor(QPalette::Window, QColor(0xEF, 0xEF, 0xEF));
    for (const QPalette& palette : { light, lrl::test::darkPalette() }) {
        QApplication::setPalette(palette);
        const QColor toolbar = palette.color(QPalette::Window);
        for (int k = ToolbarIcons::Open; k <= ToolbarIcons::Exit; ++k) {
            const QImage picture = ToolbarIcons::draw(ToolbarIcons::Kind(k), 32).toImage();
            EXPECT_GE(legibleShare(picture, toolbar), 0.3)
                << "picture " << k << " on " << toolbar.name().toStdString();
        }
    }
    // A button's icon follows a palette that changes while the program runs.
    const QIcon wrap = ToolbarIcons::icon(ToolbarIcons::WordWrap);
    QApplication::setPalette(light);
    const QImage onLight = wrap.pixmap(32).toImage();
    QApplication::setPalette(lrl::test::darkPalette());
    EXPECT_NE(wrap.pixmap(32).toImage(), onLight);
    QApplication::setPalette(kept);
}
