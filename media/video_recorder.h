#pragma once
// A video file being written: pictures of the game's screen and its mix, handed over in
// order. The encoders live in a codec library; the engine sees only this.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct RecordingFormat {
    int width = 640, height = 480;
    int pixelType = 16;        // the screen's pixels: 16 (5-6-5) or 15 (5-5-5), 2 bytes each
    int frameStepMillis = 10;  // one picture every step: the constant frame rate
    int frameRate = 0;         // pictures a second instead, when above 0
    int sampleRate = 44100;    // the mix: 16-bit stereo, interleaved
};

class VideoRecorder {
public:
    virtual ~VideoRecorder() = default;
    // The picture for frame `index` (frame steps from the start, rising). Frames skipped
    // since the last picture repeat the last one, so the rate stays constant.
    virtual bool addPicture(const uint8_t* pixels, int pitch, int64_t index) = 0;
    // The next `frames` frames of the mix.
    virtual bool addSound(const int16_t* samples, size_t frames) = 0;
    // Writes what the encoders still hold and completes the file.
    virtual bool finish() = 0;
    // What went wrong, once a call failed.
    virtual std::string error() const = 0;
};

class VideoRecorderFactory {
public:
    virtual ~VideoRecorderFactory() = default;
    // A recorder writing `path`, its encoders chosen by the extension; null with `error`
    // set when the file or the encoders cannot be opened.
    virtual std::unique_ptr<VideoRecorder> create(const std::string& path,
                                                  const RecordingFormat& format,
                                                  std::string& error) = 0;
};
