#include "tools/demo_views.h"

#include <algorithm>
#include <cmath>

#include "tools/scene_painter.h"

namespace {

const Colour kDuskTop{24, 30, 78}, kDuskLow{236, 146, 92}, kDuskFog{200, 140, 110};
const Colour kStone{156, 138, 116}, kMortar{92, 80, 68}, kSlate{52, 56, 66};
const Colour kWood{112, 70, 38}, kWarm{255, 206, 120}, kInk{40, 24, 12}, kBoard{196, 164, 110};

std::vector<Vec2> rectPoly(float x0, float y0, float x1, float y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// A warm glow spreading from a point, for lit windows and lamps.
void glow(Canvas& c, float x, float y, float radius, Colour colour, float strength) {
    for (int py = static_cast<int>(y - radius); py <= static_cast<int>(y + radius); ++py)
        for (int px = static_cast<int>(x - radius); px <= static_cast<int>(x + radius); ++px) {
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y)) / radius;
            if (d < 1) c.blend(px, py, colour, strength * (1 - d) * (1 - d));
        }
}

void litWindow(Canvas& c, int x0, int y0, int x1, int y1) {
    c.rect(x0 - 4, y0 - 4, x1 + 4, y1 + 4, Colour{80, 70, 60});
    c.verticalGradient(x0, y0, x1, y1, Colour{255, 226, 150}, Colour{226, 150, 70});
    int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    c.rect(mx - 2, y0, mx + 2, y1, Colour{60, 40, 25});
    c.rect(x0, my - 2, x1, my + 2, Colour{60, 40, 25});
    c.rect(x0 - 6, y1 + 4, x1 + 6, y1 + 9, Colour{120, 108, 96});  // sill
    glow(c, (x0 + x1) / 2.0f, (y0 + y1) / 2.0f, (x1 - x0) * 1.6f, kWarm, 0.25f);
}

// An arched doorway; open shows a lit interior.
void doorway(Canvas& c, int x0, int y0, int x1, int y1, bool open) {
    float cx = (x0 + x1) / 2.0f, r = (x1 - x0) / 2.0f;
    std::vector<Vec2> shape;
    for (int i = 0; i <= 16; ++i) {
        float a = 3.14159f * i / 16;
        shape.push_back({cx - r * std::cos(a), y0 + r - r * std::sin(a)});
    }
    shape.push_back({static_cast<float>(x1), static_cast<float>(y1)});
    shape.push_back({static_cast<float>(x0), static_cast<float>(y1)});
    // Stone surround.
    std::vector<Vec2> surround;
    for (const Vec2& p : shape)
        surround.push_back({cx + (p.x - cx) * 1.18f, y1 - (y1 - p.y) * 1.08f});
    c.polygon(surround, Colour{128, 112, 96});
    if (open) {
        c.polygon(shape, [&](int x, int y) {
            float t = float(y - y0) / float(y1 - y0);
            Colour deep = mix(Colour{90, 50, 20}, kWarm, t * 0.8f);
            return shade(deep, 0.8f + 0.2f * hashNoise(x / 6, y / 6, 5));
        });
        // The door leaf swung inwards: a dark sliver on the left.
        c.polygon({{static_cast<float>(x0), y0 + r},
                   {x0 + 14.0f, y0 + r + 10},
                   {x0 + 14.0f, y1 - 4.0f},
                   {static_cast<float>(x0), static_cast<float>(y1)}},
                  shade(kWood, 0.5f));
    } else {
        Texture wood = planks(kWood, 14, 11);
        c.polygon(shape, [&](int x, int y) { return wood(float(x - x0), float(y) / 40.0f); });
        c.rect(x0, y0 + static_cast<int>(r) + 20, x1, y0 + static_cast<int>(r) + 26,
               Colour{40, 36, 34});  // iron bands
        c.rect(x0, y1 - 34, x1, y1 - 28, Colour{40, 36, 34});
        c.ellipse(x1 - 14, (y0 + y1) / 2.0f + 10, 5, 5, Colour{200, 170, 80});  // ring
        c.ellipse(x1 - 14, (y0 + y1) / 2.0f + 10, 3, 3, shade(kWood, 0.7f));
    }
}

