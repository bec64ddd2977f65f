#include "movie/movie_fixtures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "media/audio_stream.h"
#include "platform/surface.h"

namespace {

constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr double kBaseTone = 400.0;
constexpr double kToneStep = 200.0;
constexpr double kPi = 3.14159265358979323846;

uint32_t hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352d;
    x ^= x >> 15;
    x *= 0x846ca68b;
    x ^= x >> 16;
    return x;
}

void paintPicture(YuvPicture& f, int number, bool busy) {
    const int w = f.width, h = f.height;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = f.planes[0] + y * f.strides[0];
        for (int x = 0; x < w; ++x) {
            if (busy) {
                double v = 128 + 70 * std::sin((x + 3 * number) / 23.0) *
                                     std::cos((y - 2 * number) / 17.0);
                int noise =
                    static_cast<int>(
                        hash(static_cast<uint32_t>((y / 2) * 4096 + x / 2 + number * 7)) % 25) -
                    12;
                row[x] = static_cast<uint8_t>(std::clamp(static_cast<int>(v) + noise, 16, 235));
            } else {
                int cell = (y * kRows / h) * kColumns + x * kColumns / w;
                row[x] = (number >> cell) & 1 ? 235 : 16;
            }
        }
    }
    for (int plane = 1; plane < 3; ++plane) {
        for (int y = 0; y < (h + 1) / 2; ++y) {
            uint8_t* row = f.planes[plane] + y * f.strides[plane];
            for (int x = 0; x < (w + 1) / 2; ++x) {
                row[x] =
                    busy
                        ? static_cast<uint8_t>(128 + 40 * std::sin((x + y + number * plane) / 31.0))
                        : 128;
            }
        }
    }
}

// Pitch from the start of the current second, so every second starts at phase 0 and
// the pitch of any sample is known exactly.
double toneAt(int64_t n, int rate) {
    int64_t second = n / rate;
    double t = static_cast<double>(n - second * rate) / rate;
    return 0.5 * std::sin(2 * kPi * toneFrequency(static_cast<int>(second)) * t);
}

}  // namespace

double toneFrequency(int second) {
    return kBaseTone + kToneStep * second;
}

std::string writeTestMovie(const std::string& path, const TestMovie& want) {
    const bool busy = want.busy;
    return writeMovie(
        path, want,
        [busy](int number, YuvPicture& picture) { paintPicture(picture, number, busy); },
        // The right side differs from the left (inverted, at half the level), so that a
        // swapped, mixed or dropped side shows.
        [](int64_t n, int channel, int rate) {
            return channel == 0 ? toneAt(n, rate) : -0.5 * toneAt(n, rate);
        });
}

int frameNumberIn(const Surface& surface) {
    const PixelFormat& f = surface.format();
    int number = 0;
    for (int cell = 0; cell < kColumns * kRows; ++cell) {
        int x = (2 * (cell % kColumns) + 1) * surface.width() / (2 * kColumns);
        int y = (2 * (cell / kColumns) + 1) * surface.height() / (2 * kRows);
        uint32_t p = surface.getPixel(x, y);
        uint32_t green = (p >> f.greenShift) & f.greenMask;
        // Black and white decode near the ends of the range; anything else is no cell.
        if (green * 4 > f.greenMask * 3) {
            number |= 1 << cell;
        } else if (green * 4 > f.greenMask) {
            return -1;
        }
    }
    return number;
}

int toneSecondIn(const int16_t* frames, size_t count) {
    if (count < kMixRate / 20) return -1;
    // Rising zero crossings of the left channel, between the first and the last.
    long first = -1, last = -1, crossings = 0;
    for (size_t i = 1; i < count; ++i) {
        if (frames[2 * (i - 1)] < 0 && frames[2 * i] >= 0) {
            if (first < 0) first = static_cast<long>(i);
            last = static_cast<long>(i);
            ++crossings;
        }
    }
    if (crossings < 3) return -1;
    double frequency = (crossings - 1) * static_cast<double>(kMixRate) / (last - first);
    double second = (frequency - kBaseTone) / kToneStep;
    long rounded = std::lround(second);
    if (std::fabs(second - rounded) > 0.25) return -1;
    return static_cast<int>(rounded);
}
