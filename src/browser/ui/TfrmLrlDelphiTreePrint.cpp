// The main window's tree printout command.

#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/PrintOptionValues.h"
#include "browser/ScopeExit.h"
#include "browser/TreePrintSnapshot.h"
#include "browser/TreePrintout.h"
#include "browser/ui/PrintInputGuard.h"
#include "browser/ui/TreePrintJob.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <exception>

namespace lrl {

namespace {

// Ends the tree printout at the page break where Abort Print was seen (a PDF file printer cannot abort
// its document itself).
struct TreePrintAborted { };

} // namespace

void TfrmLrlDelphi::createTreePrintCommand()
{
    connect(mnuPrtTree, &QAction::triggered, this, [this] { printTreeView(); });
    connect(tbbtnPrtTree, &QAction::triggered, this, [this] { printTreeView(); });
}

std::unique_ptr<QPrinter> TfrmLrlDelphi::systemPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!QPrinterInfo::availablePrinters().isEmpty())
        return printer;
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Print to file"), QString(), QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return nullptr;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    return printer;
}

int TfrmLrlDelphi::printTreeView()
{
    if (m_browser->tree().empty() || m_printJobs || m_treePrinting)
        return 0;
    const QString kept = Panel5->text();
    ScopeExit restore([this, kept] {
        Panel5->setText(kept);
        sbtnAbortPrint->setEnabled(false);
        m_treePrinting = nullptr;
        openDeferredDrops();
    });
    try {
        if (!m_browser->settings().dsf && m_printReview && !m_printReview())
            return 0;
        std::unique_ptr<QPrinter> printer = m_treePrinter ? m_treePrinter() : systemPrinter();
        if (!printer)
            return 0;
        m_treePrinting = printer.get();
        PrintInputGuard guard(*this, *sbtnAbortPrint);
        m_treeAbortRequested = false;
        sbtnAbortPrint->setEnabled(true);
        Panel5->setText(QStringLiteral("Sending data to the printer... Treeview"));
        const std::vector<TreePrintEntry> snapshot = takeTreePrintSnapshot(m_browser->tree());
        const PrintOptionValues values(*m_store);
        TreePrintout::Setup setup = TreePrintout::setupFor(*m_browser, values);
        setup.pageRect = TreePrintJob::marginRect(*printer, values);
        return TreePrintJob::print(*printer, setup, snapshot, [this] {
            processEvents();
            if (m_treeAbortRequested)
                throw TreePrintAborted {};
        });
    } catch (const TreePrintAborted&) {
        return 0;
    } catch (const std::exception& e) {
        showError(e.what());
        return 0;
    }
}

} // namespace lrl
