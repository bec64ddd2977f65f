#pragma once
// Pixel storage: rows of one pixel format, zeroed when made. The format's row kernels
// are chosen here, once, so nothing that draws on a bitmap tests the format per pixel.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/pixel_format.h"

struct BlitKernels;

// Sides beyond this are refused before anything is allocated.
constexpr int kMaxSurfaceSide = 16384;

class Bitmap {
public:
    // Zeroed pixels of the format, rows padded to 4 bytes. 0, or a negative DisplayError
    // with the bitmap left as it was.
    int allocate(const PixelFormat& format, int width, int height);
    void swap(Bitmap& other) noexcept;

    bool valid() const { return width_ > 0 && height_ > 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }
    const PixelFormat& format() const { return format_; }
    int bytesPerPixel() const { return format_.bytesPerPixel; }
    // The row kernels of the format; null until allocated.
    const BlitKernels* kernels() const { return kernels_; }

    uint8_t* data() { return pixels_.data(); }
    const uint8_t* data() const { return pixels_.data(); }
    uint8_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * pitch_; }
    const uint8_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * pitch_; }
    uint8_t* at(int x, int y) { return row(y) + static_cast<size_t>(x) * format_.bytesPerPixel; }
    const uint8_t* at(int x, int y) const {
        return row(y) + static_cast<size_t>(x) * format_.bytesPerPixel;
    }

private:
    int width_ = 0, height_ = 0, pitch_ = 0;
    PixelFormat format_;
    const BlitKernels* kernels_ = nullptr;
    std::vector<uint8_t> pixels_;
};
