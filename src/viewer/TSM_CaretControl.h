#pragma once

namespace lrl {

class TCustomSyntaxMemo;

// The viewer's caret and top line as 1-based line numbers (line numbers are node indexes + 1), the way
// the main window brings a routine's line to the top of the window.
class TSM_CaretControl {
public:
    explicit TSM_CaretControl(TCustomSyntaxMemo& memo)
        : m_memo(memo)
    {
    }

    int topLine() const;
    // Clamped to 1 ... LineCount.
    void setTopLine(int line);

    // The caret's line and display column, both from 1.
    int line() const;
    int column() const;
    // Puts the caret (an empty selection) at the start of the line and brings it into view.
    void setLine(int line);

private:
    TCustomSyntaxMemo& m_memo;
};

} // namespace lrl
