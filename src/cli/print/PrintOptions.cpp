#include "cli/print/PrintOptions.h"

#include "cli/CliArgs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace lrl::cli {

namespace {

bool parseNumber(const std::string& text, double& value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())))
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

bool parseLine(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    value = std::atoi(text.c_str());
    return value >= 1;
}

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

PrintOptions PrintOptions::fromArgs(const CliArgs& args)
{
    PrintOptions o;
    o.pdf = args.value("--pdf");
    if (o.pdf.empty())
        throw UsageError { "give the output file with --pdf OUT.pdf" };
    o.lineNumbers = args.has("--line-numbers");
    o.wrap = args.has("--wrap");
    o.header = !args.has("--no-header");
    o.date = !args.has("--no-date");
    o.pageNumbers = !args.has("--no-page-numbers");
    o.mono = args.has("--mono");
    o.landscape = args.has("--landscape");
    if (args.has("--paper")) {
        const std::string paper = lower(args.value("--paper"));
        if (paper != "a4" && paper != "letter")
            throw UsageError { "--paper takes A4 or Letter" };
        o.letter = paper == "letter";
    }
    if (args.has("--margins")) {
        std::istringstream in(args.value("--margins"));
        std::string part;
        int n = 0;
        while (std::getline(in, part, ',')) {
            double v = 0;
            if (n >= 4 || !parseNumber(part, v) || v < 0 || v > 10)
                throw UsageError { "--margins takes four numbers of inches L,T,R,B from 0 to 10" };
            o.margins[n++] = v;
        }
        if (n != 4)
            throw UsageError { "--margins takes four numbers of inches L,T,R,B from 0 to 10" };
    }
    if (args.has("--lines")) {
        const std::string range = args.value("--lines");
        const size_t dash = range.find('-');
        if (dash == std::string::npos || !parseLine(range.substr(0, dash), o.first)
            || !parseLine(range.substr(dash + 1), o.last) || o.first > o.last)
            throw UsageError { "--lines takes FIRST-LAST, line numbers from 1 with FIRST <= LAST" };
        o.lines = true;
    }
    return o;
}

TSyntaxMemoOptions PrintOptions::apply(TSyntaxMemoOptions options) const
{
    options.set(smoPrintLineNos, lineNumbers);
    options.set(smoPrintWrap, wrap);
    options.set(smoPrintFilename, header);
    options.set(smoPrintDate, date);
    options.set(smoPrintPageNos, pageNumbers);
    return options;
}

TRect PrintOptions::printRect(int width, int height, int dpi) const
{
    auto px = [dpi](double inches) { return static_cast<int>(std::lround(inches * dpi)); };
    TRect r { px(margins[0]), px(margins[1]), width - px(margins[2]), height - px(margins[3]) };
    // Margins that leave no room still leave one pixel, so that the text has somewhere to go.
    if (r.right <= r.left)
        r.right = r.left + 1;
    if (r.bottom <= r.top)
        r.bottom = r.top + 1;
    return r;
}

TRect PrintOptions::setUpPdf(QPrinter& printer, const std::string& file) const
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    printer.setPageSize(letter ? QPageSize(QPageSize::Letter) : QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    return printRect(area.width(), area.height(), printer.resolution());
}

} // namespace lrl::cli
