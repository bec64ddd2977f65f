#include "platform/sdl/frame_pacer.h"

uint32_t FramePacer::intervalFor(int hertz) {
    return 1000u / static_cast<uint32_t>(hertz > 0 ? hertz : 60);
}

uint32_t FramePacer::delayAt(uint64_t now) const {
    if (!started_ || interval_ == 0 || now < last_) return 0;
    const uint64_t elapsed = now - last_;
    return elapsed < interval_ ? static_cast<uint32_t>(interval_ - elapsed) : 0;
}

void FramePacer::frameShown(uint64_t now) {
    const uint64_t elapsed = now >= last_ ? now - last_ : 0;
    if (!started_ || interval_ == 0 || now < last_ || elapsed > 1000) {
        last_ = now;
        started_ = true;
        return;
    }
    last_ += elapsed / interval_ * interval_;
}
