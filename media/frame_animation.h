#pragma once
// A surface holding a strip or grid of equally sized frames, stepped at a fixed rate.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/surface.h"

class FrameAnimation : public Surface {
public:
    FrameAnimation();
    ~FrameAnimation() override;

    // 1 on success, 0 when the picture could not be loaded (then there are no frames and
    // nothing is drawn).
    int load(Screen* screen, const std::string& file, int frameWidth, int frameHeight,
             int frameCount, uint16_t frameDelay, uint8_t looping, uint8_t reverse, int depth,
             int placement);
    int loadNamed(const std::string& name, int x, int y, Screen* screen, const std::string& file,
                  int frameWidth, int frameHeight, int frameCount, uint16_t frameDelay,
                  uint8_t looping, uint8_t reverse, int depth, int placement);

    using Surface::draw;

    virtual int nextFrame(int current);
    virtual int previousFrame(int current);
    // Advances, then draws by mode: 0 draw, 2 half, 11 alpha 25, 100 keyed, 102 keyed
    // half, 111 keyed alpha 25; other modes draw nothing.
    virtual void draw(int x, int y, Surface& destination, int mode);
    virtual void drawAtOwnPosition(Surface& destination, int mode);
    void drawFrame(int x, int y, int frame, Surface& destination, int mode);

    bool isFinished() const { return finished_; }
    int getDepth() const { return depth_; }
    std::string getName() const { return name_; }
    int frameCount() const { return frameCount_; }
    int current() const { return current_; }
    const std::vector<Rect>& frameRects() const { return frameRects_; }

private:
    // Starts the step timer on first use; true when the frame delay has passed.
    bool stepDue();
    void drawRect(int x, int y, Surface& destination, int mode);

    int frameWidth_ = 0, frameHeight_ = 0, frameCount_ = 0, columns_ = 0, rows_ = 0;
    std::vector<Rect> frameRects_;
    uint16_t frameDelay_ = 0;
    uint8_t looping_ = 0, reverse_ = 0;
    bool finished_ = false;
    int current_ = -1;
    std::unique_ptr<MillisecondTimer> stepTimer_;
    int depth_ = 0;
    int x_ = 65535, y_ = 65535;
    std::string name_;
};
