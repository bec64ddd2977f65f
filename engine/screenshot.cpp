#include "engine/screenshot.h"

#include "engine/console.h"
#include "engine/game_state.h"
#include "platform/image/imagelib.h"

namespace {

// Widens one channel of a 15/16-bit pixel to 8 bits (masks are kept unshifted).
struct Channel {
    uint32_t mask;
    int shift;
    uint8_t operator()(uint32_t pixel) const {
        return mask ? static_cast<uint8_t>(((pixel >> shift) & mask) * 255u / mask) : 0;
    }
};

Channel channelOf(uint32_t mask, int shift) {
    return Channel{mask, shift};
}

// The surface's picture as 24-bit B,G,R rows, the format decided once per surface.
bool fillRecord(const Surface& surface, ImageRecord& record) {
    record.width = surface.width();
    record.height = surface.height();
    record.bitCount = 24;
    if (!surface.valid() || !AllocateImageRecord(record)) return false;
    const PixelFormat& format = surface.format();
    const uint8_t* pixels = surface.pixels();
    const int w = surface.width();
    for (int y = 0; y < surface.height(); ++y) {
        const uint8_t* src = pixels + static_cast<size_t>(y) * surface.pitch();
        uint8_t* dst = record.pixels.data() + static_cast<size_t>(y) * record.stride;
        switch (format.bytesPerPixel) {
            case 2: {
                Channel r = channelOf(format.redMask, format.redShift);
                Channel g = channelOf(format.greenMask, format.greenShift);
                Channel b = channelOf(format.blueMask, format.blueShift);
                for (int x = 0; x < w; ++x) {
                    uint32_t p = uint32_t{src[2 * x]} | (uint32_t{src[2 * x + 1]} << 8);
                    dst[3 * x] = b(p);
                    dst[3 * x + 1] = g(p);
                    dst[3 * x + 2] = r(p);
                }
                break;
            }
            case 3:
            case 4: {
                const int step = format.bytesPerPixel;
                for (int x = 0; x < w; ++x) {
                    dst[3 * x] = src[step * x];
                    dst[3 * x + 1] = src[step * x + 1];
                    dst[3 * x + 2] = src[step * x + 2];
                }
                break;
            }
            default:
                return false;
        }
    }
    return true;
}

}  // namespace

bool takeScreenshot(Surface& surface, const std::string& fileName) {
    GameState& g = game();
    std::string name = fileName;
    if (name.empty()) name = "shot" + std::to_string(g.screenshotCounter) + ".jpg";
    g.screenshotCounter = static_cast<int32_t>(static_cast<uint32_t>(g.screenshotCounter) + 1u);
    ImageRecord record;
    InitImageRecord(record);
    bool written = fillRecord(surface, record) && WriteRecordJpeg(name, record, 100);
    FreeImageRecord(record);
    // Only pictures of the screen are reported; saved-game thumbnails stay quiet.
    if (g.screen && &surface == &g.screen->back()) {
        if (written)
            consolePrint("Wrote Screenshot to " + name, kWhite);
        else
            consolePrint("Could not write screenshot " + name, kRed);
    }
    return written;
}
