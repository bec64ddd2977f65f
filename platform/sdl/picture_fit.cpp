#include "platform/sdl/picture_fit.h"

#include <algorithm>
#include <cstdint>

namespace {

// Division rounding towards minus infinity (positions left of the picture are negative).
int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// One axis: the picture pixel whose area holds the centre of window unit `w`.
int axisToPicture(int w, int windowSize, int outputSize, int offset, int size, int picture) {
    // Centre of the unit in output pixels: (w + 1/2) * output / window; relative to the
    // picture's edge, then scaled to picture pixels. All over a common denominator.
    const int64_t numerator =
        ((2 * int64_t{w} + 1) * outputSize - 2 * int64_t{offset} * windowSize) * picture;
    const int64_t denominator = 2 * int64_t{windowSize} * size;
    return static_cast<int>(std::clamp<int64_t>(floorDiv(numerator, denominator), 0, picture - 1));
}

// One axis: the window unit holding the centre of picture pixel `p`.
int axisToWindow(int p, int windowSize, int outputSize, int offset, int size, int picture) {
    // Centre in output pixels: offset + (p + 1/2) * size / picture; then in window units.
    const int64_t numerator =
        (2 * int64_t{offset} * picture + (2 * int64_t{p} + 1) * size) * windowSize;
    const int64_t denominator = 2 * int64_t{picture} * outputSize;
    return static_cast<int>(
        std::clamp<int64_t>(floorDiv(numerator, denominator), 0, windowSize - 1));
}

}  // namespace

PictureFit fitPicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight) {
    PictureFit fit;
    if (outputWidth <= 0 || outputHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return fit;
    const int64_t ow = outputWidth, oh = outputHeight, pw = pictureWidth, ph = pictureHeight;
    if (ow * ph <= oh * pw) {  // the width decides; bars above and below
        fit.width = outputWidth;
        fit.height = static_cast<int>(ow * ph / pw);
    } else {  // the height decides; bars left and right
        fit.height = outputHeight;
        fit.width = static_cast<int>(oh * pw / ph);
    }
    fit.x = (outputWidth - fit.width) / 2;
    fit.y = (outputHeight - fit.height) / 2;
    if (fit.width % pictureWidth == 0 && fit.height % pictureHeight == 0 &&
        fit.width / pictureWidth == fit.height / pictureHeight) {
        fit.scale = fit.width / pictureWidth;
    }
    return fit;
}

int windowScaleFor(int desktopWidth, int desktopHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
    // k * picture <= 0.9 * desktop, in whole numbers: 10 * k * picture <= 9 * desktop.
    const int64_t byWidth = 9 * int64_t{desktopWidth} / (10 * int64_t{pictureWidth});
    const int64_t byHeight = 9 * int64_t{desktopHeight} / (10 * int64_t{pictureHeight});
    return static_cast<int>(std::clamp<int64_t>(std::min(byWidth, byHeight), 1, 64));
}

void windowToPicture(const PointerGeometry& g, int wx, int wy, int& px, int& py) {
    if (g.pictureWidth <= 0 || g.pictureHeight <= 0) {
        px = wx;
        py = wy;
        return;
    }
    if (g.windowWidth <= 0 || g.windowHeight <= 0 || g.outputWidth <= 0 || g.outputHeight <= 0 ||
        g.fit.width <= 0 || g.fit.height <= 0) {
        px = std::clamp(wx, 0, g.pictureWidth - 1);
        py = std::clamp(wy, 0, g.pictureHeight - 1);
        return;
    }
    px = axisToPicture(wx, g.windowWidth, g.outputWidth, g.fit.x, g.fit.width, g.pictureWidth);
    py = axisToPicture(wy, g.windowHeight, g.outputHeight, g.fit.y, g.fit.height, g.pictureHeight);
}

void pictureToWindow(const PointerGeometry& g, int px, int py, int& wx, int& wy) {
    wx = px;
    wy = py;
    if (g.pictureWidth <= 0 || g.pictureHeight <= 0 || g.windowWidth <= 0 || g.windowHeight <= 0 ||
        g.outputWidth <= 0 || g.outputHeight <= 0 || g.fit.width <= 0 || g.fit.height <= 0)
        return;
    px = std::clamp(px, 0, g.pictureWidth - 1);
    py = std::clamp(py, 0, g.pictureHeight - 1);
    wx = axisToWindow(px, g.windowWidth, g.outputWidth, g.fit.x, g.fit.width, g.pictureWidth);
    wy = axisToWindow(py, g.windowHeight, g.outputHeight, g.fit.y, g.fit.height, g.pictureHeight);
}
