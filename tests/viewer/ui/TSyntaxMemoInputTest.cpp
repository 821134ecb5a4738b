// Keyboard and mouse on a real viewer widget, offscreen: Qt key and mouse events in, selection, caret,
// bookmarks, clipboard and margins out.

#include "viewer/ui/TSyntaxMemoInput.h"

#include "../FakeScanner.h"
#include "../ViewerTestUtil.h"
#include "viewer/keymap/DefaultKeyMap.h"
#include "viewer/ui/QtShortCut.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::FakeScanner;
using lrl::test::loadBytes;

namespace {

using Sel = std::pair<int, int>;

// A viewer 900 x 200 pixels without frame and scroll bars, in a 12-pixel Liberation Mono, with the
// default key map, gutter 34 and margin 2.
struct Viewer {
    FakeScanner scanner;
    TSyntaxMemo memo;
    int64_t clock = 0; // timestamps of the mouse events this viewer sends

    explicit Viewer(const std::string& text)
    {
        TSM_Settings s;
        s.font = { "Liberation Mono", -12, 0 };
        s.keys = defaultKeyMap();
        memo.setSettings(s);
        memo.setFrameStyle(QFrame::NoFrame);
        memo.setScrollBars(ssNone);
        memo.setScanSource(&scanner);
        memo.resize(900, 200);
        memo.show();
        loadBytes(memo, text);
        clock = QTest::lastMouseTimestamp + 100000;
    }
    void option(TSyntaxMemoOption o, bool on)
    {
        auto opts = memo.options();
        opts.set(o, on);
        memo.setOptions(opts);
    }
    Sel sel() const { return memo.selection(); }

    // Keys.
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&memo, k, m); }

    // The pixel in the middle of display column `column` of window row `row`.
    QPoint at(int column, int row = 0) const
    {
        return { memo.textLeft() + column * memo.metrics().cellWidth() + memo.metrics().cellWidth() / 2,
            row * memo.metrics().lineHeight() + memo.metrics().lineHeight() / 2 };
    }

    // Mouse events with timestamps `gap` milliseconds after the previous one.
    void send(QEvent::Type type, QPoint pos, int gap, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        clock += gap;
        Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        if (type == QEvent::MouseMove && !buttonDown)
            held = Qt::NoButton;
        QMouseEvent e(type, pos, memo.viewport()->mapToGlobal(pos), button, held, mods);
        e.setTimestamp(static_cast<quint64>(clock));
        QApplication::sendEvent(memo.viewport(), &e);
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            buttonDown = true;
        if (type == QEvent::MouseButtonRelease)
            buttonDown = false;
    }
    // A click well after the previous one (never part of a double click).
    void click(QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, pos, 5000, mods);
        send(QEvent::MouseButtonRelease, pos, 10, mods);
    }
    // What the platform sends for quick clicks: press, release, double click, release, then plain
    // presses again.
    void clicks(QPoint pos, int count)
    {
        for (int i = 0; i < count; ++i) {
            bool dbl = i % 2 == 1;
            send(dbl ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, pos, i == 0 ? 5000 : 100);
            send(QEvent::MouseButtonRelease, pos, 10);
        }
    }
    void drag(QPoint from, QPoint to)
    {
        send(QEvent::MouseButtonPress, from, 5000);
        send(QEvent::MouseMove, to, 10);
        send(QEvent::MouseButtonRelease, to, 10);
    }
    bool buttonDown = false;
};

} // namespace

