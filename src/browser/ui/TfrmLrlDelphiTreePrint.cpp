// The main window's tree printout command.

#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/PrintOptionValues.h"
#include "browser/ScopeExit.h"
#include "browser/TreePrintSnapshot.h"
#include "browser/TreePrintout.h"
#include "browser/ui/TreePrintJob.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>

#include <exception>

namespace lrl {

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
    if (m_browser->tree().empty())
        return 0;
    const QString kept = Panel5->text();
    ScopeExit restore([this, kept] { Panel5->setText(kept); });
    try {
        std::unique_ptr<QPrinter> printer = m_treePrinter ? m_treePrinter() : systemPrinter();
        if (!printer)
            return 0;
        Panel5->setText(QStringLiteral("Sending data to the printer... Treeview"));
        const std::vector<TreePrintEntry> snapshot = takeTreePrintSnapshot(m_browser->tree());
        const PrintOptionValues values(*m_store);
        TreePrintout::Setup setup = TreePrintout::setupFor(*m_browser, values);
        setup.pageRect = TreePrintJob::marginRect(*printer, values);
        return TreePrintJob::print(*printer, setup, snapshot, [this] { processEvents(); });
    } catch (const std::exception& e) {
        showError(e.what());
        return 0;
    }
}

} // namespace lrl
