#pragma once

#include "browser/TreePrintCanvas.h"

#include <QFont>

#include <functional>

class QPainter;
class QPrinter;

namespace lrl {

// The tree printout's canvas on a painter that draws on a printer (a PDF file printer in tests and in
// listrel-cli). Fonts are set in points, so they are sized for the printer's resolution; a text is
// placed with the top of its line at y.
class TreePrintPainter : public TreePrintCanvas {
public:
    // processEvents is called between pages; it may abort the printer's document.
    TreePrintPainter(QPainter& painter, QPrinter& printer, std::function<void()> processEvents = {});

    int resolution() const override;
    void setFont(const Font& font) override;
    int lineHeight() const override;
    int textWidth(const std::string& text) const override;
    void textOut(int x, int y, const std::string& text) override;
    void line(int x1, int x2, int y) override;
    void newPage() override;
    void processEvents() override;
    bool aborted() const override;

private:
    QPainter& m_painter;
    QPrinter& m_printer;
    std::function<void()> m_processEvents;
    Font m_font;
};

} // namespace lrl
