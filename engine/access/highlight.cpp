#include "engine/access/highlight.h"

#include <algorithm>

#include "game/labels.h"
#include "platform/surface.h"
#include "platform/text_renderer.h"
#include "view/view.h"

namespace {

// Yellow on a black halo reads on light and dark pictures alike.
constexpr int kHalo = 2, kStroke = 1;
constexpr uint32_t kTextColour = 0x0000FFFF, kShadowColour = 0;  // 0x00BBGGRR

void thickLine(Surface& back, const Point& a, const Point& b, int half, uint32_t pixel) {
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx)
            back.line(a.x + dx, a.y + dy, b.x + dx, b.y + dy, pixel);
}

}  // namespace

void drawClickableOutlines(Surface& back, const View& view,
                           const std::vector<ClickablePoint>& points, const Labels& labels,
                           TextFont* font) {
    if (!back.valid()) return;
    const uint32_t black = back.format().map(0, 0, 0);
    const uint32_t yellow = back.format().map(255, 255, 0);
    for (int pass = 0; pass < 2; ++pass) {
        // All halos first, so no halo covers a neighbour's stroke.
        for (const ClickablePoint& p : points) {
            const std::vector<Point>& poly = view.hotspot(static_cast<size_t>(p.index)).polygon();
            for (size_t j = 0; j < poly.size(); ++j)
                thickLine(back, poly[j], poly[(j + 1) % poly.size()], pass ? kStroke : kHalo,
                          pass ? yellow : black);
        }
    }
    if (!font) return;
    const int lineHeight = font->lineHeight();
    for (const ClickablePoint& p : points) {
        const std::string text =
            labels.hotspot(view.fileName(), view.hotspot(static_cast<size_t>(p.index)).name());
        // Above the hotspot's reachable pixels, or inside them at the picture's top.
        const int x = std::clamp(p.left + 4, 2, back.width() - 40);
        const int y = p.top >= lineHeight + 2 ? p.top - lineHeight : p.top + 2;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy) back.drawText(font, x + dx, y + dy, kShadowColour, text);
        back.drawText(font, x, y, kTextColour, text);
    }
}
