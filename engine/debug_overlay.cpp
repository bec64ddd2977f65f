// Debug mode's drawing over a Play frame: hotspot outlines, the four red lines and the
// five pixels at the pointer.
#include <cstdio>

#include "engine/scene.h"
#include "engine/text_output.h"
#include "platform/screen.h"

namespace {

std::string format(const char* fmt, int a, int b = 0, int c = 0, int d = 0) {
    char text[128];
    std::snprintf(text, sizeof text, fmt, a, b, c, d);
    return text;
}

// A wave-out channel (0..65535) as the 1..100 figure shown.
int volumePercent(uint32_t channel) {
    return static_cast<int>(channel * 100 / 65535 + 1);
}

}  // namespace

void Scene::drawDebugOverlay(int x, int y, const DebugFigures& figures) {
    if (!screen_) return;
    Surface& back = screen_->back();
    if (!back.valid()) return;
    uint32_t white = back.format().map(255, 255, 255);

    if (view_) {
        for (size_t i = 0; i < view_->hotspotCount(); ++i) {
            const std::vector<Point>& poly = view_->hotspot(i).polygon();
            size_t n = poly.size();
            for (size_t j = 0; j < n; ++j) {
                const Point& a = poly[j];
                const Point& b = poly[(j + 1) % n];
                back.line(a.x, a.y, b.x, b.y, white);
            }
        }
    }

    const uint32_t volume = figures.volume;
    drawTextLine(back, 0, 0, kRed, format("FPS %d", figures.fps));
    drawTextLine(back, 0, 50, kRed,
                 format("VOL %d  %d", volumePercent(volume & 0xFFFF), volumePercent(volume >> 16)));
    drawTextLine(back, 0, 10, kRed,
                 format("MouseX %d  MouseY %d RealMouseX %d RealMouseY %d", x, y,
                        figures.realMouseX, figures.realMouseY));
    drawTextLine(back, 0, 20, kRed,
                 format("InvIndex %d  Invlistsize %d  InvAnimNull %d", figures.selection,
                        figures.itemCount, figures.heldPicture ? 0 : 1));

    back.putPixel(x, y, white);
    back.putPixel(x - 1, y - 1, white);
    back.putPixel(x + 1, y - 1, white);
    back.putPixel(x - 1, y + 1, white);
    back.putPixel(x + 1, y + 1, white);
}
