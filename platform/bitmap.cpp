#include "platform/bitmap.h"

#include <new>
#include <utility>

#include "platform/blit_kernels.h"
#include "platform/display_error.h"

int Bitmap::allocate(const PixelFormat& format, int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
        return kDisplayInvalidParams;
    const BlitKernels* kernels = kernelsFor(format.type, format.bytesPerPixel);
    if (!kernels || format.bytesPerPixel < 1 || format.bytesPerPixel > 4 ||
        format.bitsPerPixel % 8 != 0)
        return kDisplayUnsupportedFormat;
    const int pitch = (width * format.bytesPerPixel + 3) & ~3;
    std::vector<uint8_t> pixels;
    try {
        pixels.assign(static_cast<size_t>(pitch) * height, 0);
    } catch (const std::bad_alloc&) {
        return kDisplayOutOfMemory;
    }
    pixels_.swap(pixels);
    width_ = width;
    height_ = height;
    pitch_ = pitch;
    format_ = format;
    kernels_ = kernels;
    return 0;
}

void Bitmap::swap(Bitmap& other) noexcept {
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(pitch_, other.pitch_);
    std::swap(format_, other.format_);
    std::swap(kernels_, other.kernels_);
    pixels_.swap(other.pixels_);
}
