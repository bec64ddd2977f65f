// The authoring loop: reading a view of 100 hotspots again in place (goal: under 5 ms),
// and recording frames to H.264 + AAC beside the ffmpeg program encoding the same frames
// and sound with the same settings (goal: at most 1.2 times its CPU time).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "bench_game.h"
#include "engine/play_recorder.h"
#include "frame_timing.h"
#include "media/ffmpeg/ffmpeg_video_recorder.h"

namespace {

using frame_timing::memcpyNanos;
using frame_timing::threadNanos;
namespace fs = std::filesystem;

void BM_ReloadView100Hotspots(benchmark::State& state) {
    bench_game::Session session;
    std::string view = "VIEW bench\r\nBASEIMAGE back.bmp\r\nONLOADSTART\r\nONLOADEND\r\n";
    for (int i = 0; i < 100; ++i) {
        int x = (i % 10) * 60 + 10, y = (i / 10) * 45 + 10;
        auto pt = [](int a, int b) {
            return "(" + std::to_string(a) + "," + std::to_string(b) + ")";
        };
        view += "HOTSPOTSTART h" + std::to_string(i) + "\r\nCURSOR 6\r\nCOORD " + pt(x, y) + "," +
                pt(x + 50, y) + "," + pt(x + 50, y + 40) + "," + pt(x, y + 40) +
                "\r\nONCONDITION (x==1)\r\nONCLICKSTART\r\nlet x=1\r\nload other.scn\r\n"
                "ONCLICKEND\r\nHOTSPOTEND\r\n";
    }
    std::ofstream(session.dir / "init.scn", std::ios::binary) << view;
    Scene& scene = session.scene();
    double copy = memcpyNanos();
    double t0 = threadNanos();
    for (auto _ : state) benchmark::DoNotOptimize(scene.reloadView(false));
    double perReload = (threadNanos() - t0) / static_cast<double>(state.iterations());
    state.counters["ms"] = perReload / 1e6;
    state.counters["x_memcpy"] = perReload / copy;
    state.counters["hotspots"] = static_cast<double>(session.scene().view()->hotspotCount());
}

constexpr int kFrames = 200;
constexpr int kRate = 44100;

// Frames that change as play does: a gradient that moves, in 5-6-5.
std::vector<uint16_t> frame(int n) {
    std::vector<uint16_t> f(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            f[static_cast<size_t>(y) * 640 + x] = static_cast<uint16_t>(
                ((x + n) >> 2 & 31) << 11 | ((y + 2 * n) >> 1 & 63) << 5 | ((x ^ y) >> 3 & 31));
    return f;
}

std::vector<int16_t> sound(int frames, int offset) {
    std::vector<int16_t> s(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i)
        s[2 * i] = s[2 * i + 1] = static_cast<int16_t>(((i + offset) * 37 % 2000) - 1000);
    return s;
}

double childCpuNanos() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e9 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e3;
}

// Per frame: the recorder in this thread's CPU time, the ffmpeg program in its own, on the
// same frames (10 ms each) and sound, to H.264 (veryfast, CRF 20, one thread) + AAC.
void BM_RecordFrameAgainstFfmpegProgram(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("vorlen-record-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::vector<std::vector<uint16_t>> frames;
    for (int n = 0; n < kFrames; ++n) frames.push_back(frame(n));
    const int perFrame = kRate / 100;
    {
        std::ofstream video(dir / "frames.raw", std::ios::binary),
            audio(dir / "sound.raw", std::ios::binary);
        for (int n = 0; n < kFrames; ++n) {
            video.write(reinterpret_cast<const char*>(frames[n].data()), 640 * 480 * 2);
            std::vector<int16_t> s = sound(perFrame, n * perFrame);
            audio.write(reinterpret_cast<const char*>(s.data()),
                        static_cast<std::streamsize>(s.size() * 2));
        }
    }
    const std::string command =
        "ffmpeg -v error -y -threads 1 -f rawvideo -pix_fmt rgb565le -s 640x480 -r 100 -i '" +
        (dir / "frames.raw").string() + "' -f s16le -ar 44100 -ac 2 -i '" +
        (dir / "sound.raw").string() +
        "' -c:v libx264 -preset veryfast -crf 20 -threads 1 -pix_fmt yuv420p -sws_flags "
        "bicubic+accurate_rnd+bitexact -c:a aac -b:a 160k -fflags +bitexact '" +
        (dir / "cli.mp4").string() + "'";
    FfmpegVideoRecorders encoders;
    RecordingFormat format;
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        double t0 = threadNanos();
        std::string error;
        auto recorder = encoders.create((dir / "ours.mp4").string(), format, error);
        if (!recorder) {
            state.SkipWithError(error.c_str());
            break;
        }
        for (int n = 0; n < kFrames; ++n) {
            recorder->addPicture(reinterpret_cast<const uint8_t*>(frames[n].data()), 1280, n);
            std::vector<int16_t> s = sound(perFrame, n * perFrame);
            recorder->addSound(s.data(), perFrame);
        }
        recorder->finish();
        ours += threadNanos() - t0;
        double c0 = childCpuNanos();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the ffmpeg program failed");
            break;
        }
        theirs += childCpuNanos() - c0;
    }
    const double runs = static_cast<double>(state.iterations()) * kFrames;
    state.counters["ms_per_frame"] = ours / runs / 1e6;
    state.counters["ffmpeg_ms_per_frame"] = theirs / runs / 1e6;
    state.counters["x_ffmpeg"] = theirs > 0 ? ours / theirs : 0;
    fs::remove_all(dir);
}

// What F10's recording costs the frame thread at each present (the picture copied and
// queued; encoding runs on its own thread), on the virtual clock at 60 presents a second.
void BM_PresentWhileRecording(benchmark::State& state) {
    bench_game::Session session;
    session.host.setFrameStep(16);
    FfmpegVideoRecorders encoders;
    PlayRecorder recorder(session.host.clock(), &encoders, session.engine->folder(),
                          session.g().console);
    const Surface& back = session.g().screen->back();
    recorder.toggle(back);
    double copy = memcpyNanos();
    double t0 = threadNanos();
    for (auto _ : state) {
        recorder.present(back);
        session.host.advanceClock(16);
    }
    double perPresent = (threadNanos() - t0) / static_cast<double>(state.iterations());
    recorder.stop();
    state.counters["ms"] = perPresent / 1e6;
    state.counters["x_memcpy"] = perPresent / copy;
    fs::remove(session.dir / "rec0.mp4");
}

}  // namespace

BENCHMARK(BM_PresentWhileRecording)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_ReloadView100Hotspots)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordFrameAgainstFfmpegProgram)->Unit(benchmark::kMillisecond)->Iterations(3);
