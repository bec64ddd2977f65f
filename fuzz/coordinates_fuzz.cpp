// Coordinate-list words of any content, and the crossing test over what they give.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "view/coordinates.h"
#include "view/hotspot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view word(reinterpret_cast<const char*>(data), size);
    std::vector<Point> points;
    parseCoordinateList(word, points);
    if (points.size() > size) __builtin_trap();
    Hotspot hotspot;
    hotspot.setCoordinates(std::string(word));
    if (hotspot.polygon().size() != points.size()) __builtin_trap();
    for (const Point& p : points) {
        // Nothing outside the extent may count as inside.
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                int64_t x = int64_t{p.x} + dx, y = int64_t{p.y} + dy;
                if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) continue;
                bool inside = hotspot.contains(static_cast<int32_t>(x), static_cast<int32_t>(y));
                bool inExtent = x >= hotspot.minX() && x <= hotspot.maxX() && y > hotspot.minY() &&
                                y <= hotspot.maxY();
                if (inside && !inExtent) __builtin_trap();
            }
    }
    hotspot.contains(INT32_MIN, INT32_MAX);
    hotspot.contains(0, 0);
    return 0;
}
