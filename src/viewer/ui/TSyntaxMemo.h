#pragma once

#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TSyntaxMemoListener.h"
#include "viewer/print/TPrintLayout.h"
#include "viewer/ui/TDeviceFonts.h"
#include "viewer/ui/THeaderFooterEvent.h"
#include "viewer/ui/TPrintRenderData.h"
#include "viewer/ui/TStyleFonts.h"
#include "viewer/ui/ViewerColors.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QImage>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace lrl {

class TSyntaxMemoController;
class TSyntaxMemoInput;

// The source viewer widget: a scroll area whose viewport paints the rows the model (TCustomSyntaxMemo)
// lays out: gutter with line numbers and glyphs, left margin, text runs in their styles' fonts and
// colours, selection, end-of-row fill, right-margin and wrap-column lines, the marks of smoShowAllChars,
// the focus line and the caret. Text is drawn as Windows-1252; every character advances by the model's
// metrics, so all styles of a fixed-pitch font stay on one grid.
//
// Nothing needs the widget to be shown: a hidden viewer (the print buffer) loads, scans and wraps like
// the visible one. Input beyond focus, the wheel and the scroll bars goes to a TSyntaxMemoController.
class TSyntaxMemo : public QAbstractScrollArea, public TCustomSyntaxMemo, private TSyntaxMemoListener {
    Q_OBJECT
public:
    explicit TSyntaxMemo(QWidget* parent = nullptr);
    // A viewer bound to the scanner component (Parser1, ActiveParser 1): it scans with the component's
    // scheme and shows its styles. The program's shown viewer and its hidden print buffer are both made
    // this way over the one component that createShippedParser() gives.
    explicit TSyntaxMemo(TSyntaxMemoParser& parser, QWidget* parent = nullptr);
    ~TSyntaxMemo() override;

    // The input handler asked first for keys and mouse (not owned; null for none).
    void setController(TSyntaxMemoController* controller) { m_controller = controller; }
    TSyntaxMemoController* controller() const { return m_controller; }
    // The viewer's own keyboard map and mouse selection, installed as the controller when created.
    TSyntaxMemoInput& input() { return *m_input; }

    // Paints the rows that meet `area` (viewport coordinates): what a paint event of the viewport does.
    void paintView(QPainter& painter, const QRect& area);
    // The viewport as it looks now.
    QImage renderView();

    // The screen colour of a stored colour value (system colours from the widget's palette).
    QColor color(int32_t value) const;
    // A text colour and its background as painted (see viewerColors: on a dark palette never one from
    // the palette and one fixed).
    ViewerColorPair colorPair(int32_t text, int32_t back) const;
    TStyleFonts& styleFonts() { return m_fonts; }

    // The caret's rectangle in viewport coordinates, and whether it is drawn now (focus, blink phase).
    QRect caretRect();
    bool caretShown() const { return m_caretOn && hasFocus(); }

    // The model's scrollCaret, then the scroll bars follow.
    void scrollCaret() override;

    // The copy command: the selection to the clipboard in the formats of ClipCopyFormats.
    void copyToClipboard();

