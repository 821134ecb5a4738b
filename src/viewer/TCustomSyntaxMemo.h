#pragma once

#include "common/TPoint.h"
#include "scheme/ParserClient.h"
#include "scheme/TSM_Settings.h"
#include "viewer/TDisplayLine.h"
#include "viewer/TDrawLineInfo.h"
#include "viewer/TGutterPlan.h"
#include "viewer/TIncrementalScan.h"
#include "viewer/TParserScanSource.h"
#include "viewer/TRowLayout.h"
#include "viewer/TSM_Clipformat.h"
#include "viewer/TSM_CaretControl.h"
#include "viewer/TSyntaxMemoOptions.h"
#include "viewer/TSyntaxMemoParserSlots.h"
#include "viewer/TSyntaxMemoStrings.h"
#include "viewer/TTabStops.h"
#include "viewer/TTextStore.h"
#include "viewer/TTextStoreClient.h"
#include "viewer/TViewerMetrics.h"
#include "viewer/TWordWrap.h"
#include "viewer/WordTests.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lrl {

class Stream;
class TMetricsSource;
class TScanSource;
class TSyntaxMemoListener;
class TSyntaxMemoParser;
class TTextFeeder;

// The formats SaveToStream writes: plain text with line ends per SelLineStyle, rich text, HTML, or
// plain text with LF line ends.
enum TSaveFormat { sfTEXT, sfRTF, sfHTML, sfUNIX };

// Which scroll bars the window shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Told of every token the scan produces: its token value (the handler may change it; the changed value is
// stored) and its character offsets, end one past its last character. Before each scan it is called with
// -1 for all three, after it with -2.
using TTokenSeenEvent = std::function<void(class TCustomSyntaxMemo& sender, int& value, int start, int end)>;

// Writes the viewer's selection in a rich format (rich text or HTML) to a stream.
using TFormatWriter = std::function<void(class TCustomSyntaxMemo&, Stream&)>;

// The source viewer without its window: the text store it shows, the selection, loading and saving, the
// Lines view, the edit-control queries and the component's own queries (as methods), tab stops,
// bookmarks, options and the plain view state (top line, horizontal scroll column, rows in the window).
//
// The display model lives here too, so that a viewer without a window (the print buffer, tools, tests)
// scans, wraps and lays rows out exactly like the visible one: the incremental scan that keeps one token
// value per character current, word wrap, the metrics (from a TMetricsSource, or fallback sizes), the
// display settings, the row layout, position queries, scrolling and the caret control. The widget
// (TSyntaxMemo) paints what this class lays out; it listens through TSyntaxMemoListener and tells the
// model its client size, fonts and focus. Offsets count characters with each line-end CR as one; line
// numbers are 0-based node indexes; columns are 0-based display columns.
//
// A viewer scans with the scanner component bound to its active slot (bindParser, or setParser and
// setActiveParser): it attaches itself to the component, takes over its scheme's settings (fonts,
// colours, options, tab stops, the style map and the 256 style records) and, after every load, its
// fonts and styles again. Any number of viewers may share one component.
class TCustomSyntaxMemo : private TTextStoreClient, private ParserClient {
public:
    TCustomSyntaxMemo();
    // A viewer bound to the scanner component (Parser1, ActiveParser 1).
    explicit TCustomSyntaxMemo(TSyntaxMemoParser& parser);
    ~TCustomSyntaxMemo() override;
    TCustomSyntaxMemo(const TCustomSyntaxMemo&) = delete;
    TCustomSyntaxMemo& operator=(const TCustomSyntaxMemo&) = delete;

    // --- The text store (query 3096)
    TTextStore& textStore() { return *m_store; }
    const TTextStore& textStore() const { return *m_store; }
    // Shows the other viewer's store from now on (the two share its nodes); this viewer's own store is
    // freed when no other viewer shows it.
    void attachToStoreOf(TCustomSyntaxMemo& other);

