#include "tools/canvas.h"

#include <algorithm>
#include <cmath>

namespace {
int clampByte(int v) {
    return v < 0 ? 0 : v > 255 ? 255 : v;
}
}  // namespace

Colour mix(Colour a, Colour b, float t) {
    return {static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
            static_cast<int>(a.b + (b.b - a.b) * t)};
}

Colour shade(Colour c, float factor) {
    return {clampByte(static_cast<int>(c.r * factor)), clampByte(static_cast<int>(c.g * factor)),
            clampByte(static_cast<int>(c.b * factor))};
}

Canvas::Canvas(Screen& screen, int width, int height) : screen_(screen) {
    surface_.create(PixelFormat::ofType(32), width, height, &screen);
}

Colour Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return {};
    const uint8_t* p = surface_.pixels() + y * surface_.pitch() + x * 4;
    return {p[2], p[1], p[0]};
}

void Canvas::set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    uint8_t* p = surface_.pixels() + y * surface_.pitch() + x * 4;
    p[0] = static_cast<uint8_t>(clampByte(c.b));
    p[1] = static_cast<uint8_t>(clampByte(c.g));
    p[2] = static_cast<uint8_t>(clampByte(c.r));
    p[3] = 0;
}

void Canvas::blend(int x, int y, Colour c, float a) {
    if (a <= 0) return;
    if (a >= 1) {
        set(x, y, c);
        return;
    }
    set(x, y, mix(get(x, y), c, a));
}

void Canvas::fill(Colour c) {
    rect(0, 0, width(), height(), c);
}

void Canvas::rect(int x0, int y0, int x1, int y1, Colour c) {
    for (int y = std::max(0, y0); y < std::min(height(), y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width(), x1); ++x) set(x, y, c);
}

void Canvas::verticalGradient(int x0, int y0, int x1, int y1, Colour top, Colour bottom) {
    for (int y = std::max(0, y0); y < std::min(height(), y1); ++y) {
        Colour c = mix(top, bottom, y1 - y0 > 1 ? float(y - y0) / float(y1 - y0 - 1) : 0.0f);
        for (int x = std::max(0, x0); x < std::min(width(), x1); ++x) set(x, y, c);
    }
}

void Canvas::polygon(const std::vector<Vec2>& pts, const std::function<Colour(int, int)>& paint) {
    if (pts.size() < 3) return;
    float minY = pts[0].y, maxY = pts[0].y;
    for (const Vec2& p : pts) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    int yStart = std::max(0, static_cast<int>(std::floor(minY)));
    int yEnd = std::min(height() - 1, static_cast<int>(std::ceil(maxY)));
    std::vector<float> xs;
    for (int y = yStart; y <= yEnd; ++y) {
        float sy = y + 0.5f;
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            Vec2 a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            int xa = std::max(0, static_cast<int>(std::lround(xs[i])));
            int xb = std::min(width() - 1, static_cast<int>(std::lround(xs[i + 1])) - 1);
            for (int x = xa; x <= xb; ++x) set(x, y, paint(x, y));
        }
    }
}

void Canvas::polygon(const std::vector<Vec2>& pts, Colour c) {
    polygon(pts, [c](int, int) { return c; });
}

void Canvas::ellipse(float cx, float cy, float rx, float ry, Colour c, float alpha, bool soft) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y) {
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float d = std::sqrt(dx * dx + dy * dy);
            // One pixel of soft edge keeps curves from looking jagged.
            float edge = std::clamp((1.0f - d) * std::min(rx, ry), 0.0f, 1.0f);
            if (!soft) edge = d <= 1.0f ? 1.0f : 0.0f;
            blend(x, y, c, edge * alpha);
        }
    }
}

void Canvas::thickLine(float x0, float y0, float x1, float y1, float w, Colour c) {
    float dx = x1 - x0, dy = y1 - y0;
    float len = std::sqrt(dx * dx + dy * dy);
    if (len < 0.001f) return;
    float nx = -dy / len * w / 2, ny = dx / len * w / 2;
    polygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}}, c);
}

void Canvas::shadePolygon(const std::vector<Vec2>& pts, float factor) {
    polygon(pts, [this, factor](int x, int y) { return shade(get(x, y), factor); });
}

void Canvas::grain(int x0, int y0, int x1, int y1, int amount, uint32_t seed) {
    for (int y = std::max(0, y0); y < std::min(height(), y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width(), x1); ++x) {
            int d = static_cast<int>((hashNoise(x, y, seed) * 2 - 1) * amount);
            Colour c = get(x, y);
            set(x, y, {c.r + d, c.g + d, c.b + d});
        }
}

void Canvas::vignette(float strength) {
    float cx = width() / 2.0f, cy = height() / 2.0f;
    float maxD = std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x) {
            float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / maxD;
            set(x, y, shade(get(x, y), 1.0f - strength * d * d));
        }
}

void Canvas::text(int x, int y, const std::string& str, Colour c, int pixelHeight) {
    surface_.createFont("DejaVu Sans", 0, pixelHeight, 700);
    surface_.selectFont();
    uint32_t bgr = static_cast<uint32_t>(clampByte(c.b)) << 16 |
                   static_cast<uint32_t>(clampByte(c.g)) << 8 |
                   static_cast<uint32_t>(clampByte(c.r));
    surface_.drawText(x, y, bgr, str);
}

int Canvas::textWidth(const std::string& str, int pixelHeight) const {
    Canvas scratch(screen_, static_cast<int>(str.size()) * pixelHeight + 16, pixelHeight * 2 + 8);
    scratch.fill({0, 0, 0});
    scratch.text(0, 0, str, {255, 255, 255}, pixelHeight);
    int right = 0;
    for (int y = 0; y < scratch.height(); ++y)
        for (int x = 0; x < scratch.width(); ++x)
            if (scratch.get(x, y).r > 0 && x + 1 > right) right = x + 1;
    return right;
}

float hashNoise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / float(0xFFFFFF);
}

float valueNoise(float x, float y, float cell, uint32_t seed) {
    float fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
    float c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}
