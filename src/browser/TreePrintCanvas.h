#pragma once

#include "browser/PrintOptionValues.h"

#include <string>

namespace lrl {

// The drawing surface of the tree printout, in device pixels of one page: a printer's page in the
// program, a recording in tests. Text is placed by the top-left corner of its line.
class TreePrintCanvas {
public:
    using Font = PrintOptionValues::LevelFont;

    virtual ~TreePrintCanvas() = default;

    // The resolution of the device in pixels per inch.
    virtual int resolution() const = 0;
    virtual void setFont(const Font& font) = 0;
    // The height of the current font's characters (its em size) in device pixels.
    virtual int lineHeight() const = 0;
    virtual int textWidth(const std::string& text) const = 0;
    virtual void textOut(int x, int y, const std::string& text) = 0;
    // A horizontal line from x1 to x2 at y.
    virtual void line(int x1, int x2, int y) = 0;
    // Ends the page and starts the next one.
    virtual void newPage() = 0;
    // Lets the window handle waiting messages (an Abort Print among them) between pages.
    virtual void processEvents() { }
    // True once the document has been aborted: nothing more is drawn.
    virtual bool aborted() const { return false; }
};

} // namespace lrl