    // A number that changes with every change of the text this viewer shows (edits, loads, word wrap
    // re-cutting nodes, another store): what is laid out from the text can be kept while it stays.
    uint64_t textGeneration() const { return m_textGeneration; }

    void addListener(TSyntaxMemoListener* listener);
    void removeListener(TSyntaxMemoListener* listener);

    // --- Settings, options (query 3073) and tab stops
    // The viewer's settings object (options, tab stops, fonts, colours, styles, key map). Changes go
    // through setSettings() or the setters below, so that the viewer can follow them.
    const TSM_Settings& settings() const { return m_settings; }
    // The key map of the settings, with the key filter's typing state.
    TKeyboardActionContoller& keyMap() { return m_settings.keys; }
    void setSettings(const TSM_Settings& settings);
    TSyntaxMemoOptions options() const { return TSyntaxMemoOptions(m_settings.options); }
    void setOptions(TSyntaxMemoOptions options);
    uint32_t optionBits() const { return options().bits(); }
    void setOptionBits(uint32_t bits) { setOptions(TSyntaxMemoOptions(bits)); }

    const TTabStops& tabStops() const { return m_tabs; }
    int tabDefault() const { return m_tabs.tabDefault(); }
    void setTabDefault(int width);
    std::string tabColumns() const { return m_tabs.tabColumns(); }
    void setTabColumns(std::string_view columns);
    int nextTabColumn(int column) const { return m_tabs.nextTabColumn(column); }
    // The display column of a character offset, and the offset at a display column of a line (never past
    // its CR; CharCount for the implied line after a final CR, -1 for a line that does not exist).
    int columnOfOffset(int offset) const;
    int offsetAtColumn(int line, int column) const;

    // --- Loading and saving
    // Raises EFOpenError "File '%s' cannot be opened for reading" for a missing file, and the stream-open
    // error of FileStream for a folder or an unreadable file; the text is unchanged then.
    void loadFromFile(const std::string& fileName);
    // Replaces the whole text with the stream's bytes from its position to its end, read as a file's are:
    // their encoding is detected (SourceDecoder, with LegacyCodePage for bytes in no Unicode form) and the
    // store keeps the decoded text and its code page. Running out of memory raises ESyntaxMemo "Not enough
    // memory for operation" and keeps what was read so far.
    void loadFromStream(Stream& in);
    // Loads a file's bytes already in memory the way loadFromStream does.
    void loadSource(std::string bytes);
    // The code page of bytes in no Unicode form (Windows-1252 unless set; pages the store cannot use
    // read as 1252).
    int legacyCodePage() const { return m_legacyCodePage; }
    void setLegacyCodePage(int codePage);
    // How the shown file was written, the code page of the stored text and the replaced characters.
    const SourceEncodingInfo& sourceEncoding() const { return m_store->encoding(); }
    int codePage() const { return m_store->codePage(); }
    // Declares the page of the stored text, for a viewer that is given text in another viewer's page
    // (setText, replaceSelection and the edits take bytes of the store's page as they are).
    void setCodePage(int codePage);
    // Declares how the stored text was decoded (its code page must be one the store can use).
    void setSourceEncoding(const SourceEncodingInfo& info);
    void saveToFile(const std::string& fileName);
    // Writes the whole text in SaveFormat; a null stream raises EFileSaveError "Bad TStream instance",
    // a stream that keeps taking fewer bytes than the text has "Could not save text to stream".
    void saveToStream(Stream* out);
    void saveToStream(Stream& out) { saveToStream(&out); }

