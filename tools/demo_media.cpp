#include "tools/demo_media.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/demo_sounds.h"
#include "tools/demo_sprites.h"
#include "tools/demo_views.h"
#include "tools/encoders/movie_encoder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFps = 25;

// Paints each picture on a canvas of the movie's size and encodes it.
std::string canvasMovie(Screen& screen, const std::string& path, int width, int height, int frames,
                        const std::function<void(int, Canvas&)>& paint, double (*sound)(double)) {
    MovieSettings settings;
    settings.width = width;
    settings.height = height;
    settings.fps = kFps;
    settings.frames = frames;
    Canvas canvas(screen, width, height);
    return writeMovie(
        path, settings,
        [&](int number, YuvPicture& picture) {
            paint(number, canvas);
            Surface& s = canvas.surface();
            bgrToYuv(s.pixels(), s.pitch(), 4, picture);
        },
        [sound](int64_t n, int, int rate) { return sound(double(n) / rate); });
}

// A copy of part of a painted view.
void copyPart(const Canvas& from, int x0, int y0, Canvas& to) {
    for (int y = 0; y < to.height(); ++y)
        for (int x = 0; x < to.width(); ++x) to.set(x, y, from.get(x0 + x, y0 + y));
}

float smooth(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Blends a picture of text (ink on black) over the canvas in `colour` at `alpha`.
void inkOver(Canvas& c, const Canvas& ink, Colour colour, float alpha) {
    if (alpha <= 0) return;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Colour i = ink.get(x, y);
            if (i.r | i.g | i.b) c.blend(x, y, colour, alpha * i.r / 255.0f);
        }
}

void silhouette(Canvas& c) {
    Colour dark{14, 12, 24};
    c.polygon({{150, 330}, {150, 230}, {250, 170}, {390, 170}, {490, 230}, {490, 330}}, dark);
    c.polygon({{420, 230}, {420, 110}, {440, 80}, {460, 110}, {460, 230}}, dark);  // the tower
    c.rect(0, 330, 640, 480, Colour{10, 10, 16});
    for (int i = 0; i < 5; ++i) c.rect(180 + i * 62, 250, 200 + i * 62, 280, Colour{255, 196, 110});
    c.rect(432, 130, 448, 150, Colour{255, 206, 120});
}

}  // namespace

std::string writeTitleMovie(Screen& screen, const std::string& path) {
    Canvas night(screen, 640, 480);
    night.verticalGradient(0, 0, 640, 330, Colour{6, 8, 30}, Colour{60, 40, 90});
    for (int i = 0; i < 160; ++i) {
        int x = static_cast<int>(hashNoise(i, 1, 77) * 640),
            y = static_cast<int>(hashNoise(i, 2, 77) * 320);
        night.set(x, y, mix(Colour{150, 150, 190}, Colour{255, 255, 255}, hashNoise(i, 3, 77)));
    }
    silhouette(night);
    Canvas title(screen, 640, 480), subtitle(screen, 640, 480);
    title.fill(Colour{});
    subtitle.fill(Colour{});
    int tw = title.textWidth("HARROW HOUSE", 56);
    title.text((640 - tw) / 2, 360, "HARROW HOUSE", Colour{255, 255, 255}, 56);
    int sw = subtitle.textWidth("a Vorlen demo", 22);
    subtitle.text((640 - sw) / 2, 428, "a Vorlen demo", Colour{255, 255, 255}, 22);
    const int frames = 6 * kFps;
    return canvasMovie(
        screen, path, 640, 480, frames,
        [&](int n, Canvas& c) {
            float t = float(n) / kFps;
            copyPart(night, 0, 0, c);
            // The moon climbs; the house's windows flicker.
            c.ellipse(520, 120 - 8 * t, 26, 26, Colour{236, 232, 210});
            if ((n / 5) % 7 == 3) c.rect(242, 250, 262, 280, Colour{140, 96, 60});
            inkOver(c, title, Colour{236, 196, 120}, smooth((t - 1.2f) / 1.3f));
            inkOver(c, subtitle, Colour{200, 190, 220}, smooth((t - 2.8f) / 1.0f));
            float light = smooth(t / 1.0f) * smooth((6.0f - t) / 1.0f);
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x) c.set(x, y, shade(c.get(x, y), light));
        },
        titleMusic);
}

