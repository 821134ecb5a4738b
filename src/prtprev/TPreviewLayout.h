#pragma once

#include "common/TRect.h"

namespace lrl {

// Where the paper panels lie: the surface they lie on (ContainPanel, inside the scroll box) and the
// panels of the first and second page in its coordinates.
struct TPreviewLayout {
    int containWidth = 0;
    int containHeight = 0;
    TRect page1;
    TRect page2;
    bool page2Visible = false;
    bool operator==(const TPreviewLayout&) const = default;
};

} // namespace lrl
