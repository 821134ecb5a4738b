#include "viewer/ui/ViewerColors.h"

#include "common/Cp1252.h"

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

} // namespace

QColor viewerColor(int32_t value, const QPalette& palette)
{
    if (value < 0)
        return systemColor(value & 0xFF, palette);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QString fromCp1252(const char* chars, int count)
{
    QString out(count, Qt::Uninitialized);
    QChar* dest = out.data();
    for (int i = 0; i < count; ++i)
        dest[i] = QChar(cp1252ToUnicode(static_cast<uint8_t>(chars[i])));
    return out;
}

} // namespace lrl