    TSaveFormat saveFormat() const { return m_saveFormat; }
    void setSaveFormat(TSaveFormat format) { m_saveFormat = format; }
    // How line ends leave the text (SelLineStyle): lsCRLF as CR LF, lsLF as a single CR.
    TLineEndStyle selLineStyle() const { return m_store->lineEndStyle(); }
    void setSelLineStyle(TLineEndStyle style) { m_store->setLineEndStyle(style); }
    // The document title used by printing; LoadFromFile and SaveToFile set it with smoTitleAsFilename.
    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    // The writers of sfRTF and sfHTML (and of the rich-text and HTML flags of writeSelection): they write
    // the selection. Without one, saving in that format raises ESyntaxMemo.
    void setFormatWriter(TSaveFormat format, TFormatWriter writer);
    // Whether the viewer can write the format (plain formats always).
    bool hasFormatWriter(TSaveFormat format) const
    {
        return format == sfRTF ? bool(m_rtfWriter) : format == sfHTML ? bool(m_htmlWriter) : true;
    }
    // The formats the copy command puts on the clipboard (ClipCopyFormats); plain and rich text unless set.
    TSM_ClipFormats clipCopyFormats() const { return m_clipCopyFormats; }
    void setClipCopyFormats(TSM_ClipFormats formats) { m_clipCopyFormats = formats; }

    // --- The whole text
    // The text with line ends per SelLineStyle.
    std::string text() const;
    // The length of text().
    int textLength() const;
    // The characters from offset start up to, not including, end, line ends as single CRs (the text of a
    // token OnTokenSeen reports); offsets are clamped to the text.
    std::string textRange(int start, int end) const;
    // Loads a NUL-terminated text as LoadFromStream does, reading it in place; null loads an empty text.
    void setText(const char* text);
    void setText(const std::string& text) { setText(text.c_str()); }
    // Selects everything, replaces it with nothing and resets the undo log.
    void clear();
    TSyntaxMemoStrings& lines() { return *m_lines; }

    // --- Selection
    int selAnchor() const { return m_anchor; }
    int selCaret() const { return m_caret; }
    int selStart() const { return std::min(m_anchor, m_caret); }
    int selEnd() const { return std::max(m_anchor, m_caret); }
    // The selection's length; under lsCRLF each line-end CR inside it counts two, as in the CR LF form.
    int selLength() const;
    // Collapses the selection at the offset.
    void setSelStart(int offset);
    // Extends the selection from SelStart by a length counted like selLength().
    void setSelLength(int length);
    void selectAll() { setSelection(0, m_store->charCount()); }
    // The selected characters as stored (line ends as single CRs).
    std::string selText() const;

    // --- Edit-control queries
    int getLineCount() const; // LineCount, at least 1
    int lineIndex(int line) const; // -1: the caret's line; -1 answered when the line does not exist
    int lineLength(int offset) const; // without the CR; -1: the caret's line
    // Copies line `line` without its CR, never more than capacity characters and without a NUL; answers
    // the count (0 when the line has no node).
    int getLine(int line, char* buffer, int capacity) const;
    std::string lineText(int line) const;
    int lineFromChar(int offset) const; // -1: the caret's offset
    std::pair<int, int> getSel() const { return { selStart(), selEnd() }; }
    // start 0 with end -1 selects all; end -1 means the end of the text; start -1 drops the selection.
    void setSel(int start, int end);
    void replaceSel(std::string_view text) { replaceSelection(text); }
    bool getModify() const { return m_modified; }
    bool canUndo() const; // also query 3086
    void undo();
    void lineScroll(int columns, int lines);
    // Brings the caret into view (EM_SCROLLCARET): the top line moves until the caret's line is within
    // the window's rows; the scroll column moves in steps of 8 until the caret's column, and its pixel
    // position, are within the window; with word wrap a caret within the first screen width brings the
    // view back towards column 0. The scroll column never goes below 0.
    virtual void scrollCaret();

