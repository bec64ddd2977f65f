#include "platform/clock.h"

#include <chrono>

namespace {

constexpr uint64_t kNanosPerMilli = 1000000;

}  // namespace

uint64_t SteadyClock::nowNanos() const {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

bool MillisecondTimer::start() {
    start_ = clock_->nowNanos();
    started_ = true;
    return true;
}

uint64_t MillisecondTimer::elapsed() {
    if (!started_) start();
    uint64_t now = clock_->nowNanos();
    return now >= start_ ? (now - start_) / kNanosPerMilli : 0;
}

void MillisecondTimer::reset() {
    if (!started_) {
        start();
        return;
    }
    uint64_t now = clock_->nowNanos();
    uint64_t remainder = now >= start_ ? (now - start_) % kNanosPerMilli : 0;
    start_ = now - remainder;
}
