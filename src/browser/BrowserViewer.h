#pragma once

#include "common/SourceEncoding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

class TokenSink;

// What the browser needs of the viewer that shows the files (the visible viewer of the main window):
// loading a file while its tokens are reported, reading token texts back, and the few display switches
// an open touches.
class BrowserViewer {
public:
    virtual ~BrowserViewer() = default;

    // Replaces the viewer's text by the file's. While a sink is set, every token of the new text is
    // reported to it, in text order, before load returns. Raises lrl::Exception when the file cannot
    // be read.
    virtual void load(const std::string& path) = 0;
    // The sink load reports to; null for none.
    virtual void setTokenSink(TokenSink* sink) = 0;
    // The characters from start up to, not including, end of the current text, as UTF-8 (whatever code
    // page the text is stored in).
    virtual std::string tokenText(int32_t start, int32_t end) const = 0;
    // The lines of the text as the file has them: a line longer than a viewer row, or cut into rows by
    // word wrap, counts once. Asked for every token during a load, so it must be cheap.
    virtual int lineCount() const = 0;
    // Characters in the text, each line end counting one.
    virtual int32_t textLength() const = 0;
    virtual void clear() = 0;
    // Line updates (painting, wrapping, scroll ranges) are held between these two calls.
    virtual void suspendLineUpdates() = 0;
    virtual void resumeLineUpdates() = 0;
    virtual void setWordWrap(bool on) = 0;
    virtual void setFocusLineVisible(bool on) = 0;

    // Replaces the text by text, read as a file's content is (no tokens reported).
    virtual void loadText(const std::string& text) = 0;
    // Clears the viewer, adds the lines and puts the selection start at 0. The lines' encoding is
    // detected as a file's is, over all of them.
    virtual void setLines(const std::vector<std::string>& lines) = 0;
    // The code page of files whose bytes are in no Unicode form, for the loads that follow.
    virtual void setLegacyCodePage(int codePage) { (void)codePage; }
    // How the text shown now was written, and what was replaced when it was decoded.
    virtual SourceEncodingInfo sourceEncoding() const { return {}; }
    // Puts the selection start, and with it the caret, at the character offset and scrolls the caret's
    // line into view.
    virtual void moveCaretTo(int32_t offset) = 0;
    // Selects the characters from start up to end (the caret at end), keeps the selection drawn while
    // another control has the focus, and scrolls so that the line holding start stands near the top of
    // the view, a few lines of what comes before it above.
    virtual void showSelectionNearTop(int32_t start, int32_t end) = 0;
};

} // namespace lrl
