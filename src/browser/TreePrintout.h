#pragma once

#include "browser/PrintOptionValues.h"
#include "browser/TreePrintSnapshot.h"
#include "common/TRect.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

class ProjectBrowser;
class TreePrintCanvas;

// Lays the project tree out as an indented outline on pages of a TreePrintCanvas: a line per node in
// its level's font, a statistics line after each unit's routines, the project's counts under a project
// file, a page header with the file and date, continuation lines at the top of each following page and
// a page-number footer. The caller begins and ends the document.
//
// Distances are given in units of a 300 dpi page and scaled to the canvas's resolution, so the outline
// has the same proportions on any printer and in a PDF; line heights come from the fonts, which are set
// in points.
class TreePrintout {
public:
    static constexpr int kUnitsPerInch = 300;
    static constexpr int kIndent = 30; // per tree level
    static constexpr int kLineGap = 6; // after each node line
    static constexpr int kOutdent = 80; // of the first continuation line
    static constexpr int kReserveLines = 3; // kept free at the page's bottom

    struct Setup {
        // The printable text area of a page, in device pixels.
        TRect pageRect;
        // The width of the whole page in device pixels; the page number is centred on it.
        int pageWidth = 0;
        std::array<PrintOptionValues::LevelFont, PrintOptionValues::kLevels> fonts;
        bool header = true; // FlNm
        bool date = true; // Dt
        bool pageNumbers = true; // PgNo
        // The header line: how it is chosen ("hdr"), and the texts it is chosen from.
        PrintOptionValues::HeaderSource headerSource = PrintOptionValues::HeaderSource::Path;
        std::string headerPath;
        std::string headerCaption;
        std::string customText;
        // The date and time shown on the right of the header.
        std::string dateText;
        // The path shown in FileLabel1: unit captions are resolved against its folder.
        std::string fileLabel;
        int formCount = 0;
        int unitCount = 0;
    };

    // The four level fonts as the settings hold them.
    static std::array<PrintOptionValues::LevelFont, PrintOptionValues::kLevels> readFonts(
        const PrintOptionValues& values);
    // Fonts, switches, header texts, counts and the file label of an opened file; the page, its width
    // and the date text are the printer's and are left to the caller.
    static Setup setupFor(const ProjectBrowser& browser, const PrintOptionValues& values);

    TreePrintout(const Setup& setup, TreePrintCanvas& canvas);

    // Prints the entries on the current page and the pages that follow, then the closing statistics
    // line and footer. Answers the number of pages.
    int print(const std::vector<TreePrintEntry>& entries);

    // A distance of the outline in device pixels.
    int units(int n) const;
    // The header line's text for the current font.
    std::string headerText() const;
    // "Stats... " with the routine counts, the last unit's last-modified text and its size.
    std::string statsText() const;

private:
    using Font = PrintOptionValues::LevelFont;

    void select(const Font& font);
    void selectShape(int nameLevel, int styleLevel);
    int lineHeight() const;
    bool full() const;
    int pageTop();
    void printHeader();
    void printFooter();
    void breakPage();
    void rememberUnit(const std::string& caption);
    void printStats();
    void printEntry(const TreePrintEntry& entry, int x);
    void printProjectLine(int x);
    void resetCounts();

    const Setup& m_setup;
    TreePrintCanvas& m_canvas;
    Font m_font;
    int m_y = 0;
    int m_page = 1;
    int m_lastX = 0;
    int m_lastLevel = 0;
    std::string m_lastCaption;
    std::string m_lastFileCaption;
    std::string m_parentLabel;
    std::string m_statsFile;
    std::string m_statsSize;
    int m_procedures = 0;
    int m_functions = 0;
    int m_constructors = 0;
    int m_destructors = 0;
};

} // namespace lrl
