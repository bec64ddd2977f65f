// Text on a surface: a font given, or the surface's own from a text renderer (the
// screen's, for the game's shorthand), its ink painted in one colour over whatever is
// below (a transparent background).
#include <algorithm>
#include <cstring>

#include "platform/screen.h"
#include "platform/surface.h"
#include "platform/text_renderer.h"

namespace {

// Writes the low `Bytes` bytes of a pixel value (memory order is little-endian on every
// layout we draw).
template <int Bytes>
inline void storePixel(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, Bytes);
}

template <int Bytes>
void drawMask(Bitmap& bitmap, const TextMask& mask, int x, int y, const Rect& clip,
              uint32_t pixel) {
    const int64_t left = std::max<int64_t>(x, clip.left);
    const int64_t right = std::min<int64_t>(int64_t{x} + mask.width, clip.right);
    const int64_t top = std::max<int64_t>(y, clip.top);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + mask.height, clip.bottom);
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* ink = mask.ink.data() + static_cast<size_t>(row - y) * mask.width;
        uint8_t* out = bitmap.row(static_cast<int>(row));
        for (int64_t col = left; col < right; ++col)
            if (ink[col - x]) storePixel<Bytes>(out + static_cast<size_t>(col) * Bytes, pixel);
    }
}

}  // namespace

TextRenderer* Surface::textRenderer() const {
    return screen_ ? screen_->textRenderer() : nullptr;
}

int Surface::createFont(TextRenderer* renderer, const std::string& face, int width, int height,
                        int weight) {
    font_.reset();
    fontFace_ = face.substr(0, 255);
    if (!renderer) return -2;
    font_ = renderer->openFont(face, width, height, weight);
    if (!font_) return -2;
    // The fallback face keeps the text readable, but the caller asked for another one.
    return face.empty() || renderer->hasFace(face) ? 0 : -2;
}

int Surface::createFont(const std::string& face, int width, int height, int weight) {
    return createFont(textRenderer(), face, width, height, weight);
}

int Surface::selectFont() {
    return font_ ? 0 : -1;
}

TextFont* Surface::activeFont(TextRenderer* renderer) {
    if (font_) return font_.get();
    return renderer ? renderer->defaultFont() : nullptr;
}

int Surface::drawText(int x, int y, uint32_t colour, const std::string& text) {
    if (text.empty()) return 0;
    if (!valid()) return -1;  // before the renderer is asked for its default font
    return drawText(activeFont(textRenderer()), x, y, colour, text);
}

int Surface::drawText(TextFont* font, int x, int y, uint32_t colour, const std::string& text) {
    if (text.empty()) return 0;
    if (!valid() || !font) return -1;
    const TextMask* mask = font->render(text);
    if (!mask) return -1;
    const uint32_t pixel = format().map(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    switch (format().bytesPerPixel) {
        case 1:
            drawMask<1>(bitmap_, *mask, x, y, clip_, pixel);
            break;
        case 2:
            drawMask<2>(bitmap_, *mask, x, y, clip_, pixel);
            break;
        case 3:
            drawMask<3>(bitmap_, *mask, x, y, clip_, pixel);
            break;
        case 4:
            drawMask<4>(bitmap_, *mask, x, y, clip_, pixel);
            break;
    }
    return 0;
}
