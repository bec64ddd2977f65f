#include "platform/sdl/window_icon.h"

#include <cstddef>

std::vector<uint8_t> windowIconRgba() {
    constexpr int size = kWindowIconSize;
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int dx = x - 16, dy = y - 14;
            int r2 = dx * dx + dy * dy;
            bool arch = (y <= 14 && r2 >= 64 && r2 <= 121) ||
                        (y > 14 && y < 28 && ((x >= 5 && x <= 8) || (x >= 24 && x <= 27)));
            bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = 20, p[1] = 28, p[2] = 70;
            if (arch) p[0] = 230, p[1] = 180, p[2] = 60;
            if (border) p[0] = 120, p[1] = 130, p[2] = 170;
            p[3] = 255;
        }
    }
    return rgba;
}
