#pragma once
// Pacing to the display's refresh when the display cannot wait for it: frames are held
// to whole refresh intervals of the millisecond clock, in step with the first one, as a
// vsync would hold them. The display keeps the pace whether or not a frame was shown,
// so a frame that needs no upload costs no time on the screen but still its interval.
// No SDL here: the display reads the time and sleeps.
#include <cstdint>

class FramePacer {
public:
    // The interval of a display refreshing `hertz` times a second, in whole milliseconds
    // (60 when the display does not say).
    static uint32_t intervalFor(int hertz);

    explicit FramePacer(uint32_t intervalMillis = intervalFor(0)) : interval_(intervalMillis) {}
    void setInterval(uint32_t intervalMillis) { interval_ = intervalMillis; }
    uint32_t interval() const { return interval_; }

    // Milliseconds to wait at `now` before the frame's interval is over.
    uint32_t delayAt(uint64_t now) const;
    // A frame was let through at `now`: the next one is due an interval after the last
    // interval boundary passed. After a stall of over a second the rhythm starts afresh.
    void frameShown(uint64_t now);

private:
    uint32_t interval_;
    uint64_t last_ = 0;
    bool started_ = false;
};
