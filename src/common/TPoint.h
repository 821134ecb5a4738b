#pragma once

#include <cstdint>

namespace lrl {

// A point in device pixels.
struct TPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TPoint&) const = default;
};

} // namespace lrl
