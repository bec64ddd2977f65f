// Debug mode's drawing over a Play frame: hotspot outlines, the four red lines and the
// five pixels at the pointer.
#include <cstdio>

#include "engine/engine.h"
#include "engine/text_output.h"

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

void Engine::drawDebugOverlay(int x, int y) {
    GameState& g = state_;
    if (!g.screen) return;
    Surface& back = g.screen->back();
    if (!back.valid()) return;
    uint32_t white = back.format().map(255, 255, 255);

    if (g.currentView) {
        for (size_t i = 0; i < g.currentView->hotspotCount(); ++i) {
            const std::vector<Point>& poly = g.currentView->hotspot(i).polygon();
            size_t n = poly.size();
            for (size_t j = 0; j < n; ++j) {
                const Point& a = poly[j];
                const Point& b = poly[(j + 1) % n];
                back.line(a.x, a.y, b.x, b.y, white);
            }
        }
    }

    uint32_t volume = g.mixer ? g.mixer->getVolume() : 0;
    drawTextLine(back, 0, 0, kRed, format("FPS %d", g.fps));
    drawTextLine(back, 0, 50, kRed,
                 format("VOL %d  %d", volumePercent(volume & 0xFFFF), volumePercent(volume >> 16)));
    drawTextLine(back, 0, 10, kRed,
                 format("MouseX %d  MouseY %d RealMouseX %d RealMouseY %d", x, y, g.realMouseX,
                        g.realMouseY));
    drawTextLine(back, 0, 20, kRed,
                 format("InvIndex %d  Invlistsize %d  InvAnimNull %d", g.inventory.selection,
                        static_cast<int>(g.inventory.items.size()), g.inventory.anim ? 0 : 1));

    back.putPixel(x, y, white);
    back.putPixel(x - 1, y - 1, white);
    back.putPixel(x + 1, y - 1, white);
    back.putPixel(x - 1, y + 1, white);
    back.putPixel(x + 1, y + 1, white);
}
