#include "media/frame_animation.h"

FrameAnimation::FrameAnimation() = default;
FrameAnimation::~FrameAnimation() = default;

int FrameAnimation::load(Screen* screen, const std::string& file, int frameWidth, int frameHeight,
                         int frameCount, uint16_t frameDelay, uint8_t looping, uint8_t reverse,
                         int depth, int placement) {
    reverse_ = reverse;
    looping_ = looping;
    depth_ = depth;
    frameDelay_ = frameDelay;
    frameRects_.clear();
    frameCount_ = 0;
    if (file.empty()) return 0;
    if (loadImage(screen, file, placement) != 1 || !valid()) return 0;
    setColourKeyFromTopLeft();

    // A frame size that does not fit the picture would divide by zero or index past
    // the picture; such a sheet has no frames and draws nothing.
    if (frameWidth <= 0 || frameHeight <= 0 || frameWidth > width_ || frameHeight > height_ ||
        frameCount < 0) {
        return 0;
    }
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    columns_ = width_ / frameWidth_;
    rows_ = height_ / frameHeight_;
    int available = columns_ * rows_;
    frameCount_ = frameCount == 0 ? available : frameCount;
    // More frames than the sheet holds would read below its last row; keep those that
    // exist.
    if (frameCount_ > available) frameCount_ = available;

    frameRects_.assign(static_cast<size_t>(frameCount_), Rect());
    unsigned fx = 0, fy = 0;
    for (int i = 0; i < frameCount_; ++i) {
        if (fx > static_cast<unsigned>(width_ - frameWidth_)) {
            fx = 0;
            fy += static_cast<unsigned>(frameHeight_);
        }
        Rect& r = frameRects_[static_cast<size_t>(i)];
        r.left = static_cast<int>(fx);
        r.top = static_cast<int>(fy);
        r.right = r.left + frameWidth_;
        r.bottom = r.top + frameHeight_;
        fx += static_cast<unsigned>(frameWidth_);
    }
    return 1;
}

int FrameAnimation::loadNamed(const std::string& name, int x, int y, Screen* screen,
                              const std::string& file, int frameWidth, int frameHeight,
                              int frameCount, uint16_t frameDelay, uint8_t looping, uint8_t reverse,
                              int depth, int placement) {
    x_ = x;
    y_ = y;
    name_ = name;
    return load(screen, file, frameWidth, frameHeight, frameCount, frameDelay, looping, reverse,
                depth, placement);
}

bool FrameAnimation::stepDue() {
    if (!stepTimer_) {
        stepTimer_ = std::make_unique<MillisecondTimer>();
        stepTimer_->start();
    }
    if (stepTimer_->elapsed() < frameDelay_) return false;
    stepTimer_->reset();
    return true;
}

int FrameAnimation::nextFrame(int current) {
    if (!stepDue()) return current;
    if (current + 1 != frameCount_) return current + 1;
    if (looping_ == 1) return 0;
    finished_ = true;
    return current;
}

int FrameAnimation::previousFrame(int current) {
    if (!stepDue()) return current;
    if (current != 0) return current - 1;
    if (looping_ == 1) return frameCount_ - 1;
    finished_ = true;
    return 0;
}

void FrameAnimation::draw(int x, int y, Surface& destination, int mode) {
    if (frameCount_ <= 0) return;
    if (reverse_) {
        if (current_ == -1) current_ = frameCount_ - 1;
        current_ = previousFrame(current_);
    } else {
        if (current_ == -1) current_ = 0;
        current_ = nextFrame(current_);
    }
    drawRect(x, y, destination, mode);
}

void FrameAnimation::drawAtOwnPosition(Surface& destination, int mode) {
    draw(x_, y_, destination, mode);
}

void FrameAnimation::drawFrame(int x, int y, int frame, Surface& destination, int mode) {
    current_ = frame;
    drawRect(x, y, destination, mode);
}

void FrameAnimation::drawRect(int x, int y, Surface& destination, int mode) {
    if (current_ < 0 || current_ >= frameCount_) return;
    const Rect* src = &frameRects_[static_cast<size_t>(current_)];
    switch (mode) {
        case 0:
            Surface::draw(destination, x, y, src);
            break;
        case 2:
            drawHalf(destination, x, y, src);
            break;
        case 11:
            drawAlpha(destination, x, y, src, 25);
            break;
        case 100:
            drawKeyed(destination, x, y, src);
            break;
        case 102:
            drawKeyedHalf(destination, x, y, src);
            break;
        case 111:
            drawKeyedAlpha(destination, x, y, src, 25);
            break;
        default:
            break;
    }
}
