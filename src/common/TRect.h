#pragma once

#include <cstdint>

namespace lrl {

// A rectangle in device pixels; right and bottom lie just outside it.
struct TRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const TRect&) const = default;
};

} // namespace lrl
