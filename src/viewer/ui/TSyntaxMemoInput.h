#pragma once

#include "viewer/TCommandDispatcher.h"
#include "viewer/TMouseSelection.h"
#include "viewer/ui/TSyntaxMemoController.h"

#include <QElapsedTimer>
#include <QTimer>

class QWidget;

namespace lrl {

class TSyntaxMemo;

// The viewer widget's keyboard and mouse: key presses go through the viewer's keyboard map to the
// command dispatcher, left-button events to the mouse selection. Also the platform side of both: copy to
// the clipboard (plain text with CR LF line ends, and rich text when the viewer has a rich-text writer),
// dragging the selection out as text (copy only), the auto-scroll timer, the cursor shapes and the guide
// line of a dragged margin line.
//
// Installs itself as the widget's controller and removes itself when destroyed.
class TSyntaxMemoInput : public TSyntaxMemoController {
public:
    // How often auto-scroll steps while the pointer is held outside the text area.
    static constexpr int kAutoScrollInterval = 50;

    explicit TSyntaxMemoInput(TSyntaxMemo& memo);
    ~TSyntaxMemoInput() override;
    TSyntaxMemoInput(const TSyntaxMemoInput&) = delete;
    TSyntaxMemoInput& operator=(const TSyntaxMemoInput&) = delete;

    TCommandDispatcher& commands() { return m_commands; }
    TMouseSelection& mouse() { return m_mouse; }
    bool autoScrollActive() const { return m_autoScroll.isActive(); }
    // The guide line shown while a margin line is dragged.
    const QWidget* guideLine() const { return m_guide; }

    bool keyPress(TSyntaxMemo&, QKeyEvent* event) override;
    bool mousePress(TSyntaxMemo&, QMouseEvent* event) override;
    bool mouseMove(TSyntaxMemo&, QMouseEvent* event) override;
    bool mouseRelease(TSyntaxMemo&, QMouseEvent* event) override;
    bool mouseDoubleClick(TSyntaxMemo&, QMouseEvent* event) override;

    // What the commands and the mouse use unless replaced: the clipboard and a drag of the selection.
    static void copyToClipboard(TCustomSyntaxMemo& memo, const std::string& text);
    void dragSelectionOut();

private:
    bool leftPress(QMouseEvent* event, bool doubleClick);
    int64_t timeOf(const QMouseEvent& event) const;
    // Shows what the mouse selection's state asks for: cursor, guide line, auto-scroll timer.
    void sync();

    TSyntaxMemo& m_memo;
    TCommandDispatcher m_commands;
    TMouseSelection m_mouse;
    QTimer m_autoScroll;
    QElapsedTimer m_clock;
    QWidget* m_guide = nullptr; // owned by the viewport
};

} // namespace lrl
