#include "platform/image/picture_rows.h"

#include <cstring>

void pictureRowToBgr(const Picture& picture, int y, uint8_t* dst) {
    const uint8_t* src = picture.row(y);
    const size_t width = static_cast<size_t>(picture.width);
    switch (picture.bitsPerPixel) {
        case 24:
            std::memcpy(dst, src, width * 3);
            break;
        case 32:
            for (size_t x = 0; x < width; ++x, src += 4, dst += 3) std::memcpy(dst, src, 3);
            break;
        case 8: {
            const size_t entries = picture.palette.size() / 4;
            const uint8_t* pal = picture.palette.data();
            for (size_t x = 0; x < width; ++x, dst += 3) {
                size_t i = src[x];
                if (i < entries) {
                    std::memcpy(dst, pal + i * 4, 3);
                } else {
                    dst[0] = dst[1] = dst[2] = 0;
                }
            }
            break;
        }
        default:
            std::memset(dst, 0, width * 3);
            break;
    }
}
