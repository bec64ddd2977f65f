#pragma once
// The clock every time-dependent part of the engine reads, handed to whatever needs
// it: programs use a real steady clock; the headless runner and the tests a virtual one
// so that runs are repeatable.
#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic time in nanoseconds.
    virtual uint64_t nowNanos() const = 0;
};

class SteadyClock : public Clock {
public:
    uint64_t nowNanos() const override;
};

// Advances only when told to.
class VirtualClock : public Clock {
public:
    uint64_t nowNanos() const override { return now_; }
    void advanceMillis(uint64_t ms) { now_ += ms * 1000000ull; }
    void advanceNanos(uint64_t ns) { now_ += ns; }
    void set(uint64_t ns) { now_ = ns; }

private:
    uint64_t now_ = 0;
};

// Whole milliseconds since start, read from the given clock (which must outlive the
// timer); reset keeps the sub-millisecond remainder so that periods measured back to
// back lose nothing.
class MillisecondTimer {
public:
    explicit MillisecondTimer(const Clock& clock) : clock_(&clock) {}

    bool start();
    uint64_t elapsed();  // starts the timer on first use
    void reset();
    bool started() const { return started_; }

private:
    const Clock* clock_;
    uint64_t start_ = 0;
    bool started_ = false;
};
