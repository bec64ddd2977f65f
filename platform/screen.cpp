#include "platform/screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr uint64_t kNanosPerMilli = 1000000;
constexpr uint32_t kFpsColour = 0x00FFF0;  // red 240, green 255, blue 0
}  // namespace

Screen::Screen(std::unique_ptr<DisplayBackend> backend, const Clock& clock, TextRenderer* text,
               const PictureFormats* pictures)
    : backend_(std::move(backend)),
      clock_(clock),
      text_(text),
      pictures_(pictures),
      frameTimer_(clock) {
    if (backend_) modes_ = backend_->modes();
    frameTimer_.start();
}

Screen::~Screen() = default;

bool Screen::hasMode(int width, int height, int bits) const {
    return std::any_of(modes_.begin(), modes_.end(), [&](const DisplayMode& m) {
        return m.width == width && m.height == height && m.bits == bits;
    });
}

int Screen::setUpBuffers(int width, int height, int bits) {
    PixelFormat format = PixelFormat::ofType(bits == 15 ? 15 : bits);
    if (format.type == 0) return kDisplayModeNotSet;
    if (front_.create(format, width, height, this) != 0) return kDisplayNoFrontSurface;
    if (back_.create(format, width, height, this) != 0) return kDisplayNoBackBuffer;
    format_ = format;
    width_ = width;
    height_ = height;
    bits_ = bits;
    return 0;
}

int Screen::createFullScreen(int width, int height, int bits, int standardVga) {
    (void)standardVga;  // our modes have no VGA variant
    if (!backend_ || created_) return kDisplayNoService;
    if (width <= 0 || height <= 0) return kDisplayModeNotSet;
    int rc = backend_->openFullScreen(width, height, bits);
    if (rc != 0) return rc;
    rc = setUpBuffers(width, height, bits);
    if (rc != 0) return rc;
    fullScreen_ = true;
    created_ = true;
    return 0;
}

int Screen::createWindowed(int width, int height) {
    if (!backend_ || created_) return kDisplayNoService;
    if (width <= 0 || height <= 0) return kDisplayModeNotSet;
    int rc = backend_->openWindowed(width, height);
    if (rc != 0) return rc;
    rc = setUpBuffers(width, height, 16);
    if (rc != 0) return rc;
    fullScreen_ = false;
    created_ = true;
    return 0;
}

int Screen::present(Present options) {
    if (!created_) return kDisplayNoService;
    periodMillis_ += frameTimer_.elapsed();
    frameTimer_.reset();
    if (periodMillis_ > 1000) {
        lastFps_ = static_cast<int>(framesInPeriod_ * 1000ull / periodMillis_);
        periodMillis_ = 0;
        framesInPeriod_ = 0;
    }
    ++framesInPeriod_;

    if (has(options, Present::ShowFps)) {
        char text[32];
        std::snprintf(text, sizeof text, "FPS = %d", lastFps_);
        back_.drawText(10, 20, kFpsColour, text);
    }
    int rc = backend_->show(back_, has(options, Present::Wait), has(options, Present::Whole));
    // The front surface keeps what is on display; the back buffer keeps its content, as
    // a windowed display would, so callers may draw over the last frame.
    std::memcpy(front_.pixels(), back_.pixels(), static_cast<size_t>(back_.pitch()) * height_);
    return rc;
}

uint64_t Screen::millisBetween(uint64_t from, uint64_t to) {
    return to > from ? (to - from) / kNanosPerMilli : 0;
}

int Screen::fadeStep(uint16_t speed, uint64_t frameMillis) {
    // A frame that took no measurable time counts as the fastest possible one rather
    // than dividing by zero.
    uint64_t x = frameMillis == 0 ? 256 : (speed + 1ull) / frameMillis;
    x = std::clamp<uint64_t>(x, 1, 256);
    return static_cast<int>(512 / x);
}

int Screen::fadeIn(uint16_t speed) {
    if (!created_) return kDisplayNoService;
    if (format_.type == 8) return 0;
    int firstError = 0;
    auto note = [&firstError](int rc) {
        if (rc != 0 && firstError == 0) firstError = rc;
    };
    Surface saved;
    int rc = saved.create(format_, width_, height_, this);
    if (rc != 0) return rc;
    note(back_.draw(saved, 0, 0));
    note(back_.fill(0));
    note(present(Present::Wait));
    int level = 0;
    do {
        const uint64_t start = clock_.nowNanos();
        note(saved.drawFaded(back_, 0, 0, nullptr, level));
        note(present(Present::Wait));
        level += fadeStep(speed, millisBetween(start, clock_.nowNanos()));
    } while (level < 256);
    note(saved.draw(back_, 0, 0));
    note(present(Present::Wait));
    return firstError;
}

int Screen::fadeOut(uint16_t speed) {
    if (!created_) return kDisplayNoService;
    if (format_.type == 8) return 0;
    int firstError = 0;
    auto note = [&firstError](int rc) {
        if (rc != 0 && firstError == 0) firstError = rc;
    };
    // Full screen: the back surface's clip rectangle; a window shows the whole surface.
    const Rect area = fullScreen_ ? back_.clipRect() : Rect{0, 0, width_, height_};
    Surface shown;
    int rc = shown.create(format_, width_, height_, this);
    if (rc != 0) return rc;
    note(front_.draw(shown, area.left, area.top, &area));
    int level = 256;
    while (level > 0) {
        const uint64_t start = clock_.nowNanos();
        note(shown.drawFaded(back_, 0, 0, nullptr, level));
        note(present(Present::Wait));
        level -= fadeStep(speed, millisBetween(start, clock_.nowNanos()));
    }
    note(back_.fill(0));
    note(present(Present::Wait));
    return firstError;
}