void tree(Canvas& c, float x, float baseY, float h, uint32_t seed) {
    c.thickLine(x, baseY, x + 4, baseY - h * 0.55f, h * 0.08f, Colour{60, 40, 28});
    for (int i = 0; i < 14; ++i) {
        float ox = (hashNoise(i, 1, seed) - 0.5f) * h * 0.6f;
        float oy = hashNoise(i, 2, seed) * h * 0.45f;
        float r = h * (0.14f + 0.1f * hashNoise(i, 3, seed));
        Colour leaf = shade(Colour{46, 78, 40}, 0.7f + 0.5f * hashNoise(i, 4, seed));
        c.ellipse(x + ox, baseY - h * 0.55f - oy, r, r * 0.85f, leaf);
    }
}

void pedestal(Canvas& c, bool withHorse) {
    // A square stone column standing on the paving, with a plaque.
    c.polygon(rectPoly(186, 318, 262, 420), Colour{170, 160, 146});
    c.grain(186, 318, 262, 420, 10, 21);
    c.polygon(rectPoly(176, 306, 272, 320), Colour{190, 180, 164});  // cap
    c.polygon(rectPoly(178, 416, 270, 430), Colour{150, 140, 128});  // foot
    c.shadePolygon(rectPoly(244, 320, 262, 416), 0.75f);             // side in shade
    c.ellipse(226, 432, 56, 7, Colour{30, 26, 24}, 0.5f);            // shadow
    paintSign(c, 194, 344, 50, 42, "HOME", 11, Colour{180, 150, 80}, kInk);
    if (withHorse) paintHorse(c, 224, 306, 1.0f);
}

}  // namespace

void paintHorse(Canvas& c, float x, float y, float s) {
    // A chess-knight-like figurine in polished brass, facing left.
    Colour brass{206, 160, 70}, dark{120, 84, 30};
    c.polygon({{x - 20 * s, y}, {x + 20 * s, y}, {x + 16 * s, y - 8 * s}, {x - 16 * s, y - 8 * s}},
              dark);
    std::vector<Vec2> body = {{x - 12 * s, y - 8 * s},  {x + 12 * s, y - 8 * s},
                              {x + 10 * s, y - 26 * s}, {x + 14 * s, y - 44 * s},
                              {x + 6 * s, y - 58 * s},  {x - 4 * s, y - 60 * s},
                              {x - 18 * s, y - 48 * s}, {x - 20 * s, y - 40 * s},
                              {x - 8 * s, y - 38 * s},  {x - 6 * s, y - 26 * s}};
    c.polygon(body, [&](int px, int) {
        float t = (px - (x - 20 * s)) / (34 * s);
        return mix(Colour{250, 214, 120}, dark, std::fabs(t - 0.35f) * 1.3f);
    });
    c.ellipse(x - 4 * s, y - 50 * s, 2 * s, 2 * s, Colour{40, 30, 10});       // eye
    c.thickLine(x + 4 * s, y - 56 * s, x + 12 * s, y - 30 * s, 3 * s, dark);  // mane
    (void)brass;
}

