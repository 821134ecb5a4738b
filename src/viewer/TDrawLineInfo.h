#pragma once

#include "common/TRect.h"

#include <functional>

namespace lrl {

class TCustomSyntaxMemo;

// The record OnDrawLine receives before a row's text is drawn. When the handler sets `handled`, nothing
// more of the row's text is drawn.
struct TDrawLineInfo {
    const char* chars = nullptr; // the row's display characters (TABs expanded)
    int length = 0; // the row's display length
    void* canvas = nullptr; // what the row is drawn on: the QPainter of the viewer's paint
    TRect rect; // the row's rectangle
    int offset = 0; // character offset of the row's first character
    int scrollColumn = 0; // the horizontal scroll column
    bool handled = false;
};

using TDrawLineEvent = std::function<void(TCustomSyntaxMemo& sender, TDrawLineInfo& info)>;

} // namespace lrl
