#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>

namespace lrl {

// A stored colour value as a screen colour: 0x00BBGGRR, or a negative value naming a system colour, which
// comes from the palette (window text, window, highlight, highlighted text, button face, ...).
QColor viewerColor(int32_t value, const QPalette& palette);

// A palette whose base (the text background) is darker than its text: a dark desktop.
bool isDarkPalette(const QPalette& palette);

// The screen colours of a stored text colour and the background it stands on. On a dark palette a pair
// that takes one of the two from the palette and fixes the other takes both from the palette: the fixed
// colour was chosen against the light system colours and may be unreadable on or under the dark ones.
// The colour taken instead is the palette partner of the system colour (window text for window, the
// highlighted text for the highlight, and so on). On a light palette, and for pairs of two fixed or two
// system colours, each colour is what viewerColor gives.
struct ViewerColorPair {
    QColor text;
    QColor back;
};
ViewerColorPair viewerColors(int32_t text, int32_t back, const QPalette& palette);

} // namespace lrl
