#pragma once

#include "common/TRect.h"

#include <functional>

class QPainter;

namespace lrl {

class TSyntaxMemo;

// OnPrintHeaderFooter: when assigned it replaces the built-in header and footer of every printed page.
// It draws onto the page's canvas and answers the text area in renderRect (given as the page rectangle);
// setting transparentText prints the text without filling its background for the rest of the print.
// The text is laid out for the area the handler answers for a first page, so it should answer the
// same area for every page.
using THeaderFooterEvent = std::function<void(
    TSyntaxMemo& sender, QPainter& renderCanvas, TRect& renderRect, bool& transparentText)>;

} // namespace lrl
