#pragma once
// The display on SDL: the window "Vorlen", a software renderer and a streaming
// texture in the back buffer's 16-bit layout. Full screen keeps a 640x480 logical
// size scaled to the desktop, letterboxed, so it works on displays without 16-bit
// modes.
#include <cstdint>
#include <vector>

#include "platform/screen.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SdlDisplay : public DisplayBackend {
public:
    SdlDisplay();
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // 640x480 at 16 and 15 bits whenever SDL has a display.
    std::vector<DisplayMode> modes() override;
    int openFullScreen(int width, int height, int bits) override;
    int openWindowed(int width, int height) override;
    int show(const Surface& back, bool wait, bool whole) override;
    void releaseForMessage() override;

    // The window icon, from a surface or from rows of R,G,B,A bytes. Kept and applied
    // when the window is created, if it does not exist yet.
    void setIcon(const Surface& icon);
    void setIcon(const uint8_t* rgba, int width, int height, int pitch);

    // 0 before the window exists.
    uint32_t windowId() const;
    SDL_Window* window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }

private:
    bool initVideo();
    int open(int width, int height, int bits, bool fullScreen);
    void applyIcon();
    void close();

    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int width_ = 0, height_ = 0, bits_ = 0;
    bool fullScreen_ = false;
    int vsync_ = -1;             // unknown until the first show
    std::vector<uint8_t> icon_;  // R,G,B,A rows, tightly packed
    int iconWidth_ = 0, iconHeight_ = 0;
};
