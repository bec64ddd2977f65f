#pragma once
// An off-screen picture with a clip rectangle and a colour key, and the copy, blend,
// fade, scale, fill, line, pixel and text operations on it. The pixel type is decided
// once when the surface is set up; the inner loops never test it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Picture;
class Screen;
class Font;
struct BlitKernels;

// Failure codes of the display layer (negative). The first six double as the results
// of Screen::createFullScreen; reportDisplayError names every one of them.
enum DisplayError : int {
    kDisplayOk = 0,
    kDisplayNoService = -1,
    kDisplayAccessRefused = -2,
    kDisplayModeNotSet = -4,
    kDisplayNoFrontSurface = -8,
    kDisplayNoSystemFrontSurface = -16,
    kDisplayNoBackBuffer = -32,
    kDisplayOutOfMemory = -64,
    kDisplayInvalidParams = -65,
    kDisplayIncompatibleFormats = -66,
    kDisplayUnsupportedFormat = -67,
    kDisplayNoSurface = -68,
    kDisplayPresentFailed = -69,
    kDisplayTextureUpdateFailed = -70,
    kDisplayNoFont = -71,
    kDisplayTextRenderFailed = -72,
    kDisplayNotLocked = -73,
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// Pixel layout. type: 8 palette, 15 (5-5-5), 16 (5-6-5), 24 (B,G,R bytes),
// 32 (B,G,R,X bytes), 0 anything else. The masks are kept shifted down to bit 0
// (a 5-6-5 red is mask 0x1F, shift 11).
struct PixelFormat {
    int type = 0;
    int bitsPerPixel = 0;
    int bytesPerPixel = 0;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    int redShift = 0, greenShift = 0, blueShift = 0;

    // The type from the bit count and channel masks.
    static PixelFormat fromMasks(int bits, uint32_t red, uint32_t green, uint32_t blue,
                                 bool rgb = true);
    static PixelFormat ofType(int type);  // the canonical layout of a type
    // The pixel value of an 8-bit-per-channel colour (8-bit type: 0).
    uint32_t map(uint8_t r, uint8_t g, uint8_t b) const;
};

// Memory placement values; the engine always passes kPlacementAny.
constexpr int kPlacementVideo = 0;
constexpr int kPlacementSystem = 1;
constexpr int kPlacementAny = 2;

class Surface {
public:
    Surface();
    virtual ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // A blank (zeroed) surface in the screen's pixel format; 0 or a negative code.
    int create(Screen* screen, int width, int height, int placement);
    // A blank surface of an explicit format, with no screen (tests, tools).
    int create(const PixelFormat& format, int width, int height);
    // 1 on success; -1 no name or no picture could be made; -2 no picture by that
    // name; -3, -4 a stored picture could not be loaded or locked.
    int loadImage(Screen* screen, const std::string& name, int placement);
    // Replace the content with a decoded picture, converted to `format`; 0 or a
    // negative code (the surface is left as it was on failure).
    int fromPicture(const Picture& picture, const PixelFormat& format);
    // The content as 24-bit B,G,R rows, top-down; false for types without colours.
    bool toPicture(Picture& out) const;

    void setClipRect(const Rect& rect);
    const Rect& clipRect() const { return clip_; }
    int setColourKeyFromTopLeft();
    void setColourKey(uint32_t key) { colourKey_ = key; }
    uint32_t colourKey() const { return colourKey_; }

    // Draw this surface onto `dest` at (x, y); src null means the whole surface.
    int draw(Surface& dest, int x, int y, const Rect* src = nullptr);
    int drawKeyed(Surface& dest, int x, int y, const Rect* src = nullptr);
    int drawHalf(Surface& dest, int x, int y, const Rect* src = nullptr);
    int drawKeyedHalf(Surface& dest, int x, int y, const Rect* src = nullptr);
    int drawAlpha(Surface& dest, int x, int y, const Rect* src, int level);
    int drawKeyedAlpha(Surface& dest, int x, int y, const Rect* src, int level);
    int drawFaded(Surface& dest, int x, int y, const Rect* src, int level);
    int drawScaled(Surface& dest, int x, int y, const Rect* src, float factor);

    int fill(uint32_t pixel);
    void line(int x1, int y1, int x2, int y2, uint32_t pixel);
    void putPixel(int x, int y, uint32_t pixel);
    uint32_t getPixel(int x, int y) const;
    void putBlendedPixel(int x, int y, uint32_t pixel, int level);

    // Text: a font by face name (registered font files, see platform/font.h), drawn
    // non-antialiased with a transparent background; colour is 0x00BBGGRR.
    int getDC();
    int releaseDC();
    int createFont(const std::string& face, int width, int height, int weight);
    int selectFont();
    int drawText(int x, int y, uint32_t colour, const std::string& text);

    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }
    bool valid() const { return width_ > 0 && height_ > 0; }
    const PixelFormat& format() const { return format_; }
    uint8_t* pixels() { return pixels_.data(); }
    const uint8_t* pixels() const { return pixels_.data(); }
    const std::string& fileName() const { return fileName_; }
    Screen* screen() const { return screen_; }
    int serial() const { return serial_; }

    // Counted locks; memory surfaces never move, so these only count.
    int lock();
    int unlock();

protected:
    int setUp(const PixelFormat& format, int width, int height);
    // Clips a copy of `src` (null: whole surface) to (x, y) on dest; false when
    // nothing is left to draw.
    bool clipCopy(const Surface& dest, int& x, int& y, const Rect* src, Rect& out) const;
    // Runs `row` over the clipped rectangle, row by row; handles drawing a surface
    // onto an overlapping part of itself.
    template <class RowFn>
    int blitRows(Surface& dest, int x, int y, const Rect* src, RowFn row);
    Font* activeFont();

    int width_ = 0, height_ = 0, pitch_ = 0;
    PixelFormat format_;
    std::vector<uint8_t> pixels_;
    Rect clip_;
    uint32_t colourKey_ = 0;
    int placement_ = kPlacementAny;
    std::string fileName_;
    int lockDepth_ = 0, dcDepth_ = 0;
    std::shared_ptr<Font> font_;
    std::string fontFace_;
    Screen* screen_ = nullptr;
    int serial_ = 0;
    const BlitKernels* kernels_ = nullptr;
};
