#pragma once

#include "common/TRect.h"

class QPainter;

namespace lrl {

// A request to the viewer's page renderer.
struct TPrintRenderData {
    TRect pageRect; // device pixels of the target
    QPainter* canvas = nullptr; // the target (its device is the device context)
    bool onePage = false; // lay out from the start of the text, draw only page `first`, stop after it
    bool printing = true; // every print path
    bool lineRange = false; // lines first ... last (counted from 1) only
    int pageNo = 1; // on exit: the last page rendered; -1 when the text ended (rendering to a canvas)
    int y = 0; // on exit: the y below the last row
    int first = 0;
    int last = 0;
};

} // namespace lrl