    // --- The component's own queries
    // 3072: the selection as (anchor, caret); setting clamps both ends to 0 ... CharCount, start -1 selects
    // all, and with repaint false the display is not asked to repaint.
    std::pair<int, int> selection() const { return { m_anchor, m_caret }; }
    void setSelection(int start, int end, bool repaint = true);
    // 3074: replaces the selection with raw text (normalised and split like loaded text); the caret goes
    // behind it. A null text deletes the selection.
    void replaceSelection(std::string_view text);
    void replaceSelection(const char* text)
    {
        replaceSelection(text ? std::string_view(text) : std::string_view());
    }
    // 3077: no scanning or painting while set.
    bool updateLocked() const { return m_updateLock; }
    void setUpdateLock(bool locked);
    // 3078: inserts a stream's bytes at the selection in the chunked way of a load.
    void readFromStream(Stream& in);
    // 3079: writes the selection; flags are the wf... bits of TPlainTextWriter.h.
    void writeSelection(Stream& out, unsigned flags);
    // 3080
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // 3081 / 3082: clamped to 0 ... LineCount - 1 and to 0 ... LongestLine - 1.
    int topLine() const { return m_topLine; }
    void setTopLine(int line);
    int scrollColumn() const { return m_scrollColumn; }
    void setScrollColumn(int column);
    // 3085: the selection as plain text (flags bit 0: CR LF line ends) into the buffer, at most capacity
    // characters; answers the full length.
    int renderSelection(char* buffer, int capacity, unsigned flags) const;
    // 3093: the undo log.
    TUndoStack& undoLog() { return m_store->undoLog(); }
    // 3091: copies token values (one byte per character, lines in order) into lines first ... last,
    // allocating missing arrays and marking each line for rescanning; 3092 copies them out (0 where a
    // line has none). Both stop at the buffer's end and answer the bytes copied.
    size_t setLineAttrs(int first, int last, const uint8_t* values, size_t size);
    size_t getLineAttrs(int first, int last, uint8_t* values, size_t size) const;

    // --- Bookmarks 0 ... 9; other numbers raise ESyntaxMemo "Bookmark index range error".
    // Sets bookmark n on the line holding the offset, at the offset's column in that line. A line that
    // word wrap or the node limit cut into several rows carries the bookmark on its first row, and the
    // column counts over all of its rows.
    void setBookmark(int n, int offset);
    void clearBookmark(int n);
    // The line of bookmark n, -1 when it is not set.
    int bookmarkLine(int n) const;
    // Puts the caret at the bookmark's column in its line, on whichever row that is (or at the line's end),
    // and scrolls the line to the middle of the window; answers false when the bookmark is not set.
    bool jumpToBookmark(int n);

    // --- View state
    int rowsInWindow() const { return m_rows; }
    void setRowsInWindow(int rows);
    int columnsInWindow() const { return m_columns; }
    void setColumnsInWindow(int columns) { m_columns = columns < 1 ? 1 : columns; }
    // The column vertical caret moves keep.
    int rememberedColumn() const { return m_rememberedColumn; }
    void setRememberedColumn(int column) { m_rememberedColumn = column; }
    // Repainting on or off (Lines.BeginUpdate / EndUpdate); switching it on asks for a full repaint.
    bool redraw() const { return m_redraw; }
    void setRedraw(bool on);
    bool isLoading() const { return m_loading; }
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // --- Word tests (fn_CharIsInWord, fn_CharStartsWord): what whole-word search and word selection take
    // for a word character; a handler that is set replaces the built-in test.
    WordTests& wordTests() { return m_wordTests; }
    const WordTests& wordTests() const { return m_wordTests; }

    // --- Scanners
    const TSyntaxMemoParserSlots& parsers() const { return m_parsers; }
    // Parser1 ... Parser6: binds a scanner component to a slot (null empties it; other indexes are
    // ignored). The viewer attaches itself to the component; bound to the active slot, the component's
    // scheme settings become the viewer's and the text is scanned again. A component that no slot holds
    // any more lets the viewer go; one that is destroyed empties the slots that hold it.
    void setParser(int index, TSyntaxMemoParser* parser);
    TSyntaxMemoParser* parser(int index) const { return m_parsers.parser(index); }
    // ActiveParser (1 ... 6, others ignored): the slot whose component scans; a newly active component's
    // scheme is taken over.
    int activeParser() const { return m_parsers.activeIndex(); }
    void setActiveParser(int index);
    // Parser1 := parser, ActiveParser := 1: how the program binds its viewers to its scanner.
    void bindParser(TSyntaxMemoParser& parser);

