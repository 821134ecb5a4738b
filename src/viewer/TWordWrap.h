#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace lrl {

class TTextStore;
class TTabStops;
class TViewerMetrics;

// Replaces the word-break rule of word wrap: given a logical line (length characters, its CR included
// when it ends a line), the start of the row being cut and the end the width allows, answers where the
// row ends. The answer is kept within the row (at least one character, at most the row's limit).
using TWordBreakProc = std::function<int(const char* text, int length, int rowStart, int end)>;

// How word wrap cuts lines.
struct TWrapParams {
    bool wordWrap = false; // smoWordWrap
    bool wrapOverride = false; // smoWrapOverride
    std::string_view overrideChars; // WrapOverride: first characters that exempt a line
    int wrapWidth = 8; // pixels
    const TViewerMetrics* metrics = nullptr;
    uint8_t fontStyle = 0; // the default style's font
    const TTabStops* tabs = nullptr;
    const TWordBreakProc* breakProc = nullptr;
    // The token values of the text are current (a scan ran just before): rows that keep them need no
    // rescan.
    bool valuesCurrent = false;
};

// What a rewrap did: the lines first ... lastBefore were replaced by first ... lastAfter (lines are node
// indexes), and whether any node changed.
struct TWrapResult {
    int first = 0;
    int lastBefore = -1;
    int lastAfter = -1;
    bool changed = false;
};

// Word wrap: re-cuts logical lines (a CR-ended node with the continuation nodes before it) into row
// nodes.
//
// A logical line of fewer than 2048 characters stays one node when word wrap is off, or when wrap
// override is on and its first character is one of WrapOverride; longer ones are then cut into pieces of
// 2047 characters as loading cuts them. Otherwise the line is cut into rows no wider than the wrap width,
// measured with the default style's advances (a TAB counts as the blank columns up to its next tab stop,
// counted from the row's start), and no longer than 2047 characters. The row end then moves to a word
// boundary: a break character is any byte up to 32 or 160; when the character at the end is one, the row
// takes the break characters that follow; otherwise it ends just after the last break character in the
// row, unless there is none. A row holds at least one character.
//
// The first row keeps the line's bookmarks, gutter marks, line colours and track object; every further
// row carries only the continuation bit (4096) in BookmarkBits. New rows are marked for repaint.
class TWordWrap {
public:
    static bool isBreakChar(char c)
    {
        auto u = static_cast<unsigned char>(c);
        return u <= 32 || u == 160;
    }

    // The row lengths of one logical line.
    static void cutLine(const char* text, int length, const TWrapParams& params, std::vector<int>& rows);

    // Re-cuts the logical lines that hold any offset from `from` to `to` (both included).
    TWrapResult rewrap(TTextStore& store, const TWrapParams& params, int from, int to);

private:
    std::vector<int> m_rows;
    std::vector<char> m_text;
    std::vector<uint8_t> m_values;
};

} // namespace lrl