void paintGate(Canvas& c) {
    Camera cam;
    paintSky(c, kDuskTop, kDuskLow, 300, 70, 111);
    for (int i = 0; i < 7; ++i) tree(c, 10 + i * 105.0f, 244, 140 + (i % 3) * 30.0f, 120 + i);
    // Beyond the gate: lawns, a gravel drive and the house at the end of it.
    Texture lawn = hedge(Colour{70, 112, 54}, 113);
    Texture drive = gravel(Colour{150, 136, 110}, 114);
    for (int y = static_cast<int>(cam.horizon) + 1; y < c.height(); ++y) {
        float z = cam.depthAtRow(y + 0.5f);
        for (int x = 0; x < c.width(); ++x) {
            float wx = (x + 0.5f - cam.cx) * z / cam.focal;
            Colour g = std::fabs(wx) < 1.3f ? drive(wx, z) : lawn(wx * 0.5f, z * 0.5f);
            c.set(x, y, mix(g, kDuskFog, std::clamp(z / 60.0f, 0.0f, 0.7f)));
        }
    }
    paintBackWall(c, cam, 40, -5, 5, 0, 7, bricks(Colour{170, 150, 122}, kMortar, 0.6f, 0.26f, 115),
                  kDuskFog, 60, 1.0f);
    c.polygon({{cam.screenX(-5.5f, 40), cam.screenY(6.9f, 40)},
               {cam.screenX(5.5f, 40), cam.screenY(6.9f, 40)},
               {cam.screenX(3, 40), cam.screenY(9.5f, 40)},
               {cam.screenX(-3, 40), cam.screenY(9.5f, 40)}},
              shade(kSlate, 0.9f));
    for (float wx : {-3.0f, 0.0f, 3.0f}) {
        int x = static_cast<int>(cam.screenX(wx, 40)), y = static_cast<int>(cam.screenY(3.5f, 40));
        c.rect(x - 4, y - 6, x + 4, y + 6, Colour{255, 210, 130});
        glow(c, x, y, 14, kWarm, 0.4f);
    }
    // The boundary wall, with the gateway left open in the middle.
    Texture wall = bricks(kStone, kMortar, 0.5f, 0.22f, 116);
    paintBackWall(c, cam, 6, -9, -1.2f, 0, 2.5f, wall, kDuskFog, 40, 0.9f);
    paintBackWall(c, cam, 6, 1.2f, 9, 0, 2.5f, wall, kDuskFog, 40, 0.9f);
    c.rect(0, static_cast<int>(cam.screenY(2.5f, 6)) - 6, 640,
           static_cast<int>(cam.screenY(2.5f, 6)) + 2, Colour{120, 110, 100});  // coping
    // The iron leaves stand open against the inside of the wall.
    for (int side : {-1, 1}) {
        float edge = 320 + side * 80.0f, inner = 320 + side * 56.0f;
        c.polygon({{edge, 186}, {inner, 196}, {inner, 330}, {edge, 346}}, [&](int x, int) {
            return (x / 4) % 2 ? Colour{24, 24, 28} : Colour{0, 0, 0};
        });
    }
    // Pillars with lamps.
    for (int side : {-1, 1}) {
        int x0 = static_cast<int>(cam.screenX(side < 0 ? -1.7f : 1.2f, 6));
        int x1 = static_cast<int>(cam.screenX(side < 0 ? -1.2f : 1.7f, 6));
        int top = static_cast<int>(cam.screenY(3.1f, 6)), bottom = static_cast<int>(cam.floorY(6));
        c.polygon(rectPoly(x0, top, x1, bottom), [&](int x, int y) {
            return shade(kStone,
                         (side < 0 ? 0.8f : 1.0f) * (0.9f + 0.2f * hashNoise(x / 3, y / 5, 7)));
        });
        c.rect(x0 - 4, top - 8, x1 + 4, top, Colour{130, 120, 108});
        int lx = (x0 + x1) / 2;
        c.rect(lx - 6, top - 30, lx + 6, top - 8, Colour{40, 36, 32});
        c.rect(lx - 4, top - 27, lx + 4, top - 11, Colour{255, 220, 140});
        glow(c, lx, top - 19, 60, kWarm, 0.35f);
    }
    // An iron arch over the gateway carrying the house's name.
    c.thickLine(240, 150, 400, 150, 4, Colour{20, 20, 24});
    paintSign(c, 250, 124, 140, 24, "HARROW HOUSE", 14, kBoard, kInk);
    paintSign(c, 470, 296, 120, 46, "", 13, Colour{220, 214, 196}, kInk);
    c.text(530 - c.textWidth("VISITORS", 13) / 2, 302, "VISITORS", kInk, 13);
    c.text(530 - c.textWidth("WELCOME", 13) / 2, 320, "WELCOME", kInk, 13);
    c.vignette(0.4f);
}

