// Feeds bytes to the movie decoder as a file in memory: open, draw a bounded number of
// pictures into a small surface while a mix takes the sound, seek, and draw again. The
// first byte picks the target's pixel type and the seek time; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "media/ffmpeg/ffmpeg_movie_decoder.h"
#include "media/movie.h"
#include "platform/clock.h"
#include "platform/surface.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;
constexpr int kMaxPictures = 24;
constexpr size_t kMixStep = kMixRate / 25;

// Opens the fuzzer's bytes whatever the file name.
class MemoryOpener : public MovieOpener {
public:
    MemoryOpener(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    std::unique_ptr<MovieDecoder> open(const std::string&, MovieError& error) override {
        FfmpegMovieDecoder::Options options;
        options.threads = 1;
        options.maxPixels = 1024 * 1024;  // keeps each input's work and memory small
        return FfmpegMovieDecoder::openMemory(std::vector<uint8_t>(data_, data_ + size_), options,
                                              error);
    }

private:
    const uint8_t* data_;
    size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > kMaxInput) return 0;
    const uint8_t control = data[0];
    MemoryOpener opener(data + 1, size - 1);
    VirtualClock clock;
    Surface target;
    target.create(PixelFormat::ofType(control & 1 ? 15 : 16), 64, 48);
    Movie movie(clock, opener);
    if (!movie.open("fuzz", target)) return 0;
    std::shared_ptr<AudioStream> sound = movie.soundTrack();
    std::vector<int16_t> mix(kMixStep * kMixChannels);
    auto run = [&] {
        for (int i = 0; i < kMaxPictures && movie.renderFrame(); ++i) {
            clock.advanceMillis(40);
            if (sound) sound->read(mix.data(), kMixStep);
        }
    };
    movie.play();
    run();
    movie.seek(int64_t{control >> 1} * kMediaTicksPerSecond / 10);
    movie.resume();
    run();
    movie.rewind();
    movie.resume();
    run();
    movie.release();
    return 0;
}
