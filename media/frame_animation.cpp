#include "media/frame_animation.h"

#include "platform/screen.h"

SheetCut cutSheet(int width, int height, const AnimationSettings& settings) {
    SheetCut cut;
    // A frame size that does not fit the picture would divide by zero or index past
    // the picture; such a sheet has no frames and draws nothing.
    const int frameWidth = settings.frameWidth, frameHeight = settings.frameHeight;
    if (frameWidth <= 0 || frameHeight <= 0 || frameWidth > width || frameHeight > height ||
        settings.frameCount < 0) {
        return cut;
    }
    cut.fits = true;
    cut.columns = width / frameWidth;
    cut.rows = height / frameHeight;
    cut.available = cut.columns * cut.rows;
    // The count is kept as given, even beyond the cells the sheet has: a transition of
    // six frames on a sheet of two still takes six steps, the missing cells drawing
    // nothing. Cells are placed when drawn, so no count, however large, costs memory.
    cut.frameCount = settings.frameCount == 0 ? cut.available : settings.frameCount;
    return cut;
}

FrameAnimation::FrameAnimation() = default;
FrameAnimation::~FrameAnimation() = default;

int FrameAnimation::load(Screen* screen, const std::string& file,
                         const AnimationSettings& settings) {
    reverse_ = settings.reverse;
    looping_ = settings.looping;
    depth_ = settings.depth;
    frameDelay_ = settings.frameDelay;
    frameCount_ = 0;
    columns_ = rows_ = 0;
    stepTimer_.reset();  // a timer reads one clock; a reload may bring another screen's
    // Steps are timed on the screen's clock, so there is nothing to play without one.
    if (file.empty() || !screen) return 0;
    if (sheet_.loadImage(screen, file, settings.placement) != 1 || !sheet_.valid()) return 0;
    sheet_.setColourKeyFromTopLeft();
    clock_ = &screen->clock();

    const SheetCut cut = cutSheet(sheet_.width(), sheet_.height(), settings);
    if (!cut.fits) return 0;
    frameWidth_ = settings.frameWidth;
    frameHeight_ = settings.frameHeight;
    columns_ = cut.columns;
    rows_ = cut.rows;
    frameCount_ = cut.frameCount;
    return 1;
}

Rect FrameAnimation::frameRect(int index) const {
    if (index < 0 || index >= frameCount_ || columns_ <= 0) return Rect();
    // Left to right, then top to bottom; a cell below the last row lies outside the
    // picture (an empty rectangle).
    const int64_t column = index % columns_, row = index / columns_;
    if (row >= rows_) return Rect();
    Rect r;
    r.left = static_cast<int>(column * frameWidth_);
    r.top = static_cast<int>(row * frameHeight_);
    r.right = r.left + frameWidth_;
    r.bottom = r.top + frameHeight_;
    return r;
}

int FrameAnimation::loadNamed(const std::string& name, int x, int y, Screen* screen,
                              const std::string& file, const AnimationSettings& settings) {
    x_ = x;
    y_ = y;
    name_ = name;
    return load(screen, file, settings);
}

bool FrameAnimation::stepDue() {
    // Only animations with frames step, and those were loaded with a clock.
    if (!stepTimer_) {
        stepTimer_ = std::make_unique<MillisecondTimer>(*clock_);
        stepTimer_->start();
    }
    if (stepTimer_->elapsed() < frameDelay_) return false;
    stepTimer_->reset();
    return true;
}

int FrameAnimation::nextFrame(int current) {
    if (!clock_ || !stepDue()) return current;
    if (current + 1 != frameCount_) return current + 1;
    if (looping_) return 0;
    finished_ = true;
    return current;
}

int FrameAnimation::previousFrame(int current) {
    if (!clock_ || !stepDue()) return current;
    if (current != 0) return current - 1;
    if (looping_) return frameCount_ - 1;
    finished_ = true;
    return 0;
}

void FrameAnimation::draw(int x, int y, Surface& destination, DrawMode mode) {
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

void FrameAnimation::drawAtOwnPosition(Surface& destination, DrawMode mode) {
    draw(x_, y_, destination, mode);
}

void FrameAnimation::drawFrame(int x, int y, int frame, Surface& destination, DrawMode mode) {
    current_ = frame;
    drawRect(x, y, destination, mode);
}

void FrameAnimation::drawRect(int x, int y, Surface& destination, DrawMode mode) {
    const Rect cell = frameRect(current_);
    // Frames past the sheet's cells show nothing.
    if (cell.right <= cell.left) return;
    const Rect* src = &cell;
    switch (mode) {
        case DrawMode::Plain:
            sheet_.draw(destination, x, y, src);
            break;
        case DrawMode::Half:
            sheet_.drawHalf(destination, x, y, src);
            break;
        case DrawMode::Alpha25:
            sheet_.drawAlpha(destination, x, y, src, 25);
            break;
        case DrawMode::Keyed:
            sheet_.drawKeyed(destination, x, y, src);
            break;
        case DrawMode::KeyedHalf:
            sheet_.drawKeyedHalf(destination, x, y, src);
            break;
        case DrawMode::KeyedAlpha25:
            sheet_.drawKeyedAlpha(destination, x, y, src, 25);
            break;
    }
}