void paintCourtyard(Canvas& c, bool doorOpen, bool horseOnPedestal) {
    Camera cam;
    paintSky(c, kDuskTop, kDuskLow, 300, 60, 3);
    // Distant trees over the walls.
    for (int i = 0; i < 6; ++i) tree(c, 40 + i * 115.0f, 250, 150 + (i % 3) * 20.0f, 40 + i);
    paintFloor(c, cam, 10, paving(Colour{128, 122, 112}, Colour{70, 64, 58}, 0.9f, 5), kDuskFog,
               40);
    // Side walls with openings: garden arch on the left, well gate on the right.
    paintSideWall(c, cam, -4, 1.6f, 10, 3.4f, bricks(kStone, kMortar, 0.5f, 0.22f, 7), kDuskFog, 40,
                  0.75f);
    paintSideWall(c, cam, 4, 1.6f, 10, 3.4f, bricks(kStone, kMortar, 0.5f, 0.22f, 8), kDuskFog, 40,
                  0.9f);
    // The manor's front at the back of the court, under a slate roof.
    paintBackWall(c, cam, 10, -4, 4, 0, 6.0f,
                  bricks(Colour{170, 150, 122}, kMortar, 0.6f, 0.26f, 9), kDuskFog, 40, 1.0f);
    c.polygon(
        {{cam.screenX(-4.6f, 10), cam.screenY(5.9f, 10)},
         {cam.screenX(4.6f, 10), cam.screenY(5.9f, 10)},
         {cam.screenX(2.5f, 10), cam.screenY(8.0f, 10)},
         {cam.screenX(-2.5f, 10), cam.screenY(8.0f, 10)}},
        [&](int x, int y) { return shade(kSlate, 0.8f + 0.3f * hashNoise(x / 5, y / 3, 4)); });
    litWindow(c, 186, 150, 226, 200);
    litWindow(c, 414, 150, 454, 200);
    litWindow(c, 300, 90, 340, 130);
    doorway(c, 290, 206, 350, 303, doorOpen);
    if (doorOpen) glow(c, 320, 300, 90, kWarm, 0.35f);
    paintSign(c, 268, 170, 104, 22, "HARROW HOUSE", 13, kBoard, kInk);
    // Openings in the side walls, between depths 5.5 and 8.
    auto opening = [&](float wallX) {
        return std::vector<Vec2>{{cam.screenX(wallX, 5.5f), cam.screenY(2.4f, 5.5f)},
                                 {cam.screenX(wallX, 8.0f), cam.screenY(2.4f, 8.0f)},
                                 {cam.screenX(wallX, 8.0f), cam.screenY(0, 8.0f)},
                                 {cam.screenX(wallX, 5.5f), cam.screenY(0, 5.5f)}};
    };
    Texture leaves = hedge(Colour{60, 104, 50}, 12);
    c.polygon(opening(-4), [&](int x, int y) {
        return shade(leaves(x / 60.0f, y / 60.0f), 0.6f + 0.4f * float(y - 180) / 180.0f);
    });
    c.polygon(opening(4), [&](int x, int y) {
        Colour sky = mix(kDuskLow, Colour{90, 120, 80}, float(y - 180) / 180.0f);
        bool bar = (x / 7) % 3 == 0;  // iron gate bars
        return bar ? Colour{30, 30, 34} : shade(sky, 0.7f + 0.3f * hashNoise(x, y, 2));
    });
    paintSign(c, 30, 150, 84, 22, "< GARDEN", 12, kBoard, kInk);
    paintSign(c, 526, 150, 84, 22, "WELL >", 12, kBoard, kInk);
    pedestal(c, horseOnPedestal);
    c.vignette(0.35f);
}

