#include "viewer/ui/ViewerColors.h"


namespace lrl {

namespace {

    // System colour indexes of the stored values (the low byte of a negative value).
    QColor systemColor(int index, const QPalette& palette)
    {
        switch (index) {
        case 5: // window background
            return palette.color(QPalette::Base);
        case 6: // window frame
            return palette.color(QPalette::Dark);
        case 7: // menu text
        case 8: // window text
            return palette.color(QPalette::Text);
        case 9: // caption text
            return palette.color(QPalette::WindowText);
        case 13: // highlight
            return palette.color(QPalette::Highlight);
        case 14: // highlighted text
            return palette.color(QPalette::HighlightedText);
        case 15: // button face
            return palette.color(QPalette::Button);
        case 16: // button shadow
            return palette.color(QPalette::Mid);
        case 17: // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return palette.color(QPalette::ButtonText);
        case 20: // button highlight
            return palette.color(QPalette::Light);
        case 23: // tooltip text
            return palette.color(QPalette::ToolTipText);
        case 24: // tooltip background
            return palette.color(QPalette::ToolTipBase);
        case 0: // scroll bar
        case 4: // menu
            return palette.color(QPalette::Button);
        case 1: // desktop
        case 12: // application workspace
            return palette.color(QPalette::Window);
        default:
            return palette.color(QPalette::Text);
        }
    }

    int32_t systemValue(int index) { return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index)); }

    // The background that belongs with a system text colour.
    int32_t backFor(int textIndex)
    {
        switch (textIndex) {
        case 9: // caption text
            return systemValue(1);
        case 14: // highlighted text
            return systemValue(13);
        case 18: // button text
            return systemValue(15);
        case 23: // tooltip text
            return systemValue(24);
        default: // window and menu text, grey text and the rest stand on the window background
            return systemValue(5);
        }
    }

    // The text colour that belongs on a system background.
    int32_t textFor(int backIndex)
    {
        switch (backIndex) {
        case 1: // desktop
        case 12: // application workspace
            return systemValue(9);
        case 13: // highlight
            return systemValue(14);
        case 0: // scroll bar
        case 4: // menu
        case 15: // button face
        case 16: // button shadow
        case 20: // button highlight
            return systemValue(18);
        case 24: // tooltip background
            return systemValue(23);
        default: // the window background and the rest carry window text
            return systemValue(8);
        }
    }

} // namespace

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

ViewerColorPair viewerColors(int32_t text, int32_t back, const QPalette& palette)
{
    const bool systemText = text < 0;
    const bool systemBack = back < 0;
    if (systemText != systemBack && isDarkPalette(palette)) {
        if (systemText)
            back = backFor(text & 0xFF);
        else
            text = textFor(back & 0xFF);
    }
    return { viewerColor(text, palette), viewerColor(back, palette) };
}

QColor viewerColor(int32_t value, const QPalette& palette)
{
    if (value < 0)
        return systemColor(value & 0xFF, palette);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace lrl
