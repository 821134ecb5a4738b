#pragma once

#include "browser/PrintJobTarget.h"
#include "browser/SyntaxMemoBrowserViewer.h"

#include <functional>
#include <memory>
#include <string>

class QPrinter;

namespace lrl {

class TPreviewPrinter;
class TSyntaxMemo;

// The hidden print buffer tmpMemo as the print jobs see it.
class MemoPrintBuffer : public PrintBuffer {
public:
    explicit MemoPrintBuffer(TSyntaxMemo& memo);
    BrowserViewer& text() override { return m_text; }
    void setPrintOptions(const PrintBufferOptions& options) override;
    void setTitle(const std::string& title) override;
    TSyntaxMemo& memo() { return m_memo; }

private:
    TSyntaxMemo& m_memo;
    SyntaxMemoBrowserViewer m_text;
};

// Where the window's print jobs go: each piece prints itself on the printer as a document of its own,
// or its pages are recorded by the preview printer. A PDF file printer (no printer installed) gets all
// pieces of a job as one document: they are recorded and printed together by finish(), so that one
// piece does not overwrite the file of the one before.
class WindowPrintTarget : public PrintTarget {
public:
    // printer: the system printer; viewer: the viewer whose print area the set-up gives (the buffer,
    // or the shown viewer for highlighted text).
    WindowPrintTarget(QPrinter& printer, TSyntaxMemo& viewer, bool preview);
    ~WindowPrintTarget() override;

    PrintPageRect setUp(const PrintMargins& margins) override;
    bool previewing() const override { return m_preview; }
    int textWidth(const std::string& text) override;
    void send(PrintBuffer& buffer) override;

    // Prints what was recorded for a PDF file printer; nothing for the other cases.
    void finish();
    TPreviewPrinter* previewPrinter() { return m_previewPrinter.get(); }
    // The preview printer's status notifications.
    std::function<void(const std::string&)> onStatus;
    // Asked between the pages of a document, printed directly or from its recording; false stops it
    // there.
    std::function<bool()> continuePrinting;

private:
    bool recording() const;

    QPrinter& m_printer;
    TSyntaxMemo& m_viewer;
    bool m_preview;
    std::unique_ptr<TPreviewPrinter> m_previewPrinter;
};

// Whether printer writes a PDF file rather than to a printer queue.
bool isPdfFilePrinter(const QPrinter& printer);

} // namespace lrl
