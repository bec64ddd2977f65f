#include "platform/clock.h"

#include <chrono>

namespace {
constexpr uint64_t kNanosPerMilli = 1000000;
SteadyClock steadyClock;
Clock* installed = nullptr;
}  // namespace

uint64_t SteadyClock::nowNanos() const {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

Clock& engineClock() { return installed ? *installed : steadyClock; }

void installClock(Clock* clock) { installed = clock; }

bool MillisecondTimer::start() {
    start_ = engineClock().nowNanos();
    started_ = true;
    return true;
}

uint64_t MillisecondTimer::elapsed() {
    if (!started_) start();
    uint64_t now = engineClock().nowNanos();
    return now >= start_ ? (now - start_) / kNanosPerMilli : 0;
}

void MillisecondTimer::reset() {
    if (!started_) {
        start();
        return;
    }
    uint64_t now = engineClock().nowNanos();
    uint64_t remainder = now >= start_ ? (now - start_) % kNanosPerMilli : 0;
    start_ = now - remainder;
}
