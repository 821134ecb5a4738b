#pragma once

#include <QColor>
#include <QPalette>

namespace lrl::test {

// A dark desktop's palette: light text on dark window and base colours, a blue highlight.
inline QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x2B, 0x2B, 0x2E), base(0x1E, 0x1E, 0x20), text(0xE6, 0xE6, 0xE6);
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, window);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, window);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Highlight, QColor(0x2F, 0x65, 0xCA));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::ToolTipBase, window);
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::Light, QColor(0x4A, 0x4A, 0x50));
        p.setColor(group, QPalette::Mid, QColor(0x3A, 0x3A, 0x40));
        p.setColor(group, QPalette::Dark, QColor(0x15, 0x15, 0x18));
    }
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Base, base);
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    return p;
}

} // namespace lrl::test