    // --- Printing (TSyntaxMemoPrint.cpp)
    // Replaces the built-in page header and footer when assigned.
    THeaderFooterEvent OnPrintHeaderFooter;
    // Asked before each page of direct printing but the first: false ends the document there, with the
    // pages printed so far (a printer cannot withdraw a document once begun). Unset, every page prints.
    std::function<bool()> continuePrinting;
    // Direct printing draws all text black on white (on by default).
    bool monoPrint() const { return m_monoPrint; }
    void setMonoPrint(bool on) { m_monoPrint = on; }
    // The text rectangle of direct printing, in printer pixels from the printable area's top-left
    // corner; until set, the whole printable area.
    void setPrintRect(const TRect& rect) { m_printRect = rect; }
    const std::optional<TRect>& printRect() const { return m_printRect; }
    // The printer direct printing uses when given none: the system's default printer, or where no
    // printer is installed a PDF file printer (whose output file the caller names), with Qt's default
    // page margins.
    QPrinter& printer();
    // Prints the whole text as one printer document, titled Title. Raises ESyntaxMemo when the printer
    // cannot start the document or a page; the document is ended and the screen state kept in any case.
    void printDocument(QPrinter* printer = nullptr);
    // Prints the lines that hold the selection, numbered as in the whole text: from the selection
    // start's line to the selection end's (not that line when the selection ends at its start).
    void printSelection(QPrinter* printer = nullptr);
    // Brackets the pages of one recorded document (nested calls count): inside, the viewer stays marked
    // as printing, so that the rows are repainted once at the end instead of after every page.
    void beginPrintPass();
    void endPrintPass();
    // Draws page pageNo (from 1) of the whole text onto the canvas within rect (its device's pixels, fonts
    // sized for its device's resolution); answers whether a page pageNo + 1 exists. The pages are laid
    // out once per text, page rectangle, resolution and print options, so drawing page n costs page n.
    bool renderPrintPage(QPainter& canvas, const TRect& rect, int pageNo);
    // While a print or a page rendering runs.
    bool isPrinting() const { return m_printing; }
    // The pages the last printDocument or printSelection printed.
    int printedPages() const { return m_printedPages; }
    // How often the text was laid out on pages for renderPrintPage (for tests of the caching).
    int printLayouts() const { return m_printLayout.layouts(); }

signals:
    // The selection or the caret moved.
    void selChange();
    // The text changed (a load, an edit, Lines.SetText).
    void change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    // The model scrolls; the scroll bars only tell it where to.
    void scrollContentsBy(int, int) override { }

private:
    // TSyntaxMemoListener
    void textChanged(TCustomSyntaxMemo&, const TTextChange&) override;
    void textLoaded(TCustomSyntaxMemo&) override;
    void changed(TCustomSyntaxMemo&) override { emit change(); }
    void selectionChanged(TCustomSyntaxMemo&) override;
    void viewChanged(TCustomSyntaxMemo&) override;
    void repaintNeeded(TCustomSyntaxMemo&) override;
    void optionsChanged(TCustomSyntaxMemo&, TSyntaxMemoOptions) override;

    void updateScrollBars();
    void updateMarkedRows();
    bool painting() const { return redraw() && !updateLocked(); }
    void restartCaret();

    void paintGutter(QPainter& p, const TNodePos& row, int y);
    void paintText(QPainter& p, const TNodePos& row, int y);
    void drawAllCharsMarks(QPainter& p, const TRunPlan& run, const TDisplayLine& line, int y);
    void paintGuides(QPainter& p, int top, int bottom);
    void paintFocusAndCaret(QPainter& p);

    TStyleFonts m_fonts;
    TSyntaxMemoController* m_controller = nullptr;
    TRowPlan m_plan;
    QBasicTimer m_blink;
    bool m_caretOn = true;
    // Where the caret was last drawn (empty: nowhere): a move repaints it there, also on a row that has
    // no line node (the empty line after a final line end), which no row mark would repaint.
    QRect m_caretDrawnAt;
    bool m_syncing = false; // setting the scroll bars from the model
    std::unique_ptr<TSyntaxMemoInput> m_input;

    // Printing
    void printRange(QPrinter* printer, const TPrintRange& range);
    // Renders what the request asks for onto its canvas; with a printer, pages after the first start
    // new printer pages.
    void render(TPrintRenderData& data, QPrinter* printer);
    bool m_monoPrint = true;
    bool m_printing = false;
    int m_printedPages = 0;
    std::optional<TRect> m_printRect;
    std::unique_ptr<QPrinter> m_printer;
    TDeviceFonts m_printerFonts; // direct printing
    TDeviceFonts m_canvasFonts; // page rendering
    TPrintLayout m_printLayout;
    int m_printPasses = 0;
    bool m_printingBeforePass = false;
    friend class TPrintingMark;
};

} // namespace lrl
