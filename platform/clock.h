#pragma once
// The one clock every time-dependent part of the engine reads. Programs install a
// real steady clock; the headless runner and the tests install a virtual one so
// that runs are repeatable.
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

// The installed clock; a SteadyClock until something else is installed. The caller
// keeps ownership of an installed clock and must outlive its use.
Clock& engineClock();
void installClock(Clock* clock);  // nullptr restores the steady clock

// Whole milliseconds since start; reset keeps the sub-millisecond remainder so that
// periods measured back to back lose nothing.
class MillisecondTimer {
public:
    bool start();
    uint64_t elapsed();  // starts the timer on first use
    void reset();
    bool started() const { return started_; }

private:
    uint64_t start_ = 0;
    bool started_ = false;
};
