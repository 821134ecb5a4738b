#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace lrl {

namespace {

    // The area of the intersection, in 64 bits (screens may be large).
    qint64 overlap(const QRect& a, const QRect& b)
    {
        QRect r = a.intersected(b);
        return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
    }

    bool titleReachable(const QRect& window, const QRect& screen)
    {
        int left = std::max(window.left(), screen.left());
        int right = std::min(window.right(), screen.right());
        bool topInside = window.top() >= screen.top() && window.top() <= screen.bottom();
        return topInside && right - left + 1 >= std::min(WindowPlacement::kMinVisible, window.width());
    }

    // Moves r by the least amount that puts it inside area (r is no larger than area).
    QRect moveInside(QRect r, const QRect& area)
    {
        r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
        r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
        return r;
    }

} // namespace

QRect WindowPlacement::fit(const QRect& stored, const QList<QRect>& available)
{
    if (available.isEmpty())
        return stored;
    QRect window = stored.normalized();
    auto reachable = std::find_if(available.begin(), available.end(),
        [&](const QRect& screen) { return titleReachable(window, screen); });
    const QRect* screen = reachable != available.end() ? &*reachable : &available.front();
    if (reachable == available.end())
        for (const QRect& s : available)
            if (overlap(window, s) > overlap(window, *screen))
                screen = &s;

    window.setSize(window.size().boundedTo(screen->size()));
    return titleReachable(window, *screen) ? window : moveInside(window, *screen);
}

QRect WindowPlacement::fitToScreens(const QRect& stored)
{
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    return fit(stored, areas);
}

} // namespace lrl
