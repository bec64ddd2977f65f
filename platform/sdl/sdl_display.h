#pragma once
// The display on SDL: the window "Vorlen" and its pixels. The 640x480 back buffer is
// drawn into the window's own pixel memory at the window's size, keeping its shape
// between black bars: whole multiples repeat pixels, other sizes are filtered. A frame
// the same as the one on screen is not drawn again, only paced; a frame that changed in
// a band of rows sends only that band. Windows open at the largest whole multiple of the
// picture that fits the desktop and can be resized; Alt+Enter switches to the whole
// screen and back. Works on displays without 16-bit modes, since the conversion to the
// window's format happens here.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/screen.h"
#include "platform/sdl/frame_pacer.h"
#include "platform/sdl/frame_scaler.h"
#include "platform/sdl/picture_fit.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

class SdlDisplay;

// How the event queue reaches the display (the pointer's place in the picture, the
// full-screen switch). Shared, so that events arriving after the display has gone find
// nothing rather than a dangling display.
struct SdlDisplayLink {
    SdlDisplay* display = nullptr;
};

class SdlDisplay : public DisplayBackend {
public:
    explicit SdlDisplay(std::shared_ptr<SdlDisplayLink> link = nullptr);
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // 640x480 at 16 and 15 bits whenever SDL has a display.
    std::vector<DisplayMode> modes() override;
    int openFullScreen(int width, int height, int bits) override;
    int openWindowed(int width, int height) override;
    // The whole back buffer fills the picture's place whatever `whole` says: the window
    // always shows the entire client area, at whatever size it has.
    int show(const Surface& back, bool wait, bool whole) override;
    void releaseForMessage() override;
    // Warps the desktop's pointer in the window; full screen reads the mouse relatively
    // and draws the pointer itself, so there it stays.
    void movePointer(int x, int y) override;

    // Between the window and the whole screen (Alt+Enter).
    void toggleFullScreen();
    bool showsFullScreen() const;
    // The picture pixel under a window position of a mouse event.
    void windowToPicture(int wx, int wy, int& px, int& py) const;
    PointerGeometry pointerGeometry() const;

    // The window icon, from a surface or from rows of R,G,B,A bytes. Kept and applied
    // when the window is created, if it does not exist yet.
    void setIcon(const Surface& icon);
    void setIcon(const uint8_t* rgba, int width, int height, int pitch);

    // 0 before the window exists.
    uint32_t windowId() const;
    SDL_Window* window() const { return window_; }

    // Frames drawn into the window (whole or a band), and frames the same as the one on
    // screen that were only paced.
    uint64_t framesDrawn() const { return framesDrawn_; }
    uint64_t framesUnchanged() const { return framesUnchanged_; }
    // Where the picture was drawn last, in window pixels.
    const PictureFit& pictureFit() const { return fit_; }

private:
    bool initVideo();
    int open(int width, int height, int bits, bool fullScreen);
    void applyIcon();
    void close();
    // Draws source rows first..last into the window's pixels and sends them; false when
    // the window has no pixels to draw into.
    bool drawRows(const Surface& back, int first, int last, bool everything);
    // Fits the picture to the window's pixels and readies the scaler for their format.
    bool prepareTarget(SDL_Surface* target);
    void pace();
    static int watchEvents(void* self, SDL_Event* event);

    std::shared_ptr<SdlDisplayLink> link_;
    bool videoStarted_ = false;
    bool watching_ = false;
    SDL_Window* window_ = nullptr;
    int width_ = 0, height_ = 0, bits_ = 0;
    int windowedWidth_ = 0, windowedHeight_ = 0;  // the window's size out of full screen
    std::vector<uint8_t> icon_;                   // R,G,B,A rows, tightly packed
    int iconWidth_ = 0, iconHeight_ = 0;

    // What is on screen: the window's pixels as last drawn into, the picture's place in
    // them, and the back buffer's rows as last shown.
    SDL_Surface* target_ = nullptr;
    int targetWidth_ = 0, targetHeight_ = 0;
    uint32_t targetFormat_ = 0;
    int windowWidth_ = 0, windowHeight_ = 0;
    bool redrawAll_ = true;
    PictureFit fit_;
    FrameScaler scaler_;
    // The scaler writes here when the window's pixels are not 32-bit with byte channels;
    // SDL then converts into the window.
    SDL_Surface* staging_ = nullptr;
    std::vector<uint8_t> shown_;
    FramePacer pacer_;
    uint64_t framesDrawn_ = 0, framesUnchanged_ = 0;
};
