#include "platform/sdl/sdl_display.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/image/picture.h"

namespace {

// The place of one 8-bit channel in a 32-bit pixel, or -1 when the mask is not one
// whole byte.
int byteChannelShift(uint32_t mask) {
    for (int shift = 0; shift < 32; shift += 8)
        if (mask == 0xFFu << shift) return shift;
    return -1;
}

// Channel places for the scaler when it can write the window's pixels itself.
bool directPlaces(const SDL_PixelFormat& format, ChannelPlaces& places) {
    if (format.BytesPerPixel != 4) return false;
    places.red = byteChannelShift(format.Rmask);
    places.green = byteChannelShift(format.Gmask);
    places.blue = byteChannelShift(format.Bmask);
    places.opaque = format.Amask;
    return places.red >= 0 && places.green >= 0 && places.blue >= 0;
}

// The video drivers whose window pixels live in memory we can write and send ourselves.
// Elsewhere SDL may need a renderer behind the window's pixels, so it keeps its choice.
bool nativeWindowPixels() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    return std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "offscreen") == 0;
}

}  // namespace

SdlDisplay::SdlDisplay(std::shared_ptr<SdlDisplayLink> link) : link_(std::move(link)) {
    if (link_) link_->display = this;
}

SdlDisplay::~SdlDisplay() {
    if (link_ && link_->display == this) link_->display = nullptr;
    close();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlDisplay::initVideo() {
    if (!videoStarted_) videoStarted_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return videoStarted_;
}

std::vector<DisplayMode> SdlDisplay::modes() {
    // The back buffer is ours and converted at show time, so any display that can
    // hold a scaled 640x480 picture offers both 16-bit layouts.
    if (!initVideo() || SDL_GetNumVideoDisplays() < 1) return {};
    return {{640, 480, 16}, {640, 480, 15}};
}

int SdlDisplay::openFullScreen(int width, int height, int bits) {
    return open(width, height, bits, true);
}

int SdlDisplay::openWindowed(int width, int height) {
    return open(width, height, 16, false);
}

int SdlDisplay::open(int width, int height, int bits, bool fullScreen) {
    if (window_ || !initVideo()) return kDisplayNoService;
    if (width <= 0 || height <= 0 || (bits != 15 && bits != 16)) return kDisplayModeNotSet;
    // The window's size when it is a window: the largest whole multiple of the picture
    // that fits the desktop comfortably. The full-screen program returns to it too.
    SDL_Rect desktop{0, 0, width, height};
    if (SDL_GetDisplayBounds(0, &desktop) != 0) desktop = {0, 0, width, height};
    const int scale = windowScaleFor(desktop.w, desktop.h, width, height);
    windowedWidth_ = width * scale;
    windowedHeight_ = height * scale;
    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (nativeWindowPixels()) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    window_ = SDL_CreateWindow("Vorlen", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               windowedWidth_, windowedHeight_, flags);
    if (!window_) return kDisplayAccessRefused;
    SDL_SetWindowMinimumSize(window_, std::max(1, width / 4), std::max(1, height / 4));
    if (!SDL_GetWindowSurface(window_)) {
        close();
        return kDisplayNoFrontSurface;
    }
    width_ = width;
    height_ = height;
    bits_ = bits;
    shown_.assign(static_cast<size_t>(width) * height * 2, 0);
    redrawAll_ = true;
    SDL_AddEventWatch(&SdlDisplay::watchEvents, this);
    watching_ = true;
    applyIcon();
    return 0;
}

void SdlDisplay::close() {
    if (watching_) SDL_DelEventWatch(&SdlDisplay::watchEvents, this);
    watching_ = false;
    if (staging_) SDL_FreeSurface(staging_);
    staging_ = nullptr;
    target_ = nullptr;  // the window's own
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
}

int SdlDisplay::watchEvents(void* self, SDL_Event* event) {
    auto* display = static_cast<SdlDisplay*>(self);
    if (event->type != SDL_WINDOWEVENT || !display->window_ ||
        event->window.windowID != SDL_GetWindowID(display->window_)) {
        return 0;
    }
    switch (event->window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            // Whatever was on screen may be gone: the next frame is sent whole.
            display->redrawAll_ = true;
            break;
        default:
            break;
    }
    return 0;
}

bool SdlDisplay::prepareTarget(SDL_Surface* target) {
    if (staging_) SDL_FreeSurface(staging_);
    staging_ = nullptr;
    target_ = target;
    targetWidth_ = target->w;
    targetHeight_ = target->h;
    targetFormat_ = target->format->format;
    SDL_GetWindowSize(window_, &windowWidth_, &windowHeight_);
    fit_ = fitPicture(target->w, target->h, width_, height_);
    if (fit_.width <= 0 || fit_.height <= 0) return false;
    ChannelPlaces places;
    if (!directPlaces(*target->format, places)) {
        places = ChannelPlaces{};  // x8r8g8b8, which SDL converts from
        staging_ =
            SDL_CreateRGBSurfaceWithFormat(0, fit_.width, fit_.height, 32, SDL_PIXELFORMAT_RGB888);
        if (!staging_) return false;
    }
    if (!scaler_.configure(bits_ == 15 ? 15 : 16, width_, height_, fit_.width, fit_.height,
                           places)) {
        return false;
    }
    SDL_DisplayMode mode{};
    const int index = SDL_GetWindowDisplayIndex(window_);
    pacer_.setInterval(FramePacer::intervalFor(
        index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 ? mode.refresh_rate : 0));
    return true;
}

bool SdlDisplay::drawRows(const Surface& back, int first, int last, bool everything) {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return false;
    if (target != target_ || target->w != targetWidth_ || target->h != targetHeight_ ||
        target->format->format != targetFormat_) {
        everything = true;
        if (!prepareTarget(target)) {
            target_ = nullptr;
            return false;
        }
    }
    if (everything) {
        first = 0;
        last = height_ - 1;
    }
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return false;
    if (everything) SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    int top = 0, bottom = 0;
    if (staging_) {
        scaler_.draw(back.pixels(), back.pitch(), first, last,
                     static_cast<uint8_t*>(staging_->pixels), staging_->pitch, top, bottom);
    } else {
        auto* origin = static_cast<uint8_t*>(target->pixels) +
                       static_cast<size_t>(fit_.y) * target->pitch +
                       static_cast<size_t>(fit_.x) * 4;
        scaler_.draw(back.pixels(), back.pitch(), first, last, origin, target->pitch, top, bottom);
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    SDL_Rect band{fit_.x, fit_.y + top, fit_.width, bottom - top};
    if (staging_ && bottom > top) {
        SDL_Rect from{0, top, fit_.width, bottom - top};
        SDL_Rect to = band;
        SDL_BlitSurface(staging_, &from, target, &to);
    }
    ++framesDrawn_;
    if (everything) return SDL_UpdateWindowSurface(window_) == 0;
    return bottom <= top || SDL_UpdateWindowSurfaceRects(window_, &band, 1) == 0;
}

int SdlDisplay::show(const Surface& back, bool wait, bool whole) {
    (void)whole;  // the client area is always the whole picture, at any window size
    if (!window_) return kDisplayNoService;
    const int expectedType = bits_ == 15 ? 15 : 16;
    if (back.format().type != expectedType || back.width() != width_ || back.height() != height_)
        return kDisplayIncompatibleFormats;

    // The band of rows that differ from what is on screen.
    const size_t rowBytes = static_cast<size_t>(width_) * 2;
    auto rowChanged = [&](int y) {
        return std::memcmp(back.pixels() + static_cast<size_t>(y) * back.pitch(),
                           shown_.data() + y * rowBytes, rowBytes) != 0;
    };
    const bool everything = redrawAll_;
    int first = 0, last = height_ - 1;
    if (!everything) {
        while (first < height_ && !rowChanged(first)) ++first;
        if (first < height_)
            while (!rowChanged(last)) --last;
    }
    int rc = 0;
    if (everything || first < height_) {
        redrawAll_ = false;
        if (drawRows(back, first, last, everything)) {
            for (int y = everything ? 0 : first; y <= last; ++y)
                std::memcpy(shown_.data() + y * rowBytes,
                            back.pixels() + static_cast<size_t>(y) * back.pitch(), rowBytes);
        } else {
            redrawAll_ = true;
            rc = kDisplayPresentFailed;
        }
    } else {
        ++framesUnchanged_;
    }
    if (wait) pace();
    return rc;
}

void SdlDisplay::pace() {
    // No vsync to wait for on a window's pixels: keep to the refresh interval on the
    // millisecond clock, whether the frame was sent or was the same as the last.
    const uint32_t delay = pacer_.delayAt(SDL_GetTicks64());
    if (delay > 0) SDL_Delay(delay);
    pacer_.frameShown(SDL_GetTicks64());
}

void SdlDisplay::toggleFullScreen() {
    if (!window_) return;
    if (showsFullScreen()) {
        // Back to the size the window had, which not every video driver restores.
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
    } else {
        SDL_GetWindowSize(window_, &windowedWidth_, &windowedHeight_);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    redrawAll_ = true;
}

bool SdlDisplay::showsFullScreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

PointerGeometry SdlDisplay::pointerGeometry() const {
    PointerGeometry g;
    g.pictureWidth = width_;
    g.pictureHeight = height_;
    if (!window_) return g;
    SDL_GetWindowSize(window_, &g.windowWidth, &g.windowHeight);
    if (target_ && g.windowWidth == windowWidth_ && g.windowHeight == windowHeight_) {
        // The pixels the picture was last drawn into.
        g.outputWidth = targetWidth_;
        g.outputHeight = targetHeight_;
    } else {
        SDL_GetWindowSizeInPixels(window_, &g.outputWidth, &g.outputHeight);
    }
    g.fit = fitPicture(g.outputWidth, g.outputHeight, width_, height_);
    return g;
}

void SdlDisplay::windowToPicture(int wx, int wy, int& px, int& py) const {
    ::windowToPicture(pointerGeometry(), wx, wy, px, py);
}

void SdlDisplay::movePointer(int x, int y) {
    if (!window_ || showsFullScreen()) return;
    int wx = 0, wy = 0;
    ::pictureToWindow(pointerGeometry(), x, y, wx, wy);
    SDL_WarpMouseInWindow(window_, wx, wy);
}

void SdlDisplay::releaseForMessage() {
    if (showsFullScreen()) toggleFullScreen();
}

void SdlDisplay::setIcon(const Surface& icon) {
    Picture picture;
    if (!icon.toPicture(picture)) return;
    std::vector<uint8_t> rgba(static_cast<size_t>(picture.width) * picture.height * 4);
    // The icon's colour key becomes transparency, as for every keyed picture.
    const uint32_t key = icon.colourKey();
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.row(y);
        uint8_t* out = rgba.data() + static_cast<size_t>(y) * picture.width * 4;
        for (int x = 0; x < picture.width; ++x, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = icon.getPixel(x, y) == key ? 0 : 255;
        }
    }
    setIcon(rgba.data(), picture.width, picture.height, picture.width * 4);
}

void SdlDisplay::setIcon(const uint8_t* rgba, int width, int height, int pitch) {
    if (!rgba || width <= 0 || height <= 0 || width > 1024 || height > 1024 || pitch < width * 4)
        return;
    icon_.resize(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y)
        std::memcpy(icon_.data() + static_cast<size_t>(y) * width * 4,
                    rgba + static_cast<size_t>(y) * pitch, static_cast<size_t>(width) * 4);
    iconWidth_ = width;
    iconHeight_ = height;
    applyIcon();
}

void SdlDisplay::applyIcon() {
    if (!window_ || icon_.empty()) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon_.data(), iconWidth_, iconHeight_, 32,
                                                        iconWidth_ * 4, SDL_PIXELFORMAT_RGBA32);
    if (!s) return;
    SDL_SetWindowIcon(window_, s);
    SDL_FreeSurface(s);
}

uint32_t SdlDisplay::windowId() const {
    return window_ ? SDL_GetWindowID(window_) : 0;
}
