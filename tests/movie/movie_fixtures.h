#pragma once
// Small movies made with FFmpeg's encoders for the movie tests, the fuzz seeds and the
// benchmarks. Their pictures show their own number as a grid of black and white cells;
// their sound is a tone whose pitch steps up every second, so both can be read back.
#include <cstddef>
#include <cstdint>
#include <string>

class Surface;

struct TestMovie {
    std::string muxer = "mpeg";        // FFmpeg muxer name
    std::string video = "mpeg1video";  // encoder; empty: no picture stream
    std::string sound = "mp2";         // encoder; empty: no sound
    int width = 320, height = 240;
    int fps = 25;
    int frames = 300;
    int gop = 12;
    int bFrames = 2;
    bool busy = false;       // moving textured pictures (for benchmarks) instead of numbers
    int sampleRate = 44100;  // taken if the sound encoder offers it
    int channels = 2;
    int soundFrames = -1;  // sound until this many pictures' time; -1: as long as all
    int soundFrom = 0;     // sound from this many pictures' time on
    int64_t bitRate = 0;   // picture bits per second; 0: plenty for the size
};

// Writes the movie to `path`; empty on success, else what failed.
std::string writeTestMovie(const std::string& path, const TestMovie& spec);

// The picture number shown by a surface of type 15 or 16 holding a whole picture
// (stretched or not); -1 when a cell is neither black nor white.
int frameNumberIn(const Surface& surface);

// The tone's pitch: the second of the movie the sound comes from, over a stretch of
// mix-format frames (50 ms or more), or -1 when there is no clear tone.
int toneSecondIn(const int16_t* frames, size_t count);
double toneFrequency(int second);
