// The print commands: marks on the tree, printing and previewing the marked items, abort, printing the
// viewer's highlighted text, and the printer set-up.
#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/FilePaths.h"
#include "browser/PrintJobs.h"
#include "browser/PrintMarks.h"
#include "browser/PrintOptionValues.h"
#include "browser/PrintReview.h"
#include "browser/ScopeExit.h"
#include "browser/ui/PrintInputGuard.h"
#include "browser/ui/TfrmPrtOptsReview.h"
#include "browser/ui/ToolbarIcons.h"
#include "browser/ui/WindowPrintTarget.h"
#include "prtprev/TPreviewForm.h"
#include "prtprev/TPreviewPrinter.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "viewer/ui/TSyntaxMemoInput.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace lrl {

void TfrmLrlDelphi::createPrintCommands()
{
    mnuPrint = new QMenu(QStringLiteral("&Print"), this);
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuFile->insertMenu(mnuPrtTree, mnuPrint);
    mnuPrtSelItems = mnuPrint->addAction(
        QStringLiteral("&Selected Items"), this, [this] { tbbtnPrintPrevClick(false); });
    mnuPrtSelItems->setObjectName(QStringLiteral("mnuPrtSelItems"));
    mnuPrtPreview
        = mnuPrint->addAction(QStringLiteral("Pre&view"), this, [this] { tbbtnPrintPrevClick(true); });
    mnuPrtPreview->setObjectName(QStringLiteral("mnuPrtPreview"));
    // Print tree view joins its fellows in the Print menu.
    mnuFile->removeAction(mnuPrtTree);
    mnuPrtTree->setText(QStringLiteral("&TreeView"));
    mnuPrint->addAction(mnuPrtTree);
    mnuPrint->addSeparator();
    mnuPrtSetup = mnuPrint->addAction(QStringLiteral("&Printer Setup"), this, &TfrmLrlDelphi::printerSetup);
    mnuPrtSetup->setObjectName(QStringLiteral("mnuPrtSetup"));

    auto toolButton = [this](ToolbarIcons::Kind icon, const char* name, const char* hint) {
        auto* action = new QAction(ToolbarIcons::icon(icon), QString(), ToolBar1);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(QString::fromLatin1(hint));
        ToolBar1->insertAction(tbbtnPrtTree, action);
        return action;
    };
    tbbtnPrint = toolButton(ToolbarIcons::Print, "tbbtnPrint", "Print selected items");
    connect(tbbtnPrint, &QAction::triggered, this, [this] { tbbtnPrintPrevClick(false); });
    tbbtnPrintPrev = toolButton(ToolbarIcons::Preview, "tbbtnPrintPrev", "Print preview");
    connect(tbbtnPrintPrev, &QAction::triggered, this, [this] { tbbtnPrintPrevClick(true); });
    tbbtnPrtSetup = toolButton(ToolbarIcons::PrinterSetup, "tbbtnPrtSetup", "Printer setup");
    connect(tbbtnPrtSetup, &QAction::triggered, this, &TfrmLrlDelphi::printerSetup);

    connect(sbtnAbortPrint, &QPushButton::clicked, this, &TfrmLrlDelphi::abortPrint);
    connect(pmnuPrtSelTxt, &QAction::triggered, this, &TfrmLrlDelphi::printHighlightedText);
    // Ctrl+K P in the viewer.
    SyntaxMemo1->input().commands().OnPrintSelection = [this](TCustomSyntaxMemo&) { printHighlightedText(); };
    frmPrtOptsReview = new TfrmPrtOptsReview(this);
    frmPrtOptsReview->values = [this] {
        const QPrinter& p = printer();
        const std::string name = isPdfFilePrinter(p) ? "PDF file" : p.printerName().toStdString();
        return PrintReviewTexts::of(name, m_browser->settings(), *m_store,
            m_browser->fileInfoRead(extractFileName(m_browser->openedFile()), "CsmtTxt"));
    };
    frmPrtOptsReview->onChange = [this] { runCodePrintOptions(); };
    frmPrtOptsReview->onDontShowToggled = [this](bool on) { m_browser->settings().dsf = on; };
    frmPrtOptsReview->onClosed = [this](bool on) { BrowserSettings::writeDsf(*m_store, on); };
    m_printReview = [this] { return frmPrtOptsReview->review(m_browser->settings().dsf); };
    updatePrintControls();
}

void TfrmLrlDelphi::markNode(TTreeNode* node, bool alt, bool ctrl)
{
    if (!node)
        return;
    PrintMarks(m_browser->tree(), m_browser->projectImage())
        .click(node, { .alt = alt, .ctrl = ctrl }, m_browser->settings().PrtSepPgs);
    updatePrintControls();
}

void TfrmLrlDelphi::updatePrintControls()
{
    const bool marked = PrintMarks(m_browser->tree(), m_browser->projectImage()).anyMarked();
    for (QAction* control : { tbbtnPrint, tbbtnPrintPrev, mnuPrtSelItems, mnuPrtPreview })
        control->setEnabled(marked);
}