    // --- Metrics and geometry
    // Where the metrics come from (the widget's fonts); null: 7 and 17 pixels, no leading, no fixed pitch.
    void setMetricsSource(TMetricsSource* source);
    TMetricsSource* metricsSource() const { return m_metricsSource; }
    // Measures again (the device's fonts changed); rows, columns and word wrap follow.
    void recomputeMetrics();
    const TViewerMetrics& metrics() const { return m_metrics; }
    // The client area in pixels; rows and columns in the window follow, and with word wrap at the window
    // edge a new width re-wraps the text.
    void setClientSize(int width, int height);
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    // The width of a vertical scroll bar, which word wrap at the window edge keeps free twice.
    void setScrollBarWidth(int width);
    // The left edge of the text: Margin, plus Gutter when smoShowGutter is on.
    int textLeft() const;
    // The width word wrap cuts rows at: WrapAtColumn average character widths, or the client width less
    // the text's left edge and two scroll bar widths; at least 1 (a width below 1 counts as 8).
    int wrapWidth() const;

    // --- Display settings (kept in settings(); setting one repaints)
    const TSM_Font& textFont() const { return m_settings.font; }
    // Copies the font's name, size and character set into the settings (and into the bound scanner's,
    // so that its style fonts follow); metrics and word wrap follow.
    void setTextFont(const TSM_Font& font);
    const TSM_GutterFont& gutterFont() const { return m_settings.gutterFont; }
    void setGutterFont(const TSM_GutterFont& font);
    int gutter() const { return m_settings.gutterWidth; }
    // Refused (answers false, nothing changes) when the window has no width yet, for a negative value or
    // one from 1 to 33, and for more than 20% of the client width. 0 hides the gutter.
    bool setGutter(int width);
    int margin() const { return m_settings.marginWidth; }
    // Refused for a negative value or one wider than the average character.
    bool setMargin(int width);
    int32_t gutterColor() const { return m_settings.gutterColor; }
    void setGutterColor(int32_t color);
    int32_t marginColor() const { return m_settings.marginColor; }
    void setMarginColor(int32_t color);
    int rightMargin() const { return m_settings.rightMargin; }
    void setRightMargin(int column);
    int wrapAtColumn() const { return m_settings.wrapAtColumn; }
    void setWrapAtColumn(int column);
    const std::string& wrapOverride() const { return m_settings.wrapOverride; }
    void setWrapOverride(const std::string& chars);
    int32_t selTextColor() const { return m_settings.selTextColor; }
    void setSelTextColor(int32_t color);
    int32_t selTextBack() const { return m_settings.selTextBack; }
    void setSelTextBack(int32_t color);
    bool showFocusLine() const { return m_showFocusLine; }
    void setShowFocusLine(bool on);
    bool hideSelection() const { return m_hideSelection; }
    void setHideSelection(bool on);
    TScrollStyle scrollBars() const { return m_scrollBars; }
    void setScrollBars(TScrollStyle bars);
    // The window's state as far as painting depends on it.
    bool focused() const { return m_focused; }
    void setFocused(bool focused);
    bool viewerEnabled() const { return m_enabled; }
    void setViewerEnabled(bool enabled);
    // Overwrite mode (the Ins key): with smoBlockOverwriteCursor the caret is a block.
    bool overwrite() const { return m_overwrite; }
    void setOverwrite(bool on);

    // --- Scanning
    TTokenSeenEvent OnTokenSeen;
    // The scanner the scan drives: the one set here, or else the active bound scanner component (none
    // when its scheme needs "match" handlers it does not have). None is consulted while a load runs.
    void setScanSource(TScanSource* source) { m_scanSource = source; }
    TScanSource* scanSource() const;
    // Brings the token values up to date: scans from every node marked for rescanning until none is left.
    // Nothing is scanned without a scanner, with smoSyntaxHighlight off, while updates are locked, or
    // while the scanner is busy with another viewer's scan.
    void rescan();
    // What runs before painting: word wrap of text changed since, then the scan.
    void prepareDisplay();
    // Asks for a scan that starts at the line and may not stop there.
    void scanFrom(int line);
    // Scans from the first node (before printing or export).
    void fullScan() { scanFrom(0); }