void paintGarden(Canvas& c, bool horseOnBench) {
    Camera cam;
    paintSky(c, kDuskTop, kDuskLow, 300, 40, 13);
    for (int i = 0; i < 5; ++i) tree(c, 60 + i * 130.0f, 246, 170 + (i % 2) * 30.0f, 60 + i);
    paintFloor(c, cam, 16, gravel(Colour{150, 136, 110}, 4), kDuskFog, 40);
    // Lawns either side of the path.
    Texture lawn = hedge(Colour{70, 118, 56}, 17);
    for (int y = 250; y < 480; ++y) {
        float z = cam.depthAtRow(y + 0.5f);
        for (int x = 0; x < 640; ++x) {
            float wx = (x + 0.5f - cam.cx) * z / cam.focal;
            if (std::fabs(wx) > 1.1f) c.set(x, y, lawn(wx * 0.5f, z * 0.5f));
        }
    }
    paintSideWall(c, cam, -3.5f, 1.2f, 16, 1.8f, hedge(Colour{50, 96, 44}, 3), kDuskFog, 40, 0.85f);
    paintSideWall(c, cam, 3.5f, 1.2f, 16, 1.8f, hedge(Colour{50, 96, 44}, 4), kDuskFog, 40, 1.0f);
    // The fountain at the end of the path.
    float fx = 320, fy = cam.floorY(11);
    c.ellipse(fx, fy, 70, 14, Colour{150, 146, 140});
    c.ellipse(fx, fy - 4, 62, 10, Colour{70, 110, 150});
    c.rect(314, static_cast<int>(fy) - 46, 326, static_cast<int>(fy) - 4, Colour{160, 156, 150});
    c.ellipse(fx, fy - 46, 22, 6, Colour{170, 166, 160});
    for (int i = 0; i < 30; ++i)
        c.blend(318 + i % 5, static_cast<int>(fy) - 60 + i, Colour{200, 230, 255}, 0.5f);
    // A stone bench on the right lawn.
    c.polygon(rectPoly(430, 350, 590, 366), Colour{176, 170, 160});
    c.polygon(rectPoly(440, 366, 456, 404), Colour{140, 134, 126});
    c.polygon(rectPoly(564, 366, 580, 404), Colour{140, 134, 126});
    c.ellipse(510, 406, 90, 8, Colour{20, 30, 16}, 0.5f);
    if (horseOnBench) {
        paintHorse(c, 500, 352, 0.8f);
        glow(c, 500, 330, 40, Colour{255, 240, 180}, 0.2f);
    }
    paintSign(c, 80, 300, 120, 24, "ROSE GARDEN", 13, kBoard, kInk);
    c.vignette(0.4f);
}

void paintWell(Canvas& c) {
    Camera cam;
    paintSky(c, kDuskTop, kDuskLow, 300, 50, 23);
    for (int i = 0; i < 7; ++i) tree(c, 20 + i * 100.0f, 240, 130 + (i % 3) * 25.0f, 80 + i);
    paintFloor(c, cam, 20, Texture(hedge(Colour{76, 112, 58}, 29)), kDuskFog, 40);
    paintBackWall(c, cam, 14, -10, 10, 0, 1.4f, bricks(kStone, kMortar, 0.5f, 0.22f, 31), kDuskFog,
                  40, 0.9f);
    // The well: a round stone wall, two posts, a little roof and the crank.
    c.ellipse(320, 372, 118, 30, Colour{60, 56, 52});
    c.polygon(rectPoly(202, 300, 438, 372), [&](int x, int y) {
        Texture stone = bricks(Colour{150, 140, 126}, Colour{80, 74, 66}, 22, 12, 33);
        float edge = std::fabs(x - 320.0f) / 118.0f;
        return shade(stone(float(x), float(-y)), 1.05f - edge * 0.45f);
    });
    c.ellipse(320, 300, 118, 26, Colour{170, 160, 146});
    c.ellipse(320, 300, 100, 19, Colour{18, 16, 22});
    c.polygon(rectPoly(216, 170, 230, 300), shade(kWood, 0.9f));
    c.polygon(rectPoly(410, 170, 424, 300), shade(kWood, 0.8f));
    c.polygon({{190, 180}, {450, 180}, {400, 120}, {240, 120}}, [&](int x, int y) {
        return shade(Colour{120, 60, 40},
                     0.75f + 0.3f * ((y / 8) % 2) + 0.05f * hashNoise(x, y, 3));
    });
    c.thickLine(230, 214, 410, 214, 10, Colour{90, 60, 34});  // axle
    c.thickLine(424, 214, 452, 214, 5, Colour{60, 60, 64});   // crank arm
    c.thickLine(452, 214, 452, 240, 5, Colour{60, 60, 64});
    c.thickLine(320, 214, 320, 280, 2, Colour{170, 150, 110});     // rope
    c.polygon(rectPoly(306, 276, 334, 300), Colour{100, 70, 40});  // bucket
    paintSign(c, 480, 250, 130, 26, "WISHING WELL", 13, kBoard, kInk);
    c.vignette(0.4f);
}

