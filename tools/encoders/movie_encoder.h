#pragma once
// Movies written with FFmpeg's encoders, for the demo generator, the tests, the
// benchmarks and the fuzz seeds: the caller paints each picture and gives the sound.
#include <cstdint>
#include <functional>
#include <string>

struct MovieSettings {
    std::string muxer = "mpeg";        // FFmpeg muxer name
    std::string video = "mpeg1video";  // encoder; empty: no picture stream
    std::string sound = "mp2";         // encoder; empty: no sound
    int width = 320, height = 240;
    int fps = 25;
    int frames = 300;
    int gop = 12;
    int bFrames = 2;
    int sampleRate = 44100;  // taken if the sound encoder offers it
    int channels = 2;
    int soundFrames = -1;  // sound until this many pictures' time; -1: as long as all
    int soundFrom = 0;     // sound from this many pictures' time on
    int64_t bitRate = 0;   // picture bits per second; 0: plenty for the size
};

// One 4:2:0 picture to paint: luma at full size, the two chroma planes at half size
// (rounded up).
struct YuvPicture {
    int width = 0, height = 0;
    uint8_t* planes[3] = {};
    int strides[3] = {};
};

// Paints picture `number` (0, 1, ...).
using PaintPicture = std::function<void(int number, YuvPicture& picture)>;
// The sound at sample `n` of channel `channel`, in -1..1, at `rate` samples a second.
using SoundSample = std::function<double(int64_t n, int channel, int rate)>;

// Writes the movie to `path`; empty on success, else what failed. `sound` may be empty
// when the settings name no sound encoder.
std::string writeMovie(const std::string& path, const MovieSettings& settings,
                       const PaintPicture& paint, const SoundSample& sound);

// Converts 8-bit B,G,R(,X) rows, top-down, `bytesPerPixel` 3 or 4, into the picture
// (BT.601, studio range), each chroma sample the mean of its 2x2 block.
void bgrToYuv(const uint8_t* rows, int stride, int bytesPerPixel, YuvPicture& picture);
