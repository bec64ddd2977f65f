#pragma once
// Perspective helpers for painting the demo's views: one eye, one vanishing point,
// floors and walls textured per pixel so that tiles and bricks shrink correctly.
#include <functional>

#include "tools/canvas.h"

struct Camera {
    float focal = 400;  // pixels
    float eye = 1.6f;   // eye height above the floor, metres
    float cx = 320, horizon = 240;

    // Screen y of a floor point at depth z, and the depth under screen row y.
    float floorY(float z) const { return horizon + focal * eye / z; }
    float depthAtRow(float y) const { return focal * eye / (y - horizon); }
    float screenX(float worldX, float z) const { return cx + focal * worldX / z; }
    float screenY(float height, float z) const { return horizon + focal * (eye - height) / z; }
};

// Texture function over a plane: (u, v) in metres -> colour.
using Texture = std::function<Colour(float u, float v)>;

Texture bricks(Colour brick, Colour mortar, float width, float height, uint32_t seed);
Texture paving(Colour stone, Colour joint, float size, uint32_t seed);
Texture planks(Colour wood, float width, uint32_t seed);
Texture checker(Colour a, Colour b, float size);
Texture hedge(Colour leaf, uint32_t seed);
Texture gravel(Colour base, uint32_t seed);

// Floor between depths near..far across the whole width (screen rows below the horizon).
void paintFloor(Canvas& c, const Camera& cam, float far, const Texture& tex, Colour fog,
                float fogDistance);
// A side wall in the plane x = worldX (negative: left), between depths z0..z1, from the
// floor up to `height`.
void paintSideWall(Canvas& c, const Camera& cam, float worldX, float z0, float z1, float height,
                   const Texture& tex, Colour fog, float fogDistance, float light);
// A wall facing the eye at depth z, spanning world x0..x1 and heights y0..y1.
void paintBackWall(Canvas& c, const Camera& cam, float z, float x0, float x1, float y0, float y1,
                   const Texture& tex, Colour fog, float fogDistance, float light);
// Sky from the top of the screen down to the horizon, optionally with stars.
void paintSky(Canvas& c, Colour top, Colour bottom, int bottomRow, int stars, uint32_t seed);
// A sign board with centred lettering.
void paintSign(Canvas& c, int x, int y, int w, int h, const std::string& text, int textHeight,
               Colour board, Colour ink);