std::string writeFountainMovie(Screen& screen, const std::string& path) {
    Canvas garden(screen, 640, 480);
    paintGarden(garden, false);
    Canvas still(screen, kFountainW, kFountainH);
    copyPart(garden, kFountainX, kFountainY, still);
    // The basin's water in movie coordinates, and the jet above it.
    const float cx = 320 - kFountainX, cy = 294 - kFountainY, rx = 60, ry = 9;
    const int frames = 2 * kFps;
    return canvasMovie(
        screen, path, kFountainW, kFountainH, frames,
        [&](int n, Canvas& c) {
            copyPart(still, 0, 0, c);
            float phase = float(n) / frames;  // whole waves per loop: seamless
            for (int y = 0; y < c.height(); ++y)
                for (int x = 0; x < c.width(); ++x) {
                    float dx = (x - cx) / rx, dy = (y - cy) / ry;
                    float d = std::sqrt(dx * dx + dy * dy);
                    if (d >= 1) continue;
                    float wave = std::sin(2 * float(kPi) * (d * 3 - phase * 2));
                    c.set(x, y,
                          mix(Colour{60, 100, 142}, Colour{150, 190, 220},
                              0.35f + 0.3f * wave * (1 - d)));
                }
            // Drops thrown up from the spout and falling back into the basin.
            for (int k = 0; k < 14; ++k) {
                float life = std::fmod(phase * 4 + k / 14.0f, 1.0f);
                float side = (k % 2 ? 1 : -1) * (6 + 3 * (k % 3));
                float x = cx + side * life;
                float y = (cy - 56) + 56 * (life - 0.5f) * (life - 0.5f) * 4 - 6;
                c.ellipse(x, y, 1.5f, 2.0f, Colour{210, 232, 250}, 0.8f);
            }
            c.rect(int(cx) - 1, int(cy) - 62, int(cx) + 2, int(cy) - 44, Colour{200, 226, 250});
        },
        trickle);
}

std::string writeDoorMovie(Screen& screen, const std::string& path) {
    Canvas shut(screen, 640, 480), open(screen, 640, 480);
    paintCourtyard(shut, false, true);
    paintCourtyard(open, true, true);
    const int frames = 60;
    return canvasMovie(
        screen, path, kDoorW, kDoorH, frames,
        [&](int n, Canvas& c) {
            float t = smooth(float(n) / (frames - 1) * 1.25f - 0.1f);
            for (int y = 0; y < kDoorH; ++y)
                for (int x = 0; x < kDoorW; ++x)
                    c.set(
                        x, y,
                        mix(shut.get(kDoorX + x, kDoorY + y), open.get(kDoorX + x, kDoorY + y), t));
            // A warm flash as the light falls out of the hall.
            float flash = std::sin(float(kPi) * std::clamp(float(n) / frames, 0.0f, 1.0f));
            c.ellipse(kDoorW / 2.0f, kDoorH - 30.0f, 60 * flash + 1, 30 * flash + 1,
                      Colour{255, 220, 150}, 0.25f * flash);
        },
        doorSound);
}

std::string writeFinaleMovie(Screen& screen, const std::string& path) {
    const int frames = 4 * kFps;
    return canvasMovie(
        screen, path, 640, 480, frames,
        [&](int n, Canvas& c) {
            float t = float(n) / (frames - 1);
            c.verticalGradient(0, 0, 640, 380, mix(Colour{30, 34, 90}, Colour{120, 170, 230}, t),
                               mix(Colour{240, 140, 90}, Colour{255, 220, 160}, t));
            float sy = 420 - 160 * t;
            c.ellipse(320, sy, 46, 46, Colour{255, 236, 170});
            c.ellipse(320, sy, 70, 70, Colour{255, 220, 140}, 0.25f);
            // Hills in front of the sun.
            c.polygon(
                {{0, 380}, {160, 350}, {330, 372}, {500, 340}, {640, 366}, {640, 480}, {0, 480}},
                mix(Colour{20, 24, 30}, Colour{54, 80, 50}, t));
        },
        sunrise);
}

void paintLampSheet(Canvas& c) {
    c.fill(kKey);
    const float flicker[] = {1.0f, 0.86f, 0.95f, 0.7f, 0.92f, 1.0f, 0.8f, 0.9f};
    for (int f = 0; f < 8; ++f) {
        float fx = f * 64.0f, k = flicker[f];
        // A halo on the wall behind, and the bulb's light out of the shade's top; hard-edged
        // so the colour key leaves no fringe.
        c.ellipse(fx + 32, 44, 31 * k, 20 * k, Colour{120, 92, 52}, 1.0f, false);
        c.ellipse(fx + 32, 44, 23 * k, 14 * k, Colour{176, 134, 70}, 1.0f, false);
        c.ellipse(fx + 32, 40, 15 * k, 5 * k, shade(Colour{255, 236, 170}, 0.8f + 0.2f * k), 1.0f,
                  false);
        c.polygon({{fx + 12, 38}, {fx + 52, 38}, {fx + 62, 60}, {fx + 2, 60}},
                  shade(Colour{40, 100, 60}, 0.85f + 0.25f * k));
    }
}

void paintHorseSprite(Canvas& c) {
    c.fill(kKey);
    paintHorse(c, 24, 62, 1.0f);
}
