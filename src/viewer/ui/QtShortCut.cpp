#include "viewer/ui/QtShortCut.h"

#include <QKeyEvent>

namespace lrl {

namespace {

    // Keys whose code does not follow from the character they type.
    uint8_t namedKey(int key)
    {
        switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Select:
            return 41;
        case Qt::Key_Printer:
            return 42;
        case Qt::Key_Execute:
            return 43;
        case Qt::Key_Print:
            return 44;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Help:
            return 47;
        case Qt::Key_Menu:
            return 93;
        case Qt::Key_Sleep:
            return 95;
        case Qt::Key_NumLock:
            return 144;
        case Qt::Key_ScrollLock:
            return 145;
        default:
            return 0;
        }
    }

    // Punctuation and the shifted characters of the digit row, as the keys of a US keyboard.
    uint8_t punctuationKey(int key)
    {
        switch (key) {
        case Qt::Key_ParenRight:
            return '0';
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_At:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_AsciiCircum:
            return '6';
        case Qt::Key_Ampersand:
            return '7';
        case Qt::Key_Asterisk:
            return '8';
        case Qt::Key_ParenLeft:
            return '9';
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            return 0;
        }
    }

    // Keypad keys that type a character have codes of their own.
    uint8_t keypadKey(int key)
    {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<uint8_t>(96 + (key - Qt::Key_0));
        switch (key) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            return 0;
        }
    }

} // namespace

uint8_t virtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (uint8_t k = keypadKey(qtKey))
            return k;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<uint8_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<uint8_t>(112 + (qtKey - Qt::Key_F1));
    if (uint8_t k = namedKey(qtKey))
        return k;
    return punctuationKey(qtKey);
}

TShortCut shortCutOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    uint8_t key = virtualKeyOf(qtKey, modifiers);
    if (key == 0)
        return 0;
    TShortCut sc = key;
    if (modifiers & Qt::ShiftModifier)
        sc |= scShift;
    if (modifiers & Qt::ControlModifier)
        sc |= scCtrl;
    if (modifiers & Qt::AltModifier)
        sc |= scAlt;
    return sc;
}

TShortCut shortCutOf(const QKeyEvent& event) { return shortCutOf(event.key(), event.modifiers()); }

} // namespace lrl
