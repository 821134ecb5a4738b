#pragma once

#include "common/TRect.h"
#include "viewer/TSyntaxMemoOptions.h"

#include <string>

class QPrinter;

namespace lrl::cli {

class CliArgs;

// The options of `listrel-cli print`, read from its arguments. Bad values raise UsageError.
struct PrintOptions {
    std::string pdf;
    bool lineNumbers = false;
    bool wrap = false;
    bool header = true;
    bool date = true;
    bool pageNumbers = true;
    bool mono = false;
    bool landscape = false;
    bool letter = false; // else A4
    // Inches inside the printable area: left, top, right, bottom.
    double margins[4] = { 0.05, 0.05, 0.05, 0.05 };
    bool lines = false;
    int first = 1;
    int last = 1;

    static PrintOptions fromArgs(const CliArgs& args);

    // The viewer's options with the print options set from these.
    TSyntaxMemoOptions apply(TSyntaxMemoOptions options) const;
    // The text rectangle inside a printable area of the given size in device pixels.
    TRect printRect(int width, int height, int dpi) const;
    // Makes the printer write a PDF file of the chosen paper and orientation to `file`; answers the text
    // rectangle, the margins lying inside the printable area as on a real printer.
    TRect setUpPdf(QPrinter& printer, const std::string& file) const;
};

} // namespace lrl::cli
