#pragma once

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

namespace lrl {

class TSyntaxMemo;

// Input handling plugged into the viewer widget: the key map and mouse selection live in a controller
// that the widget asks first. A handler answers true when it took the event; otherwise the widget does
// its default (focus, scroll keys of the scroll area).
class TSyntaxMemoController {
public:
    virtual ~TSyntaxMemoController() = default;

    virtual bool keyPress(TSyntaxMemo&, QKeyEvent*) { return false; }
    virtual bool keyRelease(TSyntaxMemo&, QKeyEvent*) { return false; }
    // Positions are in viewport coordinates (TCustomSyntaxMemo::charFromPos takes them as they are).
    virtual bool mousePress(TSyntaxMemo&, QMouseEvent*) { return false; }
    virtual bool mouseMove(TSyntaxMemo&, QMouseEvent*) { return false; }
    virtual bool mouseRelease(TSyntaxMemo&, QMouseEvent*) { return false; }
    virtual bool mouseDoubleClick(TSyntaxMemo&, QMouseEvent*) { return false; }
    virtual void focusChanged(TSyntaxMemo&, bool /*focused*/) { }
};

} // namespace lrl
