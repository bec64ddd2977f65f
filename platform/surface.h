#pragma once
// An off-screen picture with a clip rectangle and a colour key, and the copy, blend,
// fade, scale, fill, line, pixel and text operations on it. The pixels live in a
// Bitmap, whose format is decided once when the surface is set up; the inner loops
// never test it. The operations are spread over files by concern:
//   surface.cpp             storage, clip rectangle, colour key, clipping of copies
//   surface_blits.cpp       the copies, blends and fades
//   surface_primitives.cpp  fill, line and single pixels
//   surface_scaling.cpp     the stretched copy
//   surface_text.cpp        fonts and text
//   surface_pictures.cpp    conversion to and from decoded pictures
//   surface_loading.cpp     loading picture files
#include <cstdint>
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/display_error.h"
#include "platform/pixel_format.h"
#include "platform/rect.h"

struct Picture;
class PictureFormats;
class Screen;
class TextFont;
class TextRenderer;

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
    // A blank surface of an explicit format. With a screen it draws text through the
    // screen's renderer (the screen's own buffers, tools); without one it draws none.
    int create(const PixelFormat& format, int width, int height, Screen* screen = nullptr);
    // Decodes the file through `formats` (may be null) into `format`, falling back to
    // the pictures stored in the program. 1 on success; -1 no name or no picture could be
    // made; -2 no picture by that name; -3 a stored picture could not be made.
    int loadImage(const PictureFormats* formats, const PixelFormat& format, const std::string& name,
                  int placement);
    // The same through the screen's picture formats, in its pixel format (16-bit without
    // a screen); the surface then belongs to the screen.
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

    // Text drawn non-antialiased with a transparent background; colour is 0x00BBGGRR.
    // The forms with a renderer or a font take what they use; the others are the game's
    // shorthand through the screen's text renderer. createFont: 0, or -2 when the face
    // could not be had: no renderer, no font file at all, or a face that is not
    // registered (the renderer's fallback face then draws the text, so it still shows).
    // An empty face asks for the fallback face and is no failure. drawText: 0, or -1 when
    // nothing could be drawn (no renderer, no font); empty text draws nothing and gives 0.
    int createFont(TextRenderer* renderer, const std::string& face, int width, int height,
                   int weight);
    int createFont(const std::string& face, int width, int height, int weight);
    int selectFont();
    int drawText(TextFont* font, int x, int y, uint32_t colour, const std::string& text);
    int drawText(int x, int y, uint32_t colour, const std::string& text);
    // The font the shorthand drawText uses: the one created, else the renderer's default
    // (null without either).
    TextFont* activeFont(TextRenderer* renderer);

    int width() const { return bitmap_.width(); }
    int height() const { return bitmap_.height(); }
    int pitch() const { return bitmap_.pitch(); }
    bool valid() const { return bitmap_.valid(); }
    const PixelFormat& format() const { return bitmap_.format(); }
    uint8_t* pixels() { return bitmap_.data(); }
    const uint8_t* pixels() const { return bitmap_.data(); }
    const std::string& fileName() const { return fileName_; }
    Screen* screen() const { return screen_; }
    int serial() const { return serial_; }

private:
    // Clips a copy of `src` (null: whole surface) to (x, y) on dest; false when
    // nothing is left to draw.
    bool clipCopy(const Surface& dest, int& x, int& y, const Rect* src, Rect& out) const;
    // Runs `row` over the clipped rectangle, row by row; handles drawing a surface
    // onto an overlapping part of itself.
    template <class RowFn>
    int blitRows(Surface& dest, int x, int y, const Rect* src, RowFn row);
    // Takes new pixels, with the clip rectangle covering them and no colour key.
    void adopt(Bitmap& pixels);
    TextRenderer* textRenderer() const;

    Bitmap bitmap_;
    Rect clip_;
    uint32_t colourKey_ = 0;
    int placement_ = kPlacementAny;
    std::string fileName_;
    std::shared_ptr<TextFont> font_;
    std::string fontFace_;
    Screen* screen_ = nullptr;
    int serial_ = 0;
};