void paintHall(Canvas& c) {
    Camera cam;
    cam.eye = 1.6f;
    Colour fog{40, 28, 20};
    c.fill(Colour{30, 22, 16});
    paintFloor(c, cam, 9, checker(Colour{210, 200, 180}, Colour{40, 34, 30}, 0.6f), fog, 24);
    Texture panel = planks(Colour{120, 74, 40}, 0.5f, 41);
    Texture plaster = [](float u, float v) {
        return shade(Colour{170, 140, 110}, 0.9f + 0.1f * valueNoise(u * 20, v * 20, 1.0f, 9));
    };
    auto wall = [&](float u, float v) { return v < 1.1f ? panel(u, v) : plaster(u, v); };
    paintSideWall(c, cam, -3, 1.2f, 9, 4, wall, fog, 24, 0.7f);
    paintSideWall(c, cam, 3, 1.2f, 9, 4, wall, fog, 24, 0.85f);
    paintBackWall(c, cam, 9, -3, 3, 0, 4, wall, fog, 24, 1.0f);
    // A doorway in the left wall to the library.
    std::vector<Vec2> door = {{cam.screenX(-3, 4.2f), cam.screenY(2.3f, 4.2f)},
                              {cam.screenX(-3, 6.0f), cam.screenY(2.3f, 6.0f)},
                              {cam.screenX(-3, 6.0f), cam.screenY(0, 6.0f)},
                              {cam.screenX(-3, 4.2f), cam.screenY(0, 4.2f)}};
    std::vector<Vec2> frame;
    for (const Vec2& p : door)
        frame.push_back({p.x + (p.x < 80 ? -6.0f : 6.0f), p.y + (p.y < 260 ? -8.0f : 0.0f)});
    c.polygon(frame, Colour{90, 56, 30});
    c.polygon(door, [&](int x, int y) {
        // A dim room beyond, lit from somewhere inside.
        float t = float(x - 34) / 86.0f;
        return shade(mix(Colour{16, 10, 8}, Colour{120, 80, 44}, t * 0.7f),
                     0.85f + 0.15f * valueNoise(x, y, 5, 2));
    });
    paintSign(c, 40, 146, 80, 20, "LIBRARY", 11, kBoard, kInk);
    // A portrait on the back wall, and two wall lamps.
    c.rect(282, 150, 358, 238, Colour{150, 110, 40});
    c.verticalGradient(288, 156, 352, 232, Colour{60, 50, 70}, Colour{30, 24, 30});
    c.ellipse(320, 182, 14, 17, Colour{220, 180, 150});
    c.polygon({{296, 232}, {344, 232}, {336, 204}, {304, 204}}, Colour{90, 30, 30});
    for (float lx : {240.0f, 400.0f}) {
        c.rect(static_cast<int>(lx) - 3, 170, static_cast<int>(lx) + 3, 186, Colour{60, 50, 40});
        c.ellipse(lx, 166, 6, 8, Colour{255, 230, 160});
        glow(c, lx, 166, 70, kWarm, 0.35f);
    }
    c.vignette(0.5f);
}

