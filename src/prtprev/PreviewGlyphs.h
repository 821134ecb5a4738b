#pragma once

#include <QCursor>
#include <QIcon>

namespace lrl {

// The pictures of the preview window's buttons and its zoom cursor, drawn by the program.
enum class PreviewGlyph { First, Previous, Next, Last, OnePage, TwoPages, FitPage, FitWidth, Print, Close };

QIcon previewGlyph(PreviewGlyph glyph);

// A magnifying glass with a plus in its lens; the hot spot is the lens's centre.
QCursor zoomCursor();

} // namespace lrl
