#include "tools/scene_painter.h"

#include <algorithm>
#include <cmath>

namespace {
float fogAmount(float z, float distance) {
    return std::clamp(z / distance, 0.0f, 1.0f) * 0.75f;
}

float frac(float v) {
    return v - std::floor(v);
}
}  // namespace

Texture bricks(Colour brick, Colour mortar, float width, float height, uint32_t seed) {
    return [=](float u, float v) {
        float row = std::floor(v / height);
        float shifted = u / width + (static_cast<int>(row) % 2 ? 0.5f : 0.0f);
        float col = std::floor(shifted);
        float fu = frac(shifted), fv = frac(v / height);
        float joint = 0.05f;
        if (fu < joint * height / width || fv < joint) return mortar;
        float tone = 0.8f + 0.35f * hashNoise(static_cast<int>(col), static_cast<int>(row), seed);
        float speck = 0.92f + 0.16f * valueNoise(u * 60, v * 60, 1.0f, seed + 7);
        return shade(brick, tone * speck);
    };
}

Texture paving(Colour stone, Colour joint, float size, uint32_t seed) {
    return [=](float u, float v) {
        float fu = frac(u / size), fv = frac(v / size);
        if (fu < 0.04f || fv < 0.04f) return joint;
        int iu = static_cast<int>(std::floor(u / size)),
            iv = static_cast<int>(std::floor(v / size));
        float tone = 0.82f + 0.3f * hashNoise(iu, iv, seed);
        float moss = valueNoise(u * 8, v * 8, 1.0f, seed + 3);
        Colour c = shade(stone, tone);
        return moss > 0.7f ? mix(c, Colour{70, 90, 50}, (moss - 0.7f) * 1.5f) : c;
    };
}

Texture planks(Colour wood, float width, uint32_t seed) {
    return [=](float u, float v) {
        float plank = std::floor(u / width);
        float fu = frac(u / width);
        if (fu < 0.06f) return shade(wood, 0.45f);
        float grain = 0.85f + 0.2f * std::sin(v * 40 + valueNoise(u * 20, v * 3, 1.0f, seed) * 6);
        float tone = 0.85f + 0.25f * hashNoise(static_cast<int>(plank), 3, seed);
        return shade(wood, grain * tone);
    };
}

Texture checker(Colour a, Colour b, float size) {
    return [=](float u, float v) {
        int iu = static_cast<int>(std::floor(u / size)),
            iv = static_cast<int>(std::floor(v / size));
        return ((iu + iv) & 1) ? a : b;
    };
}

Texture hedge(Colour leaf, uint32_t seed) {
    return [=](float u, float v) {
        float n = valueNoise(u * 30, v * 30, 1.0f, seed) * 0.6f +
                  valueNoise(u * 90, v * 90, 1.0f, seed + 1) * 0.4f;
        return shade(leaf, 0.55f + n * 0.8f);
    };
}

Texture gravel(Colour base, uint32_t seed) {
    return [=](float u, float v) {
        float n = valueNoise(u * 40, v * 40, 1.0f, seed) * 0.5f +
                  hashNoise(static_cast<int>(u * 200), static_cast<int>(v * 200), seed) * 0.5f;
        return shade(base, 0.75f + n * 0.45f);
    };
}

void paintFloor(Canvas& c, const Camera& cam, float far, const Texture& tex, Colour fog,
                float fogDistance) {
    int top = static_cast<int>(std::ceil(cam.floorY(far)));
    for (int y = std::max(top, static_cast<int>(cam.horizon) + 1); y < c.height(); ++y) {
        float z = cam.depthAtRow(y + 0.5f);
        for (int x = 0; x < c.width(); ++x) {
            float wx = (x + 0.5f - cam.cx) * z / cam.focal;
            c.set(x, y, mix(tex(wx, z), fog, fogAmount(z, fogDistance)));
        }
    }
}

void paintSideWall(Canvas& c, const Camera& cam, float worldX, float z0, float z1, float height,
                   const Texture& tex, Colour fog, float fogDistance, float light) {
    std::vector<Vec2> quad = {{cam.screenX(worldX, z0), cam.screenY(height, z0)},
                              {cam.screenX(worldX, z1), cam.screenY(height, z1)},
                              {cam.screenX(worldX, z1), cam.screenY(0, z1)},
                              {cam.screenX(worldX, z0), cam.screenY(0, z0)}};
    c.polygon(quad, [&](int x, int y) {
        float dx = x + 0.5f - cam.cx;
        if (std::fabs(dx) < 0.01f) return Colour{};
        float z = cam.focal * worldX / dx;
        float h = cam.eye - (y + 0.5f - cam.horizon) * z / cam.focal;
        return mix(shade(tex(z, h), light), fog, fogAmount(z, fogDistance));
    });
}

void paintBackWall(Canvas& c, const Camera& cam, float z, float x0, float x1, float y0, float y1,
                   const Texture& tex, Colour fog, float fogDistance, float light) {
    int sx0 = static_cast<int>(cam.screenX(x0, z)), sx1 = static_cast<int>(cam.screenX(x1, z));
    int sy0 = static_cast<int>(cam.screenY(y1, z)), sy1 = static_cast<int>(cam.screenY(y0, z));
    float f = fogAmount(z, fogDistance);
    for (int y = std::max(0, sy0); y < std::min(c.height(), sy1); ++y)
        for (int x = std::max(0, sx0); x < std::min(c.width(), sx1); ++x) {
            float u = (x + 0.5f - cam.cx) * z / cam.focal;
            float v = cam.eye - (y + 0.5f - cam.horizon) * z / cam.focal;
            c.set(x, y, mix(shade(tex(u, v), light), fog, f));
        }
}

void paintSky(Canvas& c, Colour top, Colour bottom, int bottomRow, int stars, uint32_t seed) {
    c.verticalGradient(0, 0, c.width(), bottomRow, top, bottom);
    for (int i = 0; i < stars; ++i) {
        int x = static_cast<int>(hashNoise(i, 1, seed) * c.width());
        int y = static_cast<int>(hashNoise(i, 2, seed) * bottomRow * 0.8f);
        float b = hashNoise(i, 3, seed);
        c.blend(x, y, Colour{255, 250, 230}, 0.4f + 0.6f * b * (1.0f - float(y) / bottomRow));
        if (b > 0.93f) {
            c.blend(x + 1, y, Colour{255, 250, 230}, 0.4f);
            c.blend(x - 1, y, Colour{255, 250, 230}, 0.4f);
            c.blend(x, y + 1, Colour{255, 250, 230}, 0.4f);
            c.blend(x, y - 1, Colour{255, 250, 230}, 0.4f);
        }
    }
}

void paintSign(Canvas& c, int x, int y, int w, int h, const std::string& text, int textHeight,
               Colour board, Colour ink) {
    c.rect(x + 3, y + 3, x + w + 3, y + h + 3, Colour{20, 15, 10});  // shadow
    c.rect(x, y, x + w, y + h, shade(board, 0.6f));
    c.rect(x + 2, y + 2, x + w - 2, y + h - 2, board);
    c.grain(x + 2, y + 2, x + w - 2, y + h - 2, 10, static_cast<uint32_t>(x * 31 + y));
    if (text.empty()) return;
    int width = c.textWidth(text, textHeight);
    c.text(x + (w - width) / 2, y + (h - textHeight) / 2 - 1, text, ink, textHeight);
}
