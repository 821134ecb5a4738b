#include "platform/StoredColor.h"

#include <QGuiApplication>

#include <array>
#include <optional>

namespace lrl {

namespace {

    // The palette role for each system colour number 0..30 (scroll bar, desktop, active caption, …).
    constexpr std::array<QPalette::ColorRole, 31> kRoles {
        QPalette::Button, // 0 scroll bar
        QPalette::Dark, // 1 desktop
        QPalette::Highlight, // 2 active caption
        QPalette::Mid, // 3 inactive caption
        QPalette::Window, // 4 menu
        QPalette::Base, // 5 window
        QPalette::Shadow, // 6 window frame
        QPalette::WindowText, // 7 menu text
        QPalette::Text, // 8 window text
        QPalette::HighlightedText, // 9 caption text
        QPalette::Button, // 10 active border
        QPalette::Button, // 11 inactive border
        QPalette::Dark, // 12 application workspace
        QPalette::Highlight, // 13 highlight
        QPalette::HighlightedText, // 14 highlighted text
        QPalette::Button, // 15 button face
        QPalette::Mid, // 16 button shadow
        QPalette::PlaceholderText, // 17 grey text
        QPalette::ButtonText, // 18 button text
        QPalette::WindowText, // 19 inactive caption text
        QPalette::Light, // 20 button highlight
        QPalette::Shadow, // 21 3-D dark shadow
        QPalette::Midlight, // 22 3-D light
        QPalette::ToolTipText, // 23 info text
        QPalette::ToolTipBase, // 24 info background
        QPalette::NoRole, // 25 unused
        QPalette::Link, // 26 hot light
        QPalette::Highlight, // 27 gradient active caption
        QPalette::Mid, // 28 gradient inactive caption
        QPalette::Highlight, // 29 menu highlight
        QPalette::Window, // 30 menu bar
    };

    std::optional<QPalette::ColorRole> roleOf(uint32_t index)
    {
        if (index >= kRoles.size() || kRoles[index] == QPalette::NoRole)
            return std::nullopt;
        return kRoles[index];
    }

} // namespace

QColor StoredColor::toQColor(int32_t stored, const QPalette& palette)
{
    auto bits = static_cast<uint32_t>(stored);
    if (stored < 0) {
        auto role = roleOf(bits & 0xFFu);
        return role ? palette.color(QPalette::Active, *role) : QColor(Qt::black);
    }
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
        static_cast<int>((bits >> 16) & 0xFF));
}

QColor StoredColor::toQColor(int32_t stored) { return toQColor(stored, QGuiApplication::palette()); }

int32_t StoredColor::fromQColor(const QColor& color)
{
    QColor rgb = color.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) | (static_cast<uint32_t>(rgb.green()) << 8)
        | (static_cast<uint32_t>(rgb.blue()) << 16));
}

} // namespace lrl
