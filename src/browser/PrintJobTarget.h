#pragma once

#include <string>

namespace lrl {

class BrowserViewer;

// The printable text area of a page in printer units.
struct PrintPageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
};

// The page margins of a job in inches.
struct PrintMargins {
    double left = 0.05;
    double top = 0.05;
    double right = 0.05;
    double bottom = 0.05;
};

// The print options a job gives the buffer from the stored print settings.
struct PrintBufferOptions {
    bool fileName = true; // the page header with the title
    bool pageNumbers = true;
    bool date = true;
    bool lineNumbers = false;
};

// The hidden viewer into which each file, heading or routine is copied before it is printed.
class PrintBuffer {
public:
    virtual ~PrintBuffer() = default;
    // The buffer's text, loaded and cleared as any viewer's.
    virtual BrowserViewer& text() = 0;
    virtual void setPrintOptions(const PrintBufferOptions& options) = 0;
    // What the page header prints as the title.
    virtual void setTitle(const std::string& title) = 0;
};

// Where a job's pages go: the printer, or the preview printer's recording.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // The job set-up: a fresh page set-up with these margins; answers the printable area, which the
    // buffer is given as its print area.
    virtual PrintPageRect setUp(const PrintMargins& margins) = 0;
    // Whether the pages are recorded for the preview rather than printed.
    virtual bool previewing() const = 0;
    // The width of text in the printer's font, in printer units.
    virtual int textWidth(const std::string& text) = 0;
    // Prints the buffer's text as it stands, or records its pages.
    virtual void send(PrintBuffer& buffer) = 0;
};

} // namespace lrl
