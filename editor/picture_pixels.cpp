#include "editor/picture_pixels.h"

#include "platform/image/image_reader.h"

bool pictureToRgb(const Picture& pic, RgbImage& out) {
    out = RgbImage();
    if (pic.width <= 0 || pic.height <= 0 || pic.width > kMaxPictureSide ||
        pic.height > kMaxPictureSide)
        return false;
    const int bpp = pic.bitsPerPixel;
    if (bpp != 8 && bpp != 24 && bpp != 32) return false;
    const size_t rowBytes = static_cast<size_t>(pic.width) * static_cast<size_t>(bpp / 8);
    if (pic.stride < rowBytes || pic.pixels.size() / pic.stride < static_cast<size_t>(pic.height))
        return false;
    const size_t paletteEntries = pic.palette.size() / 4;

    out.width = pic.width;
    out.height = pic.height;
    out.pixels.assign(static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height),
                      0xFF000000u);
    for (int y = 0; y < pic.height; ++y) {
        const uint8_t* src = pic.row(y);
        uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(pic.width);
        if (bpp == 8) {
            for (int x = 0; x < pic.width; ++x) {
                const size_t i = src[x];
                if (i >= paletteEntries) continue;  // stays black
                const uint8_t* p = pic.palette.data() + i * 4;
                dst[x] = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
            }
        } else {
            const int step = bpp / 8;
            for (int x = 0; x < pic.width; ++x, src += step)
                dst[x] = 0xFF000000u | (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
        }
    }
    return true;
}

bool loadPictureFile(const std::string& path, RgbImage& out, std::string* error) {
    Picture pic;
    if (!ImageReader::readFile(path, pic, 0, error)) return false;
    if (!pictureToRgb(pic, out)) {
        if (error) *error = "unusable picture layout";
        return false;
    }
    return true;
}