TEST(TSyntaxMemoInput, QtKeysMapToTheShortCutEncoding)
{
    EXPECT_EQ(shortCutOf(Qt::Key_Left, Qt::NoModifier), 37);
    EXPECT_EQ(shortCutOf(Qt::Key_Down, Qt::ShiftModifier), scShift | 40);
    EXPECT_EQ(shortCutOf(Qt::Key_PageUp, Qt::NoModifier), 33);
    EXPECT_EQ(shortCutOf(Qt::Key_PageDown, Qt::ControlModifier), scCtrl | 34);
    EXPECT_EQ(shortCutOf(Qt::Key_Home, Qt::NoModifier), 36);
    EXPECT_EQ(shortCutOf(Qt::Key_End, Qt::NoModifier), 35);
    EXPECT_EQ(shortCutOf(Qt::Key_Insert, Qt::NoModifier), 45);
    EXPECT_EQ(shortCutOf(Qt::Key_Delete, Qt::ControlModifier), scCtrl | 46);
    EXPECT_EQ(shortCutOf(Qt::Key_Backspace, Qt::ControlModifier), scCtrl | 8);
    EXPECT_EQ(shortCutOf(Qt::Key_K, Qt::ControlModifier), scCtrl | 'K');
    EXPECT_EQ(shortCutOf(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier), scShift | scCtrl | 'Z');
    EXPECT_EQ(shortCutOf(Qt::Key_F3, Qt::AltModifier), scAlt | 114);
    EXPECT_EQ(shortCutOf(Qt::Key_3, Qt::NoModifier), '3');
    // Shifted digit-row characters are their digit keys; keypad digits have their own codes.
    EXPECT_EQ(shortCutOf(Qt::Key_NumberSign, Qt::ShiftModifier), scShift | '3');
    EXPECT_EQ(shortCutOf(Qt::Key_ParenRight, Qt::ShiftModifier), scShift | '0');
    EXPECT_EQ(shortCutOf(Qt::Key_3, Qt::KeypadModifier), 99);
    EXPECT_EQ(shortCutOf(Qt::Key_Colon, Qt::ShiftModifier), scShift | 186);
    EXPECT_EQ(shortCutOf(Qt::Key_Backtab, Qt::ShiftModifier), scShift | 9);
    // Modifier keys alone have no code.
    for (Qt::Key k : { Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_CapsLock, Qt::Key_unknown })
        EXPECT_EQ(shortCutOf(k, Qt::ShiftModifier), 0) << k;
}

TEST(TSyntaxMemoInput, ArrowKeysMoveAndShiftExtends)
{
    Viewer v("alpha beta\r\ngamma d\r\n"); // the second line starts at 11
    v.key(Qt::Key_Right);
    v.key(Qt::Key_Right);
    EXPECT_EQ(v.sel(), (Sel { 2, 2 }));
    v.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(v.sel(), (Sel { 2, 13 }));
    v.key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(v.sel(), (Sel { 2, 18 }));
    v.key(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(v.sel(), (Sel { 2, 17 }));
    v.key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
    // Redo (Shift+Ctrl+Z) and the editing keys change nothing.
    const std::string text = v.memo.text();
    v.key(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    v.key(Qt::Key_Delete);
    v.key(Qt::Key_X, Qt::ControlModifier);
    v.key(Qt::Key_A);
    EXPECT_EQ(v.memo.text(), text);
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
}

TEST(TSyntaxMemoInput, CtrlBackspaceSelectsThePreviousWordAndDeletesNothing)
{
    Viewer v("alpha beta\r\n");
    v.key(Qt::Key_End);
    v.key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(v.sel(), (Sel { 10, 6 }));
    EXPECT_EQ(v.memo.text(), "alpha beta\r\n");
}

TEST(TSyntaxMemoInput, BookmarkSequencesMatchTheSecondKeyWithoutModifiers)
{
    Viewer v(lrl::test::numberedLines(30));
    v.memo.setSelStart(v.memo.lineIndex(4) + 2);
    v.key(Qt::Key_K, Qt::ControlModifier);
    v.key(Qt::Key_3);
    EXPECT_EQ(v.memo.bookmarkLine(3), 4);
    v.key(Qt::Key_K, Qt::ControlModifier);
    v.key(Qt::Key_3);
    EXPECT_EQ(v.memo.bookmarkLine(3), -1);
    v.key(Qt::Key_Q, Qt::ControlModifier);
    v.key(Qt::Key_3);
    EXPECT_EQ(v.memo.selCaret(), v.memo.lineIndex(4) + 2); // not set: nothing happens

    // Shift+3 as a US keyboard reports it, with the Shift key's own press in between.
    v.key(Qt::Key_K, Qt::ControlModifier);
    v.key(Qt::Key_Shift, Qt::ShiftModifier);
    v.key(Qt::Key_NumberSign, Qt::ShiftModifier);
    EXPECT_EQ(v.memo.bookmarkLine(3), 4);

    v.key(Qt::Key_End, Qt::ControlModifier);
    v.key(Qt::Key_Q, Qt::ControlModifier);
    v.key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(v.memo.selCaret(), v.memo.lineIndex(4) + 2);

    // A key that does not continue the sequence ends it: the 5 after it is no second key.
    v.memo.setSelStart(v.memo.lineIndex(9));
    v.key(Qt::Key_K, Qt::ControlModifier);
    v.key(Qt::Key_X);
    v.key(Qt::Key_5);
    EXPECT_EQ(v.memo.bookmarkLine(5), -1);

    // Nor does such a key do anything else: arrows and page keys neither move nor scroll.
    for (Qt::Key first : { Qt::Key_K, Qt::Key_Q })
        for (Qt::Key second : { Qt::Key_PageDown, Qt::Key_Down, Qt::Key_Right }) {
            v.memo.setTopLine(0);
            v.memo.setSelStart(0);
            v.key(first, Qt::ControlModifier);
            v.key(second);
            EXPECT_EQ(v.memo.topLine(), 0) << first << " " << second;
            EXPECT_EQ(v.sel(), (Sel { 0, 0 })) << first << " " << second;
        }
}

TEST(TSyntaxMemoInput, CopyPutsCrLfTextOnTheClipboard)
{
    Viewer v("one\r\ntwo\r\n");
    v.memo.setSelLineStyle(lsLF);
    v.key(Qt::Key_Down, Qt::ShiftModifier);
    v.key(Qt::Key_Right, Qt::ShiftModifier);
    v.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "one\r\nt");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->data("text/rtf").startsWith("{\\rtf1\\ansi"));

    v.memo.setFormatWriter(sfRTF, [](TCustomSyntaxMemo&, Stream& out) { out.write("{\\rtf1 x}", 9); });
    v.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data("text/rtf"), QByteArray("{\\rtf1 x}"));
}

