#pragma once

#include <cstdint>

namespace lrl {

// What a device reports about its resolution and paper, in device pixels. A device without paper (the
// screen) reports a physical width and height of 0.
struct TDeviceMetrics {
    int32_t logPixelsX = 0;
    int32_t logPixelsY = 0;
    int32_t physicalWidth = 0;
    int32_t physicalHeight = 0;
    int32_t physicalOffsetX = 0;
    int32_t physicalOffsetY = 0;
};

} // namespace lrl
