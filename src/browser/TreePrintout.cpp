#include "browser/TreePrintout.h"

#include "browser/FilePaths.h"
#include "browser/FileStatus.h"
#include "browser/PathEllipsis.h"
#include "browser/ProjectBrowser.h"
#include "browser/TreePrintCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lrl {

namespace {

constexpr int kImageProcedure = 5;
constexpr int kImageFunction = 7;
constexpr int kImageConstructor = 9;
constexpr int kImageDestructor = 11;
constexpr int kFooterSize = 8;
constexpr const char* kContinued = "   [continued]";

bool isRoutine(int image) { return image >= kImageProcedure && image <= kImageDestructor + 1; }

bool hasDot(const std::string& s) { return s.find('.') != std::string::npos; }

std::string trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string count(int n, const char* what)
{
    return n > 0 ? "[" + std::to_string(n) + " " + what + "]" : std::string();
}

} // namespace

std::array<PrintOptionValues::LevelFont, PrintOptionValues::kLevels> TreePrintout::readFonts(
    const PrintOptionValues& values)
{
    std::array<Font, PrintOptionValues::kLevels> fonts;
    for (int i = 0; i < PrintOptionValues::kLevels; ++i)
        fonts[i] = values.levelFont(i);
    return fonts;
}

TreePrintout::Setup TreePrintout::setupFor(const ProjectBrowser& browser, const PrintOptionValues& values)
{
    Setup s;
    s.fonts = readFonts(values);
    const BrowserSettings& settings = browser.settings();
    s.header = settings.FlNm;
    s.date = settings.Dt;
    s.pageNumbers = settings.PgNo;
    s.headerSource = values.headerSource();
    const TTreeNode* first = browser.tree().firstNode();
    s.headerCaption = first ? first->text() : std::string();
    s.headerPath = extractFilePath(browser.openedFile()) + s.headerCaption;
    s.customText = browser.fileInfoRead(extractFileName(browser.openedFile()), "CsmtTxt");
    s.fileLabel = browser.fileLabel();
    s.formCount = browser.formCount();
    s.unitCount = browser.unitCount();
    return s;
}

TreePrintout::TreePrintout(const Setup& setup, TreePrintCanvas& canvas)
    : m_setup(setup)
    , m_canvas(canvas)
{
}

int TreePrintout::units(int n) const
{
    return static_cast<int>(std::lround(static_cast<double>(n) * m_canvas.resolution() / kUnitsPerInch));
}

void TreePrintout::select(const Font& font)
{
    m_font = font;
    m_canvas.setFont(m_font);
}

// The name and size of one level's font with the style of another; the colour stays.
void TreePrintout::selectShape(int nameLevel, int styleLevel)
{
    Font f = m_font;
    f.name = m_setup.fonts[nameLevel].name;
    f.size = m_setup.fonts[nameLevel].size;
    f.bold = m_setup.fonts[styleLevel].bold;
    f.italic = m_setup.fonts[styleLevel].italic;
    f.underline = m_setup.fonts[styleLevel].underline;
    select(f);
}

int TreePrintout::lineHeight() const { return std::abs(m_canvas.lineHeight()); }

bool TreePrintout::full() const { return m_y >= m_setup.pageRect.bottom - kReserveLines * lineHeight(); }

int TreePrintout::print(const std::vector<TreePrintEntry>& entries)
{
    // Unit captions are looked up once each; one listing per folder serves them all.
    FolderListingScope listings;
    m_page = 1;
    m_y = pageTop();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (m_canvas.aborted())
            return m_page;
        const TreePrintEntry& entry = entries[i];
        switch (entry.imageIndex) {
        case kImageProcedure:
            ++m_procedures;
            break;
        case kImageFunction:
            ++m_functions;
            break;
        case kImageConstructor:
            ++m_constructors;
            break;
        case kImageDestructor:
            ++m_destructors;
            break;
        default:
            break;
        }
        if (i > 0 && lowerFileExt(entries[i - 1].caption) == ".pas")
            rememberUnit(entries[i - 1].caption);
        const int level = std::clamp(entry.level, 0, PrintOptionValues::kLevels - 1);
        select(m_setup.fonts[level]);
        const int x = entry.level * units(kIndent) + m_setup.pageRect.left;
        // A new unit after the previous unit's routines closes that unit with its statistics.
        if (lowerFileExt(entry.caption) == ".pas" && entry.level < m_lastLevel)
            printStats();
        if (full()) {
            const Font font = m_font;
            breakPage();
            select(font);
        }
        // The heading that continues on a new page: a unit or a category, never a routine (in a unit
        // opened alone the routines stand at level 2).
        if ((entry.level == 1 || entry.level == 2) && !isRoutine(entry.imageIndex))
            m_parentLabel = entry.caption;
        printEntry(entry, x);
    }
    if (m_canvas.aborted())
        return m_page;
    selectShape(2, 3);
    Font f = m_font;
    f.color = m_setup.fonts[1].color;
    select(f);
    if (full()) {
        breakPage();
        select(f);
    }
    m_canvas.textOut(m_setup.pageRect.left, m_y, statsText());
    if (m_setup.pageNumbers)
        printFooter();
    return m_page;
}