void paintLibrary(Canvas& c, bool passageOpen) {
    Camera cam;
    Colour fog{30, 20, 14};
    c.fill(Colour{26, 18, 12});
    paintFloor(c, cam, 7, planks(Colour{110, 70, 40}, 0.25f, 51), fog, 20);
    Texture wall = [](float u, float v) {
        return shade(Colour{120, 90, 70}, 0.85f + 0.15f * valueNoise(u * 10, v * 10, 1.0f, 3));
    };
    paintSideWall(c, cam, -2.6f, 1.2f, 7, 3.6f, wall, fog, 20, 0.7f);
    paintSideWall(c, cam, 2.6f, 1.2f, 7, 3.6f, wall, fog, 20, 0.85f);
    paintBackWall(c, cam, 7, -2.6f, 2.6f, 0, 3.6f, wall, fog, 20, 0.95f);
    // The bookcase across the back wall: shelves of books in many colours.
    int x0 = 200, x1 = 440, y0 = 130, y1 = 330;
    c.rect(x0 - 8, y0 - 10, x1 + 8, y1, Colour{70, 40, 20});
    for (int shelf = 0; shelf < 5; ++shelf) {
        int top = y0 + shelf * 40, bottom = top + 36;
        c.rect(x0, top, x1, bottom, Colour{30, 18, 10});
        int x = x0 + 2;
        int i = 0;
        while (x < x1 - 4) {
            int w = 6 + static_cast<int>(hashNoise(i, shelf, 61) * 8);
            int h = 24 + static_cast<int>(hashNoise(i, shelf, 62) * 10);
            Colour book =
                shade(mix(Colour{120, 30, 30}, Colour{30, 60, 110}, hashNoise(i, shelf, 63)),
                      0.6f + 0.6f * hashNoise(i, shelf, 64));
            int bx1 = std::min(x + w, x1 - 2);
            c.rect(x, bottom - h, bx1, bottom, book);
            c.rect(x, bottom - h + 5, bx1, bottom - h + 7, shade(book, 1.4f));
            x += w + 1;
            ++i;
        }
        c.rect(x0, bottom, x1, bottom + 4, Colour{90, 56, 30});
    }
    if (passageOpen) {
        // The middle of the case has swung aside on a hinge: a stair spirals up.
        c.rect(282, 130, 358, 330, Colour{10, 8, 12});
        for (int s = 0; s < 9; ++s) {
            int sy = 320 - s * 22;
            int sx = 290 + (s % 2) * 20;
            c.rect(sx, sy, sx + 44, sy + 8, shade(Colour{130, 120, 110}, 1.0f - s * 0.08f));
        }
        glow(c, 320, 140, 50, Colour{160, 180, 255}, 0.35f);
        c.polygon({{358, 130}, {392, 122}, {392, 338}, {358, 330}}, Colour{70, 40, 20});
    } else {
        // One red book sticks out of the middle shelf.
        c.polygon({{312, 226}, {326, 222}, {326, 256}, {312, 256}}, Colour{170, 20, 20});
        c.rect(314, 232, 324, 234, Colour{230, 190, 90});
    }
    paintSign(c, 270, 96, 100, 20, "LIBRARY", 11, kBoard, kInk);
    // A reading lamp on a table at the right.
    c.polygon(rectPoly(470, 330, 600, 342), Colour{90, 56, 30});
    c.polygon(rectPoly(480, 342, 490, 420), Colour{70, 40, 20});
    c.polygon(rectPoly(580, 342, 590, 420), Colour{70, 40, 20});
    c.polygon({{520, 300}, {560, 300}, {570, 322}, {510, 322}}, Colour{40, 100, 60});
    glow(c, 540, 320, 110, kWarm, 0.3f);
    c.vignette(0.5f);
}

