#pragma once

// A printer for tests: writes a PDF file into a temporary folder, US Letter, at a chosen resolution and
// with page margins, and counts the pages of what it wrote.

#include "support/TempDir.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <memory>
#include <string>

namespace lrl::test {

struct PdfPrinter {
    TempDir dir;
    std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);

    explicit PdfPrinter(int dpi = 600, QMarginsF marginsInches = QMarginsF(0.25, 0.25, 0.25, 0.25))
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(file()));
        printer->setResolution(dpi);
        printer->setPageLayout(QPageLayout(
            QPageSize(QPageSize::Letter), QPageLayout::Portrait, marginsInches, QPageLayout::Inch));
    }
    std::string file() const { return (dir.path() / "out.pdf").string(); }

    // The number of page objects in the written file.
    int writtenPages() const
    {
        std::string bytes = readFile(file());
        int n = 0;
        for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
            if (bytes.compare(at, 12, "/Type /Pages") != 0)
                ++n;
        return n;
    }
};

} // namespace lrl::test
