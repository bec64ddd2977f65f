#include "platform/sdl/sdl_display.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/image/picture.h"

SdlDisplay::SdlDisplay() = default;

SdlDisplay::~SdlDisplay() {
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
    const Uint32 flags = fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_SHOWN;
    window_ = SDL_CreateWindow("Vorlen", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, flags);
    if (!window_) return kDisplayAccessRefused;
    // The software renderer gives the same pixels on every machine.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        close();
        return kDisplayNoFrontSurface;
    }
    if (fullScreen && SDL_RenderSetLogicalSize(renderer_, width, height) != 0) {
        close();
        return kDisplayModeNotSet;
    }
    texture_ =
        SDL_CreateTexture(renderer_, bits == 15 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565,
                          SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) {
        close();
        return kDisplayNoBackBuffer;
    }
    width_ = width;
    height_ = height;
    bits_ = bits;
    fullScreen_ = fullScreen;
    applyIcon();
    return 0;
}

void SdlDisplay::close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
}

int SdlDisplay::show(const Surface& back, bool wait, bool whole) {
    if (!texture_) return kDisplayNoService;
    const int expectedType = bits_ == 15 ? 15 : 16;
    if (back.format().type != expectedType || back.width() != width_ || back.height() != height_)
        return kDisplayIncompatibleFormats;
    if (SDL_UpdateTexture(texture_, nullptr, back.pixels(), back.pitch()) != 0)
        return kDisplayTextureUpdateFailed;
    const int vsync = wait ? 1 : 0;
    if (vsync != vsync_) {
        SDL_RenderSetVSync(renderer_, vsync);  // not every renderer can; pacing is a wish
        vsync_ = vsync;
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect part{0, 0, width_, height_};
    if (!whole && !fullScreen_) {
        // The window-sized top left of the back buffer, unscaled.
        int w = 0, h = 0;
        SDL_GetWindowSize(window_, &w, &h);
        part.w = std::clamp(w, 1, width_);
        part.h = std::clamp(h, 1, height_);
    }
    SDL_Rect target{0, 0, part.w, part.h};
    if (SDL_RenderCopy(renderer_, texture_, &part, whole || fullScreen_ ? nullptr : &target) != 0)
        return kDisplayPresentFailed;
    SDL_RenderPresent(renderer_);
    return 0;
}

void SdlDisplay::releaseForMessage() {
    if (window_ && fullScreen_) SDL_SetWindowFullscreen(window_, 0);
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
