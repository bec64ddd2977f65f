#include "platform/image/decoder_support.h"

namespace imagedetail {

size_t rowBytes(int width, int bits, size_t align) {
    if (width <= 0 || width > kMaxPictureSide || bits <= 0 || bits > 32) return 0;
    size_t bitsInRow = static_cast<size_t>(width) * static_cast<size_t>(bits);
    size_t bytes = (bitsInRow + 7) / 8;
    return (bytes + align - 1) / align * align;
}

bool allocatePicture(Picture& out, int width, int height, int bitsPerPixel, size_t stride,
                     bool topDown, std::string& error, uint8_t fill) {
    out = Picture();
    if (width <= 0 || height <= 0) return fail(error, "picture has no pixels");
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return fail(error, "picture is too large");
    // Both sides are capped, so the product fits in size_t; the stride is checked too.
    if (stride == 0 || stride > static_cast<size_t>(kMaxPictureSide) * 4)
        return fail(error, "bad row size");
    out.pixels.assign(stride * static_cast<size_t>(height), fill);
    out.width = width;
    out.height = height;
    out.bitsPerPixel = bitsPerPixel;
    out.stride = stride;
    out.topDown = topDown;
    return true;
}

}  // namespace imagedetail
