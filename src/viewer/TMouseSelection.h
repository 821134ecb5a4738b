#pragma once

#include "common/TPoint.h"

#include <cstdint>
#include <functional>

namespace lrl {

class TCustomSyntaxMemo;

// How the left mouse button selects text in a viewer: click states (single, double, triple and the
// press after a triple click) decided by the double-click time, gutter clicks, row selection in the left
// margin, Shift-clicks, the word selection of a double click, a pending drag inside the selection that
// becomes a drag of the text out of the viewer, the selection following the pointer with auto-scroll
// outside the text area, hover and drag of the right-margin and wrap-column lines, and hover over
// hyperlink-style text.
//
// Positions are client pixels of the viewer (what its charFromPos takes), times are milliseconds. The
// window layer feeds the events and shows the results: cursor(), guideX(), and a timer calling
// autoScroll() while autoScrolling().
class TMouseSelection {
public:
    enum ClickState { csSingle = 1, csDouble = 2, csTriple = 3, csAfterTriple = 4 };
    enum class Cursor { Text, Hyperlink, MarginDrag };
    enum class MarginLine { None, RightMargin, WrapColumn };

    TMouseSelection(TCustomSyntaxMemo& memo, int doubleClickTime);

    // A press of the left button.
    void press(TPoint pos, bool shift, int64_t time);
    // The platform's double-click notification, after the press it belongs to.
    void doubleClick(TPoint pos);
    // A move; leftDown says whether the left button is held.
    void move(TPoint pos, bool leftDown);
    // The release of the left button.
    void release(TPoint pos);
    // One step of auto-scroll: a line or a column towards the pointer, the selection end following.
    void autoScroll();

    int clickState() const { return m_clickState; }
    bool selecting() const { return m_selecting; }
    bool dragPending() const { return m_dragPending; }
    bool dragging() const { return m_dragging; }
    bool autoScrolling() const { return m_selecting && outsideText(m_last); }
    MarginLine hoveredLine() const { return m_hover; }
    MarginLine draggedLine() const { return m_dragLine; }
    // The x of the guide line while a margin line is dragged, -1 otherwise.
    int guideX() const { return m_dragLine == MarginLine::None ? -1 : m_guideX; }
    Cursor cursor() const { return m_cursor; }

    // The pointer must move this many pixels from the press before a pending drag starts.
    void setDragDistance(int pixels) { m_dragDistance = pixels; }
    int doubleClickTime() const { return m_doubleClickTime; }

    // A press in the gutter, with the line under the pointer (under word wrap the first row of its
    // logical line).
    std::function<void(TCustomSyntaxMemo& sender, int line)> OnGutterClick;
    // Replaces the row selection of a triple click: the press position and the character offset under it.
    std::function<void(TCustomSyntaxMemo& sender, TPoint pos, int offset)> OnTripleClick;
    // The pointer rests on a character of a hyperlink style.
    std::function<void(TCustomSyntaxMemo& sender, int offset)> OnHyperlinkHover;
    // Drags the selected text out of the viewer and answers when the drop has ended. A read-only viewer
    // offers copying only, so the text always stays.
    std::function<void(TCustomSyntaxMemo& sender)> OnStartDrag;

private:
    void updateClickState(int line, int64_t time);
    void selectRow(int offset);
    void follow(TPoint pos);
    void hover(TPoint pos);
    void startDrag();
    bool outsideText(TPoint pos) const;
    int lineAt(TPoint pos) const;
    int columnAt(int x) const;
    int offsetAtClamped(TPoint pos) const;

    TCustomSyntaxMemo& m_memo;
    int m_doubleClickTime;
    int m_dragDistance = 0;

    int m_clickState = csAfterTriple;
    int64_t m_lastPressTime = 0;
    bool m_pressedBefore = false;
    int m_lastPressLine = -1;

    bool m_selecting = false;
    bool m_dragPending = false;
    bool m_dragging = false;
    TPoint m_pressPos;
    TPoint m_last;

    MarginLine m_hover = MarginLine::None;
    MarginLine m_dragLine = MarginLine::None;
    int m_dragColumn = 0;
    int m_guideX = -1;
    Cursor m_cursor = Cursor::Text;
};

} // namespace lrl