TEST(TSyntaxMemoInput, ClicksPlaceTheCaretAndShiftClicksMoveTheNearerEnd)
{
    //       0123456789012345678
    Viewer v("alpha beta gamma\r\nsecond line\r\n");
    v.click(v.at(7));
    EXPECT_EQ(v.sel(), (Sel { 7, 7 }));
    EXPECT_EQ(v.memo.window()->focusWidget(), &v.memo);
    v.click(v.at(13), Qt::ShiftModifier);
    EXPECT_EQ(v.memo.selStart(), 7);
    EXPECT_EQ(v.memo.selEnd(), 13);
    v.click(v.at(2), Qt::ShiftModifier); // before the selection: its start moves
    EXPECT_EQ(v.memo.selStart(), 2);
    EXPECT_EQ(v.memo.selEnd(), 13);
    v.click(v.at(9), Qt::ShiftModifier); // inside it: its end moves
    EXPECT_EQ(v.memo.selStart(), 2);
    EXPECT_EQ(v.memo.selEnd(), 9);
    v.click(v.at(3, 1), Qt::ShiftModifier);
    EXPECT_EQ(v.memo.selEnd(), 20);
}

TEST(TSyntaxMemoInput, DoubleAndTripleClicksSelectWordAndRow)
{
    //       0123456789012345678
    Viewer v("alpha beta  gamma\r\nsecond\r\n");
    v.clicks(v.at(7), 2);
    EXPECT_EQ(v.sel(), (Sel { 6, 10 }));
    v.clicks(v.at(11), 2); // the blank after "beta"
    EXPECT_EQ(v.sel(), (Sel { 6, 10 }));
    v.clicks(v.at(2), 3);
    EXPECT_EQ(v.sel(), (Sel { 0, 18 })); // the row with its line end
    EXPECT_EQ(v.memo.input().mouse().clickState(), TMouseSelection::csTriple);
    v.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta  gamma\r\n");
    // The fourth quick click comes as a double click but is no word selection.
    v.send(QEvent::MouseButtonDblClick, v.at(2), 100);
    v.send(QEvent::MouseButtonRelease, v.at(2), 10);
    EXPECT_EQ(v.memo.input().mouse().clickState(), TMouseSelection::csAfterTriple);
    EXPECT_EQ(v.sel(), (Sel { 2, 2 }));

    // Without smoWordSelect a double click only places the caret.
    v.option(smoWordSelect, false);
    v.clicks(v.at(7), 2);
    EXPECT_EQ(v.sel(), (Sel { 7, 7 }));
}

