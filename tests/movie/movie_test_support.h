#pragma once
// What the movie tests share: the fixture movies (made once per run), and a stand-in for
// the engine around a Movie: a virtual clock stepped 10 ms per present, and a mix pulled
// on that clock.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/ffmpeg/ffmpeg_movie_opener.h"
#include "media/movie.h"
#include "movie/movie_fixtures.h"
#include "platform/clock.h"
#include "platform/surface.h"

// The fixtures by name: "mpeg" (MPEG-1 + MP2 in a program stream), "h264" (H.264 + AAC
// in MP4), "vp8" (VP8 + Vorbis in WebM), "vp9" (VP9 + Opus at 48 kHz in WebM), "theora"
// (Theora + Vorbis in Ogg), "mpeg4" (MPEG-4 part 2, silent, in Matroska), "short-sound"
// (MPEG, sound only for the first 4 s), "late-sound" (MPEG-4 and MP2 in
// Matroska, sound from 6 s on; a program stream would not even show that sound stream),
// "sound-only" (MP2 in a program stream). All are
// 320x240 at 25 pictures a second, 300 pictures (12 s).
const std::string& fixtureMovie(const std::string& name);
const std::vector<std::string>& pictureFixtures();  // every fixture with pictures and sound
std::string scratchPath(const std::string& name);   // a file name in the run's folder

constexpr int kFixtureFrames = 300;
constexpr int64_t kFrameTicks = 400000;  // 40 ms
constexpr int64_t kSecond = kMediaTicksPerSecond;

// A movie in a stand-in engine.
struct MovieRig {
    explicit MovieRig(int width = 320, int height = 240, int type = 16);

    bool open(const std::string& name);  // a fixture by name
    // The engine's present: the clock moves on 10 ms, and, when `mixing`, the mix takes
    // 10 ms of the sound track (441 frames) into `heard`.
    void present();
    // The picture number in the target.
    int shown() const { return frameNumberIn(target); }
    // Plays through with runMovieLoop, recording the picture shown at each present.
    std::vector<int> playRange(int64_t start, int64_t stop);

    VirtualClock clock;
    FfmpegMovieOpener opener;
    Surface target;
    Movie movie;
    bool mixing = true;
    std::vector<int16_t> heard;
};
