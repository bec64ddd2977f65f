#pragma once
// A vertex of a hotspot polygon in view pixels, origin top left.
#include <cstdint>

struct Point {
    int32_t x = 0, y = 0;
};