TEST(TSyntaxMemoInput, TripleClickHandlerReplacesTheRowSelection)
{
    Viewer v("alpha\r\nbeta\r\n");
    std::vector<int> offsets;
    v.memo.input().mouse().OnTripleClick = [&](TCustomSyntaxMemo&, TPoint, int offset) { offsets.push_back(offset); };
    v.clicks(v.at(2, 1), 3);
    EXPECT_EQ(offsets, std::vector<int> { 8 });
    EXPECT_EQ(v.sel(), (Sel { 6, 10 })); // the word from the double click stays
}

TEST(TSyntaxMemoInput, TripleClickUnderWordWrapSelectsOnlyTheRow)
{
    Viewer v(std::string(30, 'a') + " " + std::string(30, 'b') + "\r\nnext\r\n");
    v.memo.setWrapAtColumn(20);
    v.option(smoWordWrap, true);
    v.memo.prepareDisplay();
    TNodePos row = v.memo.textStore().findLine(1);
    ASSERT_TRUE(row.node && row.node->isContinuation());
    v.clicks(v.at(3, 1), 3);
    EXPECT_EQ(v.sel(), (Sel { row.start, row.start + row.node->length }));
}

TEST(TSyntaxMemoInput, GutterAndLeftMarginClicks)
{
    Viewer v("one\r\ntwo\r\nthree\r\n");
    std::vector<int> lines;
    v.memo.input().mouse().OnGutterClick = [&](TCustomSyntaxMemo&, int line) { lines.push_back(line); };
    const int lh = v.memo.metrics().lineHeight();
    v.click({ 10, lh + 2 });
    EXPECT_EQ(lines, std::vector<int> { 1 });
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
    v.click({ v.memo.gutter() + 1, 2 * lh + 2 }); // the left margin: the row with its line end
    EXPECT_EQ(v.sel(), (Sel { 8, 14 }));
    v.click({ v.memo.gutter() + 1, 10 * lh }); // below the text
    EXPECT_EQ(v.sel(), (Sel { 8, 14 }));
}

TEST(TSyntaxMemoInput, DraggingSelectsAndAPressInsideTheSelectionWaitsForADrag)
{
    //       0123456789012345
    Viewer v("alpha beta gamma\r\nsecond line\r\n");
    v.drag(v.at(2), v.at(4, 1));
    EXPECT_EQ(v.sel(), (Sel { 2, 21 }));

    // Press and release inside the selection without moving: the caret goes to the release point.
    v.click(v.at(8));
    EXPECT_EQ(v.sel(), (Sel { 8, 8 }));

    v.memo.setSelection(2, 10);
    int drags = 0;
    v.memo.input().mouse().OnStartDrag = [&](TCustomSyntaxMemo& m) {
        ++drags;
        EXPECT_TRUE(v.memo.input().mouse().dragging());
        m.setSelection(0, 0); // whatever the drop does, the selection comes back
    };
    v.send(QEvent::MouseButtonPress, v.at(5), 5000);
    EXPECT_TRUE(v.memo.input().mouse().dragPending());
    v.send(QEvent::MouseMove, v.at(12, 1), 10);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(v.sel(), (Sel { 2, 10 }));
    v.send(QEvent::MouseButtonRelease, v.at(12, 1), 10);
    EXPECT_EQ(v.sel(), (Sel { 2, 10 }));

    // Without smoOLEDragSource nothing is dragged; the release places the caret.
    v.option(smoOLEDragSource, false);
    v.drag(v.at(5), v.at(7));
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(v.sel(), (Sel { 7, 7 }));
}

