#pragma once
// The yardstick every frame benchmark reports against: copying one 640x480x16 frame,
// measured in the same run, in this thread's CPU time (so a busy machine does not count).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

namespace frame_timing {

constexpr size_t kFrameBytes = 640 * 480 * 2;

inline double threadNanos() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

inline double memcpyNanos() {
    std::vector<uint8_t> a(kFrameBytes, 1), b(kFrameBytes, 2);
    const int runs = 2000;
    double t0 = threadNanos();
    for (int i = 0; i < runs; ++i) {
        std::memcpy(b.data(), a.data(), kFrameBytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    return (threadNanos() - t0) / runs;
}

}  // namespace frame_timing
