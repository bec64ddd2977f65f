#pragma once
// A surface holding a strip or grid of frames, stepped at a fixed rate.
// (Filled in with the frame animations.)
#include "platform/surface.h"

class FrameAnimation : public Surface {
public:
    ~FrameAnimation() override = default;
};
