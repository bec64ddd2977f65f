#include "editor/picture_pixels.h"

#include <vector>

#include "platform/image/picture_formats.h"
#include "platform/image/picture_rows.h"
#include "platform/jpeg/jpeg_format.h"

bool pictureToRgb(const Picture& pic, RgbImage& out) {
    out = RgbImage();
    if (!pic.isValid()) return false;
    out.width = pic.width;
    out.height = pic.height;
    out.pixels.resize(static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height));
    std::vector<uint8_t> bgr(static_cast<size_t>(pic.width) * 3);
    for (int y = 0; y < pic.height; ++y) {
        pictureRowToBgr(pic, y, bgr.data());
        uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(pic.width);
        for (int x = 0; x < pic.width; ++x) {
            const uint8_t* p = bgr.data() + 3 * x;
            dst[x] = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
    }
    return true;
}

bool loadPictureFile(const std::string& path, RgbImage& out, std::string* error) {
    // Every format the engine reads; the table never changes once made.
    static const PictureFormats formats = pictureFormatsWithJpeg();
    Picture pic;
    if (!formats.readFile(path, pic, 0, error)) return false;
    if (!pictureToRgb(pic, out)) {
        if (error) *error = "unusable picture layout";
        return false;
    }
    return true;
}
