// Decoding and drawing every picture of a 640x480 movie into a 16-bit surface, single
// threaded, beside the FFmpeg command line doing the same work on the same file in the
// same run:
//     ffmpeg -threads 1 -i FILE -pix_fmt rgb565le -f null -
// Both are measured in CPU time; the command's start-up (the same command stopped after
// one picture) is taken off its time. Counters: ms_per_frame (ours), peer_ms_per_frame,
// x_peer (ours / peer; the goal is at most 1.3). The movies are silent, so neither side
// decodes sound. H.264 comes from libx264 when FFmpeg has it, else MPEG-4 part 2.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

#include "media/ffmpeg/ffmpeg_movie_decoder.h"
#include "movie/movie_fixtures.h"
#include "platform/surface.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 250;

// The movies' folder, removed when the program ends.
struct Folder {
    fs::path dir = fs::temp_directory_path() / ("vorlen-movie-bench-" + std::to_string(getpid()));
    Folder() { fs::create_directories(dir); }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

const fs::path& folder() {
    static const Folder f;
    return f.dir;
}

struct BenchMovie {
    std::string path;
    std::string error;
};

const BenchMovie& movie(const std::string& kind) {
    static std::map<std::string, BenchMovie> made;
    auto it = made.find(kind);
    if (it != made.end()) return it->second;
    av_log_set_level(AV_LOG_QUIET);
    TestMovie m;
    m.width = 640;
    m.height = 480;
    m.frames = kFrames;
    m.busy = true;
    m.sound = "";
    if (kind == "mpeg1") {
        m.muxer = "mpeg";
        m.video = "mpeg1video";
        m.gop = 15;
        m.bFrames = 2;
        m.bitRate = 4000000;
    } else {
        m.muxer = "mp4";
        m.video = avcodec_find_encoder_by_name("libx264") ? "libx264" : "mpeg4";
        m.gop = 50;
        m.bFrames = 3;
        m.bitRate = 2000000;
    }
    BenchMovie b;
    b.path = (folder() / (kind + (m.muxer == "mpeg" ? ".mpg" : ".mp4"))).string();
    b.error = writeTestMovie(b.path, m);
    return made.emplace(kind, b).first->second;
}

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double childrenSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec * 1e-6 + u.ru_stime.tv_sec +
           u.ru_stime.tv_usec * 1e-6;
}

// CPU seconds of one run of the command line; negative when it fails.
double commandSeconds(const std::string& file, bool onePicture) {
    std::string command = "ffmpeg -nostdin -v error -threads 1 -i '" + file + "'" +
                          (onePicture ? " -frames:v 1" : "") +
                          " -pix_fmt rgb565le -f null - >/dev/null 2>&1";
    double before = childrenSeconds();
    if (std::system(command.c_str()) != 0) return -1;
    return childrenSeconds() - before;
}

// The command line's time per picture: the best of three runs, less the best start-up.
double peerSecondsPerFrame(const std::string& file) {
    double whole = 1e9, start = 1e9;
    for (int i = 0; i < 3; ++i) {
        double w = commandSeconds(file, false), s = commandSeconds(file, true);
        if (w < 0 || s < 0) return -1;
        whole = std::min(whole, w);
        start = std::min(start, s);
    }
    return (whole - start) / (kFrames - 1);
}

void decodeMovie(benchmark::State& state, const std::string& kind) {
    const BenchMovie& m = movie(kind);
    if (!m.error.empty()) {
        state.SkipWithError(m.error.c_str());
        return;
    }
    Surface target;
    target.create(PixelFormat::ofType(16), 640, 480);
    FfmpegMovieDecoder::Options options;
    options.threads = 1;
    double best = 1e9;
    for (auto _ : state) {
        MovieError error;
        double t0 = threadSeconds();
        auto decoder = FfmpegMovieDecoder::openFile(m.path, options, error);
        int frames = 0;
        while (decoder && decoder->nextFrame()) {
            decoder->convertFrame(target);
            benchmark::DoNotOptimize(target.pixels());
            ++frames;
        }
        double seconds = threadSeconds() - t0;
        if (frames != kFrames) {
            state.SkipWithError("wrong number of pictures");
            return;
        }
        best = std::min(best, seconds / frames);
        state.SetIterationTime(seconds);
    }
    double peer = peerSecondsPerFrame(m.path);
    state.counters["ms_per_frame"] = best * 1e3;
    if (peer > 0) {
        state.counters["peer_ms_per_frame"] = peer * 1e3;
        state.counters["x_peer"] = best / peer;
    } else {
        state.SetLabel("no ffmpeg command to compare with");
    }
}

void BM_MovieDecode_Mpeg1_640x480(benchmark::State& state) {
    decodeMovie(state, "mpeg1");
}
void BM_MovieDecode_H264_640x480(benchmark::State& state) {
    decodeMovie(state, "h264");
}

}  // namespace

BENCHMARK(BM_MovieDecode_Mpeg1_640x480)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MovieDecode_H264_640x480)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