    // --- Word wrap
    TWordBreakProc OnWordBreakProc;
    // Re-cuts every logical line (after the text was rescanned).
    void rewrapAll();

    // --- Rows
    // The number shown for the logical line that node `line` belongs to: with word wrap, 1 + the
    // CR-ended nodes before it; without, line + 1.
    int lineNumberOf(int line) const;
    // Lays out the row of a node for the screen (display line, selection, runs, end fill); the display
    // line stays readable through displayLine() until the next call.
    void layoutRow(const TNodePos& row, TRowPlan& plan);
    const TDisplayLine& displayLine() const { return m_displayLine; }
    // The painter has drawn the row of this node: clears its marks for repainting and rescanning (Flags
    // bits 0, 1 and 4), so that the row counts as changed only when something changes it again. The
    // rescan marks stay while a scan is still to read them (one that could not run before this paint).
    void rowPainted(TLineNode& node) const;
    // The gutter of a row (null node: a row below the text).
    TGutterPlan gutterPlan(const TNodePos& row) const;
    // How rows are coloured apart from their styles.
    TRowColoring rowColoring(const TNodePos& row) const;
    // Whether the selection is drawn now (not empty, and the window has focus or HideSelection is off).
    bool selectionShown() const;
    // The x of the right-margin line (smoShowRMargin) and of the dotted wrap-column line (smoWordWrap,
    // smoShowWrapColumn, WrapAtColumn >= 1): text left edge + (column - scroll column) x average
    // character width; -1 when the line is off or its column is not in view.
    int rightMarginX() const;
    int wrapColumnX() const;
    TDrawLineEvent OnDrawLine;

    // --- Positions
    int firstVisibleLine() const { return topLine(); } // EM_GETFIRSTVISIBLELINE
    // EM_POSFROMCHAR: the client position of the character's top-left corner (rows above the top line
    // give negative y).
    TPoint posFromChar(int offset);
    // EM_CHARFROMPOS: the offset of the character at a client position, -1 outside the text area
    // (left of the text, or outside the client area). Below the text answers the last line.
    int charFromPos(TPoint pos);
    // Where the caret is drawn: its character's position, or, past the end of its line (fixed pitch
    // with smoCaretAfterEOL), the remembered column's.
    TPoint caretPos();
    // The caret's width: 2, or in overwrite mode with smoBlockOverwriteCursor the width of the
    // character under it (the average width past the text).
    int caretWidth();
    TSM_CaretControl& caretControl() { return m_caretControl; }

    // --- Scrolling
    void scrollLines(int lines) { setTopLine(topLine() + lines); }
    void scrollPages(int pages) { scrollLines(pages * std::max(rowsInWindow(), 1)); }
    void scrollColumns(int columns) { setScrollColumn(scrollColumn() + columns); }

private:
    friend class TSyntaxMemoStrings;

    void textStoreChanged(const TTextChange& change) override;
    void bookmarksChanged() override;
    void textStoreDestroyed() override { }

    // ParserClient
    void parserActivated(TSyntaxMemoParser& parser) override;
    void parserDetached(TSyntaxMemoParser& parser) override;
    bool holdsParser(const TSyntaxMemoParser& parser) const;
    // Takes over all of the scheme's settings and scans the whole text again.
    void takeScheme(TSyntaxMemoParser& parser);
    // Takes over the scheme's fonts and styles (after a load).
    void takeSchemeStyles(const TSyntaxMemoParser& parser);

