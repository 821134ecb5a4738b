#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>

namespace lrl {

// A stored colour value as a screen colour: 0x00BBGGRR, or a negative value naming a system colour, which
// comes from the palette (window text, window, highlight, highlighted text, button face, ...).
QColor viewerColor(int32_t value, const QPalette& palette);

// The bytes of the text as the characters they stand for (Windows-1252).
QString fromCp1252(const char* chars, int count);

} // namespace lrl
