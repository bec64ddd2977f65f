#pragma once
// Draws decoded pictures into surfaces: colour conversion and stretching in one pass,
// straight into the surface's pixels.
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

private:
    SwsContext* context_ = nullptr;
};
