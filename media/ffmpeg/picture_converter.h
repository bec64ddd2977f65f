#pragma once
// Draws decoded pictures into surfaces: colour conversion and stretching in one pass.
// The scaler writes whole groups of pixels at a time and may run past the end of a row,
// so it draws into a padded buffer of its own; only the rows' own bytes are copied out.
#include <cstddef>
#include <cstdint>

struct AVFrame;
struct SwsContext;
struct PixelFormat;
class Surface;

class PictureConverter {
public:
    PictureConverter() = default;
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    static bool supports(const PixelFormat& format);
    // False when the picture or the surface cannot be converted.
    bool convert(const AVFrame& frame, Surface& target);
    // Draws into `height` rows of `width` pixels of `format`, `pitch` bytes apart from
    // `rows`; nothing outside those pixels is written.
    bool convert(const AVFrame& frame, const PixelFormat& format, uint8_t* rows, int pitch,
                 int width, int height);

private:
    // Room for `height` rows of `rowBytes`, padded as the scaler needs.
    bool reserve(int rowBytes, int height);

    SwsContext* context_ = nullptr;
    uint8_t* buffer_ = nullptr;  // the scaler's rows, stride_ bytes apart
    size_t bufferBytes_ = 0;
    int stride_ = 0;
};