TEST(TSyntaxMemoInput, SelectingBelowTheWindowScrollsOneLineAtATime)
{
    Viewer v(lrl::test::numberedLines(200));
    v.send(QEvent::MouseButtonPress, v.at(2), 5000);
    v.send(QEvent::MouseMove, { v.at(2).x(), v.memo.clientHeight() + 30 }, 10);
    TSyntaxMemoInput& input = v.memo.input();
    EXPECT_TRUE(input.autoScrollActive());
    EXPECT_EQ(v.memo.topLine(), 0);
    input.mouse().autoScroll();
    input.mouse().autoScroll();
    EXPECT_EQ(v.memo.topLine(), 2);
    // The caret follows to the row the pointer is held below: the window's last, partly shown, row.
    const int lastRow = (v.memo.clientHeight() - 1) / v.memo.metrics().lineHeight();
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 2 + lastRow);
    EXPECT_EQ(v.memo.selAnchor(), 2);
    v.send(QEvent::MouseMove, v.at(3, 1), 10); // back inside: scrolling stops
    EXPECT_FALSE(input.autoScrollActive());
    v.send(QEvent::MouseButtonRelease, v.at(3, 1), 10);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 3);
}

TEST(TSyntaxMemoInput, RightMarginLineCanBeDraggedToANewColumn)
{
    Viewer v("short\r\n" + std::string(100, 'x') + "\r\n");
    TMouseSelection& mouse = v.memo.input().mouse();
    const int x80 = v.memo.rightMarginX();
    ASSERT_GT(x80, 0);
    // Over the long row's text the line cannot be taken.
    v.send(QEvent::MouseMove, { x80, v.at(0, 1).y() }, 10);
    EXPECT_EQ(mouse.hoveredLine(), TMouseSelection::MarginLine::None);
    v.send(QEvent::MouseMove, { x80 + 1, v.at(0).y() }, 10);
    EXPECT_EQ(mouse.hoveredLine(), TMouseSelection::MarginLine::RightMargin);
    EXPECT_EQ(v.memo.viewport()->cursor().shape(), Qt::SplitHCursor);
    v.send(QEvent::MouseButtonPress, { x80 + 1, v.at(0).y() }, 10);
    const int x100 = v.memo.textLeft() + 100 * v.memo.metrics().charWidth();
    v.send(QEvent::MouseMove, { x100 + 1, v.at(0).y() }, 10);
    EXPECT_EQ(mouse.guideX(), x100);
    EXPECT_TRUE(v.memo.input().guideLine()->isVisible());
    EXPECT_EQ(v.memo.rightMargin(), 80);
    v.send(QEvent::MouseButtonRelease, { x100 + 1, v.at(0).y() }, 10);
    EXPECT_EQ(v.memo.rightMargin(), 100);
    EXPECT_FALSE(v.memo.input().guideLine()->isVisible());
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
}

TEST(TSyntaxMemoInput, WrapColumnLineCanBeDragged)
{
    Viewer v("ab\r\n");
    v.memo.setWrapAtColumn(40);
    v.option(smoWordWrap, true);
    const int x40 = v.memo.wrapColumnX();
    ASSERT_GT(x40, 0);
    v.send(QEvent::MouseMove, { x40, v.at(0).y() }, 10);
    EXPECT_EQ(v.memo.input().mouse().hoveredLine(), TMouseSelection::MarginLine::WrapColumn);
    v.drag({ x40, v.at(0).y() }, { v.memo.textLeft() + 30 * v.memo.metrics().charWidth(), v.at(0).y() });
    EXPECT_EQ(v.memo.wrapAtColumn(), 30);
}

TEST(TSyntaxMemoInput, HyperlinkStylesShowTheHandAndReportTheHover)
{
    Viewer v("see link here\r\n");
    TSM_Settings s = v.memo.settings();
    s.map[FakeScanner::kWord] = 3;
    s.effects[3].hotSpot = true;
    s.effects[3].defined = true;
    v.memo.setSettings(s);
    v.memo.fullScan();
    std::vector<int> hovered;
    v.memo.input().mouse().OnHyperlinkHover = [&](TCustomSyntaxMemo&, int offset) { hovered.push_back(offset); };
    v.send(QEvent::MouseMove, v.at(5), 10);
    EXPECT_EQ(v.memo.viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(hovered, std::vector<int> { 5 });
    v.send(QEvent::MouseMove, v.at(3), 10); // the blank between the words
    EXPECT_EQ(v.memo.viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(hovered.size(), 1u);
}
