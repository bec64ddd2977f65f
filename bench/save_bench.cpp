// Saving a game and building the save/load page. A save is measured twice: the time it
// takes from the frame thread, and the time until its files are durable; both against
// the plain way of putting the same bytes on disk (each file written and flushed), timed
// in the same run. The thumbnail and the page are CPU work, against the frame memcpy.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <vector>

#include "bench_game.h"
#include "frame_timing.h"

namespace {

using frame_timing::memcpyNanos;
using frame_timing::threadNanos;

double wallNanos() {
    return std::chrono::duration<double, std::nano>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string fileBytes(const bench_game::fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The peer: the slot's two files written in place and flushed, nothing else.
double plainWriteAndFsyncNanos(const bench_game::fs::path& dir, const std::string& state,
                               const std::string& picture) {
    const int runs = 20;
    const double t0 = wallNanos();
    for (int i = 0; i < runs; ++i)
        for (const auto& [name, bytes] :
             {std::pair{"plain.sav", &state}, {"plain.jpg", &picture}}) {
            const int fd = ::open((dir / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::write(fd, bytes->data(), bytes->size()) < 0 || ::fsync(fd) != 0)
                std::abort();
            ::close(fd);
        }
    return (wallNanos() - t0) / runs;
}

// One save to learn the files' bytes, then the peer timed in this session's folder.
double peerNanos(bench_game::Session& session) {
    EngineTestAccess::saves(*session.engine).saveGame(30);
    EngineTestAccess::saves(*session.engine).finishSaves();
    return plainWriteAndFsyncNanos(session.dir, fileBytes(session.dir / "slot30.sav"),
                                   fileBytes(session.dir / "slot30.jpg"));
}

// The frame thread's share: the save returns once the files are handed to the worker.
void BM_SaveOnFrameThread(benchmark::State& state) {
    bench_game::Session session;
    session.g().variables["score"] = 42;
    const double peer = peerNanos(session);
    double wall = 0, cpu = 0;
    int slot = 0;
    for (auto _ : state) {
        const double w0 = wallNanos(), c0 = threadNanos();
        EngineTestAccess::saves(*session.engine).saveGame(1 + slot++ % 29);
        wall += wallNanos() - w0;
        cpu += threadNanos() - c0;
        state.PauseTiming();
        EngineTestAccess::saves(*session.engine).finishSaves();
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ms"] = wall / n / 1e6;
    state.counters["cpu_ms"] = cpu / n / 1e6;
    state.counters["x_plain_fsync"] = wall / n / peer;
}

// Until the files are durable (the worker's flushes and renames included).
void BM_SaveUntilDurable(benchmark::State& state) {
    bench_game::Session session;
    session.g().variables["score"] = 42;
    const double peer = peerNanos(session);
    double wall = 0;
    int slot = 0;
    for (auto _ : state) {
        const double w0 = wallNanos();
        EngineTestAccess::saves(*session.engine).saveGame(1 + slot++ % 29);
        EngineTestAccess::saves(*session.engine).finishSaves();
        wall += wallNanos() - w0;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ms"] = wall / n / 1e6;
    state.counters["x_plain_fsync"] = wall / n / peer;
}

// The thumbnail's CPU time from the view's picture in memory, and (arg 1) read again
// from its file as a backdrop that is not the view's picture makes it.
void BM_Thumbnail(benchmark::State& state) {
    bench_game::Session session;
    if (state.range(0) == 1) session.scene().forgetBackdropIsView();
    const double copy = memcpyNanos();
    std::vector<uint8_t> jpeg;
    const double t0 = threadNanos();
    for (auto _ : state) {
        jpeg.clear();
        EngineTestAccess::saves(*session.engine).makeThumbnail(jpeg);
        benchmark::DoNotOptimize(jpeg.data());
    }
    const double per = (threadNanos() - t0) / static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = per / 1e6;
    state.counters["x_memcpy"] = per / copy;
}

void BM_BuildSaveLoadPage(benchmark::State& state) {
    bench_game::Session session;
    for (int slot = 1; slot <= 6; ++slot) EngineTestAccess::saves(*session.engine).saveGame(slot);
    EngineTestAccess::saves(*session.engine).finishSaves();
    session.g().mode = LoadScreen;
    double copy = memcpyNanos();
    double t0 = threadNanos();
    for (auto _ : state) EngineTestAccess::page(*session.engine).build();
    double perBuild = (threadNanos() - t0) / static_cast<double>(state.iterations());
    state.counters["ms"] = perBuild / 1e6;
    state.counters["x_memcpy"] = perBuild / copy;
}

}  // namespace

BENCHMARK(BM_SaveOnFrameThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveUntilDurable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Thumbnail)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSaveLoadPage)->Unit(benchmark::kMillisecond);
