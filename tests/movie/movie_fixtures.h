#pragma once
// Small movies made with the encoders under tools/ for the movie tests, the fuzz seeds and the
// benchmarks. Their pictures show their own number as a grid of black and white cells;
// their sound is a tone whose pitch steps up every second, so both can be read back; on
// the right it is inverted and at half the level of the left.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/encoders/movie_encoder.h"

class Surface;

// The settings of the movie encoder under tools/, and what the pictures show.
struct TestMovie : MovieSettings {
    bool busy = false;  // moving textured pictures (for benchmarks) instead of numbers
};

// Writes the movie to `path`; empty on success, else what failed.
std::string writeTestMovie(const std::string& path, const TestMovie& movie);

// The picture number shown by a surface of type 15 or 16 holding a whole picture
// (stretched or not); -1 when a cell is neither black nor white.
int frameNumberIn(const Surface& surface);

// The tone's pitch: the second of the movie the sound comes from, over a stretch of
// mix-format frames (50 ms or more), or -1 when there is no clear tone.
int toneSecondIn(const int16_t* frames, size_t count);
double toneFrequency(int second);
