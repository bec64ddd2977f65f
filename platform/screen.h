#pragma once
// The display: the back surface the engine draws into, presenting it, the frame-rate
// counter and whole-screen fades. What shows the picture (an SDL window, or nothing
// in the headless runner and the tests) is a DisplayBackend.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/surface.h"

class TextRenderer;
class PictureFormats;

struct DisplayMode {
    int width = 0, height = 0, bits = 0;
};

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;
    // The modes offered (16- and 15-bit 640x480 wherever a 640x480 picture can be shown).
    virtual std::vector<DisplayMode> modes() = 0;
    // 0, or the negative codes of Screen::createFullScreen.
    virtual int openFullScreen(int width, int height, int bits) = 0;
    virtual int openWindowed(int width, int height) = 0;
    // Shows the back surface; wait: pace to the display's refresh; whole: stretch the
    // whole surface over the window rather than showing its window-sized top left.
    // 0 or an error.
    virtual int show(const Surface& back, bool wait, bool whole) = 0;
    // Makes the desktop visible so that a message box can be seen (leaves full screen).
    virtual void releaseForMessage() {}
    // Puts the desktop's pointer over picture pixel (x, y) where the display shows one
    // (the focus keys move it as a mouse would); nothing where there is no such pointer.
    virtual void movePointer(int x, int y) {
        (void)x;
        (void)y;
    }
};

// What Screen::present does besides showing the back surface; combine with |.
enum class Present : unsigned {
    NoWait = 0,
    Wait = 1u << 0,     // pace to the display's refresh
    Whole = 1u << 1,    // windowed: stretch the whole back surface over the window
    ShowFps = 1u << 2,  // first draw "FPS = n" onto the back surface
};
constexpr Present operator|(Present a, Present b) {
    return static_cast<Present>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool has(Present options, Present option) {
    return (static_cast<unsigned>(options) & static_cast<unsigned>(option)) != 0;
}

class Screen {
public:
    // The clock (frame counter, fades, and the frame animations loaded on this screen),
    // the text renderer (text on its surfaces) and the picture formats (Surface::loadImage)
    // are the caller's and must outlive the screen and its surfaces. Without a renderer
    // no text is drawn; without picture formats only the pictures stored in the program
    // load.
    Screen(std::unique_ptr<DisplayBackend> backend, const Clock& clock,
           TextRenderer* text = nullptr, const PictureFormats* pictures = nullptr);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    bool hasMode(int width, int height, int bits) const;
    // 0, or -1 no display service / already created, -2 exclusive access refused,
    // -4 mode not set, -8/-16 front surface not created, -32 no back buffer.
    int createFullScreen(int width, int height, int bits, int standardVga);
    // A window of the given client size on the desktop; the same codes.
    int createWindowed(int width, int height);

    // 0 or the display's error.
    int present(Present options);
    int fadeOut(uint16_t speed);
    int fadeIn(uint16_t speed);

    Surface& back() { return back_; }
    Surface& front() { return front_; }  // what was presented last
    // The format of the back surface once a mode is set; 5-6-5 before that.
    const PixelFormat& format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool fullScreen() const { return fullScreen_; }
    int lastFps() const { return lastFps_; }
    int nextSerial() { return ++serial_; }
    DisplayBackend& backend() { return *backend_; }
    DisplayBackend* displayBackend() { return backend_.get(); }
    bool created() const { return created_; }
    const Clock& clock() const { return clock_; }
    TextRenderer* textRenderer() const { return text_; }
    const PictureFormats* pictureFormats() const { return pictures_; }

private:
    int setUpBuffers(int width, int height, int bits);
    // Milliseconds between two instants of the clock.
    static uint64_t millisBetween(uint64_t from, uint64_t to);
    // Levels step by 512 / ((speed + 1) / ms per frame), kept within 2..512.
    static int fadeStep(uint16_t speed, uint64_t frameMillis);

    std::unique_ptr<DisplayBackend> backend_;
    const Clock& clock_;
    TextRenderer* text_;
    const PictureFormats* pictures_;
    std::vector<DisplayMode> modes_;
    Surface front_, back_;
    PixelFormat format_ = PixelFormat::ofType(16);
    int width_ = 0, height_ = 0, bits_ = 0;
    bool fullScreen_ = false;
    bool created_ = false;
    // frame counter
    int framesInPeriod_ = 0;
    uint64_t periodMillis_ = 0;
    MillisecondTimer frameTimer_;  // since the last present
    int lastFps_ = 0;
    int serial_ = 0;
};