void TreePrintout::printStats()
{
    if (m_procedures + m_functions + m_constructors + m_destructors == 0) {
        m_y += lineHeight();
        return;
    }
    selectShape(2, 3);
    if (full()) {
        const Font font = m_font;
        breakPage();
        select(font);
    }
    m_y += lineHeight();
    m_canvas.textOut(m_setup.pageRect.left, m_y - lineHeight(), statsText());
    selectShape(1, 1);
    m_y += 2 * lineHeight();
    resetCounts();
}

void TreePrintout::printEntry(const TreePrintEntry& entry, int x)
{
    m_lastCaption = entry.caption;
    if (hasDot(entry.caption))
        m_lastFileCaption = entry.caption;
    m_canvas.textOut(x, m_y, entry.caption);
    m_lastLevel = entry.level;
    m_lastX = x;
    m_y += lineHeight() + units(kLineGap);
    if (lowerFileExt(entry.caption) == ".dpr")
        printProjectLine(x);
}

void TreePrintout::printProjectLine(int x)
{
    selectShape(3, 3);
    Font f = m_font;
    f.color = m_setup.fonts[0].color;
    select(f);
    std::string text = "Project... ";
    if (m_setup.formCount > 0)
        text += std::to_string(m_setup.formCount) + " form(s)   ";
    text += std::to_string(m_setup.unitCount) + " unit(s)";
    m_canvas.textOut(x + units(kIndent), m_y, text);
    m_y += 2 * lineHeight();
    f.bold = m_setup.fonts[0].bold;
    f.italic = m_setup.fonts[0].italic;
    f.underline = m_setup.fonts[0].underline;
    select(f);
}

std::string TreePrintout::statsText() const
{
    return "Stats... " + count(m_procedures, "procedure") + count(m_functions, "function")
        + count(m_constructors, "constructor") + count(m_destructors, "destructor") + "   " + m_statsFile
        + m_statsSize;
}

void TreePrintout::rememberUnit(const std::string& caption)
{
    const std::string path = resolvePath(caption, m_setup.fileLabel);
    m_statsFile = trimmed(lastModifiedText(path));
    // A unit missing from disk has no size to show.
    const int64_t size = fileSizeOf(path);
    m_statsSize = size >= 0 ? "  (" + std::to_string(size) + ") bytes" : std::string();
}

void TreePrintout::resetCounts()
{
    m_procedures = 0;
    m_functions = 0;
    m_constructors = 0;
    m_destructors = 0;
}

int TreePrintout::pageTop()
{
    if (!m_setup.header)
        return 0;
    printHeader();
    return m_setup.pageRect.top + 3 * lineHeight();
}

std::string TreePrintout::headerText() const
{
    using Source = PrintOptionValues::HeaderSource;
    switch (m_setup.headerSource) {
    case Source::FileName:
        return extractFileName(m_setup.headerPath);
    case Source::Caption:
        return m_setup.headerCaption;
    case Source::CustomText:
        return m_setup.customText;
    case Source::Path:
        break;
    }
    const int fit = m_setup.pageRect.width() / 40 * 31;
    return shortenPath(
        m_setup.headerPath, fit, [this](const std::string& s) { return m_canvas.textWidth(s); });
}

void TreePrintout::printHeader()
{
    Font f;
    f.name = m_setup.fonts[0].name;
    f.size = m_setup.fonts[0].size;
    select(f);
    const TRect& r = m_setup.pageRect;
    m_canvas.textOut(r.left, r.top, headerText());
    if (m_setup.date)
        m_canvas.textOut(r.right - m_canvas.textWidth(m_setup.dateText), r.top, m_setup.dateText);
    m_canvas.line(r.left, r.right, r.top + 2 * lineHeight());
}

void TreePrintout::printFooter()
{
    const TRect& r = m_setup.pageRect;
    const int y = r.bottom - 2 * lineHeight();
    Font f;
    f.name = m_font.name;
    f.size = kFooterSize;
    select(f);
    m_canvas.line(r.left, r.right, y);
    const std::string text = "- " + std::to_string(m_page) + " -";
    const int centre = m_setup.pageWidth > 0 ? m_setup.pageWidth / 2 : (r.left + r.right) / 2;
    m_canvas.textOut(centre - m_canvas.textWidth(text) / 2, y + lineHeight(), text);
}

void TreePrintout::breakPage()
{
    if (m_setup.pageNumbers)
        printFooter();
    m_canvas.processEvents();
    m_canvas.newPage();
    ++m_page;
    m_y = pageTop();
    // Under a category the page starts with the unit and the category; under a unit with the unit.
    const bool category = !hasDot(m_parentLabel);
    const int b = category ? 2 : 1;
    const int x = std::max(m_setup.pageRect.left, category ? m_lastX - units(kOutdent) : m_lastX);
    selectShape(b, b);
    Font f = m_font;
    if (category) {
        f.color = m_setup.fonts[1].color;
        select(f);
        m_canvas.textOut(x, m_y, m_lastFileCaption + kContinued);
        m_y += lineHeight();
    }
    f.color = m_setup.fonts[b].color;
    select(f);
    const bool continued = !category && m_parentLabel == m_lastCaption;
    m_canvas.textOut(x, m_y, continued ? m_parentLabel + kContinued : m_parentLabel);
    select(m_setup.fonts[2]);
    m_y += lineHeight() + units(kLineGap);
}

} // namespace lrl