    void notify(const std::function<void(TSyntaxMemoListener&)>& call);
    void clampView();
    // setScrollColumn with `limit` in place of LongestLine: scrolling to the caret may go as far as the
    // caret's column, which TABs can put beyond the longest line's length in characters.
    void scrollToColumn(int column, int limit);
    void markForRepaint(int from, int to);
    void checkBookmark(int n) const;
    void tabsChanged();
    void editScoped(const std::function<void(TTextFeeder&)>& feed);
    void loadScoped(const std::function<void()>& read);
    int64_t writeCounted(Stream& out, unsigned flags);
    // Appends lines after the text as Lines.AddStrings does.
    void appendLines(const std::vector<std::string>& list);

    std::shared_ptr<TTextStore> m_store;
    uint64_t m_textGeneration = 0;
    std::unique_ptr<TSyntaxMemoStrings> m_lines;
    std::vector<TSyntaxMemoListener*> m_listeners;
    TSM_Settings m_settings;
    TTabStops m_tabs; // the tab stops of m_settings, ready for the column walks
    TSyntaxMemoParserSlots m_parsers;
    WordTests m_wordTests;
    TFormatWriter m_rtfWriter;
    TFormatWriter m_htmlWriter;

    int m_anchor = 0;
    int m_caret = 0;
    int m_topLine = 0;
    int m_scrollColumn = 0;
    int m_rows = 40;
    int m_columns = 80;
    int m_rememberedColumn = 0;
    bool m_modified = false;
    bool m_updateLock = false;
    bool m_redraw = true;
    bool m_loading = false;
    bool m_editing = false;
    bool m_readOnly = true;
    TSaveFormat m_saveFormat = sfTEXT;
    TSM_ClipFormats m_clipCopyFormats { smTEXT, smRTF };
    std::string m_title;

    // Display
    void displayTextChanged(const TTextChange& change);
    void displayTextLoaded(bool complete);
    void afterEdit();
    void settingsChanged(const TSM_Settings& old);
    void optionsApplied(TSyntaxMemoOptions old);
    void geometryChanged();
    void layoutChanged(bool rewrap);
    void updateWindowSize();
    void lowerScanHint(int line) { m_scanHint = m_scanHint < 0 ? line : std::min(m_scanHint, line); }
    void processPendingWrap();
    void rewrapRange(int from, int to);
    TWrapParams wrapParams();
    void invalidateLineNumbers() { m_numbered = {}; }
    int columnX(const TDisplayLine& line, int column) const;
    int guideX(int column) const;
    void repaintAll();

    TMetricsSource* m_metricsSource = nullptr;
    TViewerMetrics m_metrics;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_scrollBarWidth = 16;
    bool m_showFocusLine = false;
    bool m_hideSelection = true;
    TScrollStyle m_scrollBars = ssBoth;
    bool m_focused = false;
    bool m_enabled = true;
    bool m_overwrite = false;

    TScanSource* m_scanSource = nullptr;
    mutable std::optional<TParserScanSource> m_parserSource; // over the active bound component
    TIncrementalScan m_scan;
    int m_scanHint = 0; // no node before this line is marked for rescanning; -1: none at all
    bool m_scanning = false;

    TWordWrap m_wrap;
    bool m_wrapping = false;
    int m_wrapFrom = -1; // offsets of changed text still to be re-wrapped; -1: none
    int m_wrapTo = -1;

    TDisplayLine m_displayLine;
    TSM_CaretControl m_caretControl { *this };
    // A node line with its logical line number, the start for counting line numbers.
    mutable TNodePos m_numbered;
    mutable int m_numberedValue = 0;

    int m_legacyCodePage = CodePage::kDefault;
    int m_metricsCodePage = CodePage::kDefault; // the page the metrics source measures in
    // Tells the metrics source of a new code page of the text and measures again.
    void followCodePage();
    // The load's fixed buffers: the raw chunk and the normalised chunk.
    std::vector<uint8_t> m_rawBuffer;
    std::vector<uint8_t> m_workBuffer;
};

} // namespace lrl