void paintTower(Canvas& c) {
    paintSky(c, Colour{6, 8, 26}, Colour{40, 50, 100}, 300, 260, 71);
    c.ellipse(470, 90, 30, 30, Colour{250, 246, 220});
    c.ellipse(482, 84, 26, 26, Colour{12, 14, 34}, 0.0f);
    glow(c, 470, 90, 90, Colour{200, 210, 255}, 0.2f);
    // The sea with the moon's path.
    for (int y = 300; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            float t = (y - 300) / 180.0f;
            Colour sea = mix(Colour{24, 34, 70}, Colour{8, 12, 30}, t);
            float wave = std::sin(x * 0.05f + y * 0.9f) * 0.5f + 0.5f;
            float path = std::max(0.0f, 1.0f - std::fabs(x - 470.0f) / (30 + t * 120));
            c.set(x, y, mix(sea, Colour{230, 230, 200}, path * wave * 0.7f));
        }
    // Battlements in the foreground.
    for (int i = 0; i < 8; ++i) {
        int x = i * 84 - 10;
        c.rect(x, 360, x + 52, 420, Colour{90, 86, 84});
        c.grain(x, 360, x + 52, 420, 12, 73 + i);
    }
    c.rect(0, 410, 640, 480, Colour{76, 72, 70});
    c.grain(0, 410, 640, 480, 12, 79);
    paintSign(c, 220, 430, 200, 30, "FAREWELL, TRAVELLER", 14, kBoard, kInk);
    c.vignette(0.3f);
}

void paintEnding(Canvas& c) {
    paintSky(c, Colour{4, 6, 20}, Colour{30, 30, 70}, 480, 300, 91);
    auto centred = [&](int y, const std::string& line, Colour colour, int size) {
        c.text(320 - c.textWidth(line, size) / 2, y, line, colour, size);
    };
    centred(180, "THE END", Colour{250, 230, 170}, 60);
    centred(270, "Thank you for visiting Harrow House", Colour{220, 210, 190}, 16);
    centred(440, "press any key", Colour{160, 160, 180}, 14);
}

// The save/load page's picture: the engine writes the title, time stamps, page number
// and thumbnails over it; the frames, arrows and exit sit exactly on its hit areas.
void paintSaveLoad(Canvas& c) {
    const Colour brass{150, 110, 40}, ink{240, 220, 170}, well{20, 16, 14};
    c.verticalGradient(0, 0, 640, 480, Colour{40, 30, 24}, Colour{14, 10, 8});
    c.grain(0, 0, 640, 480, 6, 93);
    c.rect(150, 56, 490, 58, brass);  // under the engine's title
    for (int i = 0; i < 6; ++i) {
        int x = 30 + (i % 3) * 210, y = i < 3 ? 100 : 290;
        c.rect(x - 3, y - 3, x + 164, y + 123, brass);
        c.rect(x, y, x + 161, y + 121, well);
    }
    // The arrows fill their 21x21 areas; the exit its corner.
    c.polygon({{263, 457}, {263, 478}, {243, 467.5f}}, ink);
    c.polygon({{378, 457}, {378, 478}, {399, 467.5f}}, ink);
    c.rect(576, 448, 640, 480, brass);
    c.rect(579, 451, 640, 480, Colour{60, 44, 30});
    c.text(586, 456, "EXIT", ink, 16);
}

void paintTestPattern(Canvas& c) {
    const Colour bars[] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                           {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    for (int i = 0; i < 8; ++i) c.rect(i * 80, 0, i * 80 + 80, 320, bars[i]);
    for (int x = 0; x < 640; ++x) {
        int v = x * 255 / 639;
        for (int y = 320; y < 400; ++y) c.set(x, y, Colour{v, v, v});
    }
    c.rect(0, 400, 640, 480, Colour{30, 30, 30});
    for (int x = 0; x < 640; x += 40) c.rect(x, 0, x + 1, 480, Colour{128, 128, 128});
    for (int y = 0; y < 480; y += 40) c.rect(0, y, 640, y + 1, Colour{128, 128, 128});
    c.text(250, 430, "NO PICTURE", Colour{255, 255, 255}, 20);
}
