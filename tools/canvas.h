#pragma once
// A small painter for the demo generator: shapes, gradients and texture noise on a
// 32-bit surface. Everything is integer or float maths on the surface's own pixels;
// text goes through the screen's text renderer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/surface.h"

struct Colour {
    int r = 0, g = 0, b = 0;
};

Colour mix(Colour a, Colour b, float t);
Colour shade(Colour c, float factor);

struct Vec2 {
    float x = 0, y = 0;
};

class Canvas {
public:
    // The screen lends its text renderer; it must outlive the canvas.
    Canvas(Screen& screen, int width, int height);

    int width() const { return surface_.width(); }
    int height() const { return surface_.height(); }
    Surface& surface() { return surface_; }

    Colour get(int x, int y) const;
    void set(int x, int y, Colour c);
    // Blends c over the pixel with opacity a (0..1).
    void blend(int x, int y, Colour c, float a);

    void fill(Colour c);
    void rect(int x0, int y0, int x1, int y1, Colour c);  // x1, y1 exclusive
    void verticalGradient(int x0, int y0, int x1, int y1, Colour top, Colour bottom);
    // Filled polygon (even-odd), each covered pixel painted by `paint`.
    void polygon(const std::vector<Vec2>& points, const std::function<Colour(int, int)>& paint);
    void polygon(const std::vector<Vec2>& points, Colour c);
    // soft: one pixel of blended edge (pictures); hard edges for colour-keyed sprites.
    void ellipse(float cx, float cy, float rx, float ry, Colour c, float alpha = 1.0f,
                 bool soft = true);
    void thickLine(float x0, float y0, float x1, float y1, float width, Colour c);
    // Darkens or lightens pixels inside the polygon by `factor`.
    void shadePolygon(const std::vector<Vec2>& points, float factor);
    // Adds seeded per-pixel grain of +-amount to a rectangle.
    void grain(int x0, int y0, int x1, int y1, int amount, uint32_t seed);
    // Darkens towards the corners.
    void vignette(float strength);
    void text(int x, int y, const std::string& text, Colour c, int pixelHeight);
    // Width in pixels of the inked part of the text, measured by drawing it.
    int textWidth(const std::string& text, int pixelHeight) const;

private:
    Screen& screen_;
    Surface surface_;
};

// Deterministic hash noise in 0..1.
float hashNoise(int x, int y, uint32_t seed);
// Smooth value noise in 0..1 with the given cell size.
float valueNoise(float x, float y, float cell, uint32_t seed);