QPrinter& TfrmLrlDelphi::printer() { return tmpMemo->printer(); }

bool TfrmLrlDelphi::choosePdfFile(QPrinter& target)
{
    if (!isPdfFilePrinter(target))
        return true;
    const QString folder = m_pdfFolder.isEmpty() ? QDir::homePath() : m_pdfFolder;
    const QString name = m_pdfFileChooser
        ? m_pdfFileChooser(folder)
        : QFileDialog::getSaveFileName(
            this, QStringLiteral("Print to PDF file"), folder, QStringLiteral("PDF files (*.pdf)"));
    if (name.isEmpty())
        return false;
    target.setOutputFileName(name);
    m_pdfFolder = QFileInfo(name).absolutePath();
    return true;
}

void TfrmLrlDelphi::tbbtnPrintPrevClick(bool preview)
{
    if (m_printJobs)
        return;
    BrowserSettings& s = m_browser->settings();
    const QString panel5 = Panel5->text();
    if (s.WrdWrp)
        m_viewer->setWordWrap(false);
    ScopeExit finish([this, panel5] {
        sbtnAbortPrint->setEnabled(false);
        if (m_browser->settings().WrdWrp)
            m_viewer->setWordWrap(true);
        Panel5->setText(panel5);
        updatePrintControls();
    });
    if (!s.dsf && m_printReview && !m_printReview()) {
        PrintMarks(m_browser->tree(), m_browser->projectImage()).clearAll();
        return;
    }
    QPrinter& target = printer();
    if (!preview && !choosePdfFile(target))
        return;
    processEvents();
    sbtnAbortPrint->setEnabled(true);

    BrowserUi& ui = *this;
    MemoPrintBuffer buffer(*tmpMemo);
    WindowPrintTarget pages(target, *tmpMemo, preview);
    // The preview printer's notifications, while it records and while the preview window prints: the
    // window shows them and lets messages run, so that either Abort Print button can be clicked.
    pages.onStatus = [this](const std::string& text) {
        Panel5->setText(QString::fromStdString(text));
        repaint();
        processEvents();
    };
    // Abort Print in either window stops the printing of recorded pages at the next page.
    pages.continuePrinting = [this] {
        processEvents();
        return !(m_printJobs && m_printJobs->abortRequested());
    };
    PrintJobs jobs(*m_browser, *m_viewer, buffer, pages, ui, *m_store);
    m_printJobs = &jobs;
    ScopeExit forget([this] {
        m_printJobs = nullptr;
        openDeferredDrops();
    });
    PrintInputGuard guard(*this, *sbtnAbortPrint);
    try {
        jobs.runMarked();
        if (!jobs.abortRequested()) {
            pages.finish();
            if (preview && pages.previewPrinter()) {
                sbtnAbortPrint->setEnabled(false);
                TPreviewPrinter& recorded = *pages.previewPrinter();
                if (m_previewRunner) {
                    m_previewRunner(recorded);
                } else {
                    std::unique_ptr<TPreviewForm> form = recorded.createPreviewForm();
                    connect(form.get(), &TPreviewForm::abortPrintRequested, this, &TfrmLrlDelphi::abortPrint);
                    // With no printer installed the preview's Print writes a PDF file: it is named as
                    // for direct printing, before the preview's own print runs on the click. Without a
                    // name (Cancel) that print fails with the printer's message.
                    connect(form->sbtnPrint, &QToolButton::pressed, form.get(), [this, &target] {
                        if (isPdfFilePrinter(target) && !choosePdfFile(target))
                            target.setOutputFileName(QString());
                    });
                    form->exec();
                }
                recorded.clear();
            }
        }
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::abortPrint()
{
    // The tree printout stops at its next page break.
    if (m_treePrinting) {
        m_treeAbortRequested = true;
        if (m_treePrinting->printerState() == QPrinter::Active)
            m_treePrinting->abort();
        return;
    }
    if (!m_printJobs)
        return;
    if (printer().printerState() == QPrinter::Active)
        printer().abort();
    m_printJobs->requestAbort();
    updatePrintControls();
}

void TfrmLrlDelphi::printHighlightedText()
{
    try {
        QPrinter& target = printer();
        if (!choosePdfFile(target))
            return;
        WindowPrintTarget pages(target, *SyntaxMemo1, false);
        PrintOptionValues values(*m_store);
        using M = PrintOptionValues::Margin;
        pages.setUp({ values.marginInches(M::Left), values.marginInches(M::Top),
            values.marginInches(M::Right), values.marginInches(M::Bottom) });
        const TSyntaxMemoOptions before = SyntaxMemo1->options();
        TSyntaxMemoOptions wrapped = before;
        wrapped.insert(smoWordWrap);
        SyntaxMemo1->setOptions(wrapped);
        ScopeExit restore([this, before] { SyntaxMemo1->setOptions(before); });
        SyntaxMemo1->printSelection(&target);
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::printerSetup()
{
    processEvents();
    QPrintDialog PrinterSetupDialog1(&printer(), this);
    PrinterSetupDialog1.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    PrinterSetupDialog1.exec();
}

} // namespace lrl
