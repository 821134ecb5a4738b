#pragma once

#include <QList>
#include <QRect>

namespace lrl {

// Fits a stored window rectangle onto the screens there are now, so that stored settings from another
// screen layout (or damaged ones) never place the window where it cannot be seen or reached.
class WindowPlacement {
public:
    // How much of the window's top edge must lie on a screen for it to stay where it is (the part the
    // user grabs to move it).
    static constexpr int kMinVisible = 50;

    // available: the screens' available areas, the primary first. The window belongs to the first screen
    // that holds enough of its top edge, else to the screen it overlaps most (the primary when none); it
    // shrinks to that screen's size, and moves the least distance into it when its top edge would still
    // be out of reach.
    static QRect fit(const QRect& stored, const QList<QRect>& available);
    // The same with the screens of the running application.
    static QRect fitToScreens(const QRect& stored);
};

} // namespace lrl
