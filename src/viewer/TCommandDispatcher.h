#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lrl {

class TCustomSyntaxMemo;

// Runs the editor commands of the keyboard map on a viewer, with the behaviour of the read-only viewer:
// caret moves (collapsing the selection, or with extend keeping its anchor), copy, the insert/overwrite
// toggle, bookmarks, print selection and scrolling by one line. The word deletions only select the
// word; the other editing commands do nothing.
//
// What needs the platform (the clipboard, printing) goes out through the handlers below.
class TCommandDispatcher {
public:
    explicit TCommandDispatcher(TCustomSyntaxMemo& memo);

    // Runs command number `command`; unknown numbers do nothing.
    void execute(int32_t command, bool extend);

    // Copy: the selection as plain text with CR LF line ends; not called for an empty selection.
    std::function<void(TCustomSyntaxMemo& sender, const std::string& text)> OnCopy;
    // Print selection: printing fills this in; without a handler the command does nothing.
    std::function<void(TCustomSyntaxMemo& sender)> OnPrintSelection;
    // A numbered bookmark was set (not when the command removed it).
    std::function<void(TCustomSyntaxMemo& sender, int bookmark)> OnBookmarkSet;

private:
    void moveTo(int offset, bool extend, bool keepColumn = false);
    void moveVertically(int lines, bool extend);
    void scrollUpOneLine(bool extend);
    void scrollDownOneLine(bool extend);
    void toggleBookmark(int n);
    void copy();
    int lastLine() const;

    TCustomSyntaxMemo& m_memo;
};

} // namespace lrl
