#include "media/frame_animation.h"

// Placeholder until the frame animations land.
FrameAnimation::FrameAnimation() = default;
FrameAnimation::~FrameAnimation() = default;
int FrameAnimation::load(Screen*, const std::string&, int, int, int, uint16_t, uint8_t, uint8_t,
                         int, int) {
    return 0;
}
int FrameAnimation::loadNamed(const std::string&, int, int, Screen*, const std::string&, int, int,
                              int, uint16_t, uint8_t, uint8_t, int, int) {
    return 0;
}
int FrameAnimation::nextFrame(int current) { return current; }
int FrameAnimation::previousFrame(int current) { return current; }
void FrameAnimation::draw(int, int, Surface&, int) {}
void FrameAnimation::drawAtOwnPosition(Surface&, int) {}
void FrameAnimation::drawFrame(int, int, int, Surface&, int) {}
void FrameAnimation::drawRect(int, int, Surface&, int) {}
