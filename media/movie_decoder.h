#pragma once
// What a movie needs from a decoder: pictures in presentation order with their times,
// drawn on request into a surface, exact seeks, and the sound track converted to the
// mix format. The engine's decoder sits on FFmpeg (media/ffmpeg/); tests may put
// anything behind these interfaces.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "media/media_time.h"
#include "media/movie_error.h"

class Surface;
struct PixelFormat;

struct MovieInfo {
    int width = 0, height = 0;        // the pictures' size
    int64_t frameDuration = 0;        // nominal time between pictures
    int64_t duration = kNoMediaTime;  // of the picture stream, when the file tells it
    bool hasSound = false;
};

// Receives a movie's sound track, already in the mix format (kMixRate, stereo, 16 bit).
// Called on the thread that drives the decoder.
class MovieSoundSink {
public:
    virtual ~MovieSoundSink() = default;
    // Sound from here on starts at `time`; anything held is dropped.
    virtual void restart(int64_t time) = 0;
    // `count` stereo frames whose first sounds at `time`.
    virtual void push(int64_t time, const int16_t* frames, size_t count) = 0;
    // No more sound comes before the next restart.
    virtual void finish() = 0;
};

class MovieDecoder {
public:
    virtual ~MovieDecoder() = default;

    virtual const MovieInfo& info() const = 0;
    // Whether convertFrame can draw into surfaces of this format.
    virtual bool canConvertTo(const PixelFormat& format) const = 0;

    // Makes the next picture current; false at the end of the picture stream (or where
    // the rest of it cannot be decoded). After opening or seeking, the first call gives
    // the first picture, or the one showing at the time sought.
    virtual bool nextFrame() = 0;
    // The current picture's time.
    virtual int64_t frameTime() const = 0;
    // The time of the picture after the current one, kNoMediaTime when there is none.
    virtual int64_t followingFrameTime() = 0;
    // Draws the current picture over the whole of `target`, stretched to its size.
    virtual bool convertFrame(Surface& target) = 0;

    // Positions on the picture showing at `time` (the last one starting at or before it;
    // the first when `time` lies before it, the last when past the end). Restarts the
    // sound sink at `time`.
    virtual bool seek(int64_t time) = 0;

    // Where the sound track goes; null skips it. The sink must outlive the decoder.
    virtual void setSoundSink(MovieSoundSink* sink) = 0;
    // Reads on until the sound track is decoded up to `time` or the file ends. Where the
    // file has pictures far ahead of any sound, the sink gets silence up to `time`; where
    // reading further would hold too many pictures waiting, the sound is given up until
    // the next seek and the sink is told it is finished.
    virtual void readSoundAhead(int64_t time) = 0;
};

// Opens decoders by file name.
class MovieOpener {
public:
    virtual ~MovieOpener() = default;
    // Null with `error` set when the file cannot be played.
    virtual std::unique_ptr<MovieDecoder> open(const std::string& file, MovieError& error) = 0;
};
