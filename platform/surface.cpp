#include "platform/surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/blit_kernels.h"
#include "platform/font.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture.h"
#include "platform/screen.h"

namespace {

// Sides beyond this are refused before anything is allocated.
constexpr int kMaxSurfaceSide = 16384;

int clampLevel16(int level) {
    // Levels are 16-bit values; anything above 256 leaves the destination alone.
    return std::min<int>(static_cast<uint16_t>(level), 256);
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Writes the low `Bytes` bytes of a pixel value (memory order is little-endian on every
// layout we draw).
template <int Bytes>
inline void storePixel(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, Bytes);
}

template <int Bytes>
void drawMask(uint8_t* base, int pitch, const Font::Mask& mask, int x, int y, const Rect& clip,
              uint32_t pixel) {
    const int64_t left = std::max<int64_t>(x, clip.left);
    const int64_t right = std::min<int64_t>(int64_t{x} + mask.width, clip.right);
    const int64_t top = std::max<int64_t>(y, clip.top);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + mask.height, clip.bottom);
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* ink = mask.ink.data() + static_cast<size_t>(row - y) * mask.width;
        uint8_t* out = base + static_cast<size_t>(row) * pitch;
        for (int64_t col = left; col < right; ++col)
            if (ink[col - x]) storePixel<Bytes>(out + static_cast<size_t>(col) * Bytes, pixel);
    }
}

template <int Bytes>
void stretchRows(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch,
                 const std::vector<int>& columns, const std::vector<int>& rows) {
    const int w = static_cast<int>(columns.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const uint8_t* in = src + static_cast<size_t>(rows[r]) * srcPitch;
        uint8_t* out = dst + r * dstPitch;
        for (int c = 0; c < w; ++c)
            std::memcpy(out + static_cast<size_t>(c) * Bytes,
                        in + static_cast<size_t>(columns[c]) * Bytes, Bytes);
    }
}

}  // namespace

Surface::Surface() = default;
Surface::~Surface() = default;

int Surface::setUp(const PixelFormat& format, int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
        return kDisplayInvalidParams;
    const BlitKernels* kernels = kernelsFor(format.type, format.bytesPerPixel);
    if (!kernels || format.bytesPerPixel < 1 || format.bytesPerPixel > 4 ||
        format.bitsPerPixel % 8 != 0)
        return kDisplayUnsupportedFormat;
    const int pitch = (width * format.bytesPerPixel + 3) & ~3;
    std::vector<uint8_t> pixels;
    try {
        pixels.assign(static_cast<size_t>(pitch) * height, 0);
    } catch (const std::bad_alloc&) {
        return kDisplayOutOfMemory;
    }
    pixels_.swap(pixels);
    width_ = width;
    height_ = height;
    pitch_ = pitch;
    format_ = format;
    kernels_ = kernels;
    clip_ = Rect{0, 0, width, height};
    colourKey_ = 0;
    lockDepth_ = 0;
    return 0;
}

int Surface::create(Screen* screen, int width, int height, int placement) {
    PixelFormat format = screen ? screen->format() : PixelFormat::ofType(16);
    int rc = setUp(format, width, height);
    if (rc != 0) return rc;
    screen_ = screen;
    serial_ = screen ? screen->nextSerial() : 0;
    placement_ = placement;
    fileName_.clear();
    return 0;
}

int Surface::create(const PixelFormat& format, int width, int height) {
    int rc = setUp(format, width, height);
    if (rc != 0) return rc;
    screen_ = nullptr;
    serial_ = 0;
    fileName_.clear();
    return 0;
}

int Surface::loadImage(Screen* screen, const std::string& name, int placement) {
    if (name.empty()) return -1;
    const PixelFormat format = screen ? screen->format() : PixelFormat::ofType(16);
    Picture picture;
    if (!ImageReader::readFile(name, picture)) {
        // Pictures stored in the program stand in for missing game files.
        picture = Picture{};
        if (!builtinPicture(name, picture)) return -2;
        if (picture.width <= 0 || picture.height <= 0) return -3;
    }
    if (fromPicture(picture, format) != 0) return -1;
    screen_ = screen;
    serial_ = screen ? screen->nextSerial() : 0;
    placement_ = placement;
    fileName_ = name.substr(0, 255);
    return 1;
}

int Surface::fromPicture(const Picture& picture, const PixelFormat& format) {
    const int w = picture.width, h = picture.height;
    if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide)
        return kDisplayInvalidParams;
    const int bpp = picture.bitsPerPixel;
    if (bpp != 8 && bpp != 24 && bpp != 32) return kDisplayUnsupportedFormat;
    const size_t rowBytes = static_cast<size_t>(w) * (bpp / 8);
    if (picture.stride < rowBytes ||
        picture.pixels.size() / static_cast<size_t>(h) < picture.stride)
        return kDisplayInvalidParams;

    Surface converted;
    int rc = converted.setUp(format, w, h);
    if (rc != 0) return rc;
    const size_t paletteEntries = picture.palette.size() / 4;
    const int outBytes = format.bytesPerPixel;
    void (*put)(uint8_t*, uint32_t) = converted.kernels_->put;
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = picture.row(y);
        uint8_t* out = converted.pixels_.data() + static_cast<size_t>(y) * converted.pitch_;
        if (bpp == 8 && format.type == 8) {
            std::memcpy(out, in, static_cast<size_t>(w));
        } else if (bpp == 8) {
            for (int x = 0; x < w; ++x, out += outBytes) {
                uint32_t value = 0;
                if (in[x] < paletteEntries) {
                    const uint8_t* e = picture.palette.data() + in[x] * 4;
                    value = format.map(e[2], e[1], e[0]);
                }
                put(out, value);
            }
        } else {
            const int step = bpp / 8;
            for (int x = 0; x < w; ++x, in += step, out += outBytes)
                put(out, format.map(in[2], in[1], in[0]));
        }
    }
    // Keep who we are (screen, serial, font, file name); take the new pixels.
    pixels_.swap(converted.pixels_);
    width_ = w;
    height_ = h;
    pitch_ = converted.pitch_;
    format_ = format;
    kernels_ = converted.kernels_;
    clip_ = Rect{0, 0, w, h};
    colourKey_ = 0;
    return 0;
}

bool Surface::toPicture(Picture& out) const {
    const int type = format_.type;
    if (!valid() || (type != 8 && type != 15 && type != 16 && type != 24 && type != 32))
        return false;
    Picture p;
    p.width = width_;
    p.height = height_;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(width_) * 3;
    p.topDown = true;
    p.pixels.resize(p.stride * height_);

    // Channel expansion that repeats the high bits, so full intensity stays 255.
    struct Channel {
        uint32_t mask;
        int shift, up, down;
    };
    auto channel = [](uint32_t mask, int shift) {
        int bits = __builtin_popcount(mask);
        return Channel{mask, shift, 8 - bits, bits - (8 - bits)};
    };
    const Channel r = channel(format_.redMask, format_.redShift),
                  g = channel(format_.greenMask, format_.greenShift),
                  b = channel(format_.blueMask, format_.blueShift);
    auto expand = [](uint32_t v, const Channel& c) {
        uint32_t x = (v >> c.shift) & c.mask;
        return static_cast<uint8_t>((x << c.up) | (c.down >= 0 ? x >> c.down : 0));
    };
    uint32_t (*get)(const uint8_t*) = kernels_->get;
    const int bytes = format_.bytesPerPixel;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* in = pixels_.data() + static_cast<size_t>(y) * pitch_;
        uint8_t* o = p.pixels.data() + static_cast<size_t>(y) * p.stride;
        if (type == 8) {
            // No palette is kept: indices show as grey levels.
            for (int x = 0; x < width_; ++x, o += 3) o[0] = o[1] = o[2] = in[x];
            continue;
        }
        for (int x = 0; x < width_; ++x, in += bytes, o += 3) {
            uint32_t v = get(in);
            o[0] = expand(v, b);
            o[1] = expand(v, g);
            o[2] = expand(v, r);
        }
    }
    out = std::move(p);
    return true;
}

void Surface::setClipRect(const Rect& rect) {
    Rect c;
    c.left = std::clamp(rect.left, 0, width_);
    c.right = std::clamp(rect.right, 0, width_);
    c.top = std::clamp(rect.top, 0, height_);
    c.bottom = std::clamp(rect.bottom, 0, height_);
    // An inverted rectangle clips everything away rather than reading backwards.
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    clip_ = c;
}

int Surface::setColourKeyFromTopLeft() {
    if (!valid()) return -1;
    uint32_t key;
    std::memcpy(&key, pixels_.data(), 4);  // every row is at least 4 bytes
    if (format_.bitsPerPixel < 32) key &= (1u << format_.bitsPerPixel) - 1;
    colourKey_ = key;
    return 0;
}

bool Surface::clipCopy(const Surface& dest, int& x, int& y, const Rect* src, Rect& s) const {
    s = src ? *src : Rect{0, 0, width_, height_};
    const Rect& c = clip_;
    if (s.top >= c.bottom || s.left >= c.right || c.top >= s.bottom || c.left >= s.right)
        return false;
    s.left = std::max(s.left, c.left);
    s.top = std::max(s.top, c.top);
    s.right = std::min(s.right, c.right);
    s.bottom = std::min(s.bottom, c.bottom);
    if (s.left >= s.right || s.top >= s.bottom) return false;

    // 64-bit so that far-away positions cannot wrap around into view.
    int64_t dl = x, dt = y, dr = dl + s.width(), db = dt + s.height();
    const Rect& dc = dest.clip_;
    if (dt >= dc.bottom || dl >= dc.right || dc.top >= db || dc.left >= dr) return false;
    if (dl < dc.left) {
        s.left += static_cast<int>(dc.left - dl);
        dl = dc.left;
    }
    if (dt < dc.top) {
        s.top += static_cast<int>(dc.top - dt);
        dt = dc.top;
    }
    if (dr > dc.right) s.right -= static_cast<int>(dr - dc.right);
    if (db > dc.bottom) s.bottom -= static_cast<int>(db - dc.bottom);
    x = static_cast<int>(dl);
    y = static_cast<int>(dt);
    return s.left < s.right && s.top < s.bottom;
}

template <class RowFn>
int Surface::blitRows(Surface& dest, int x, int y, const Rect* src, RowFn row) {
    if (!valid() || !dest.valid()) return kDisplayNoSurface;
    if (format_.type != dest.format_.type || format_.bytesPerPixel != dest.format_.bytesPerPixel)
        return kDisplayIncompatibleFormats;
    Rect s;
    if (!clipCopy(dest, x, y, src, s)) return 0;
    const int bytes = format_.bytesPerPixel;
    const int w = s.width(), h = s.height();
    const size_t rowBytes = static_cast<size_t>(w) * bytes;
    const uint8_t* in =
        pixels_.data() + static_cast<size_t>(s.top) * pitch_ + static_cast<size_t>(s.left) * bytes;
    size_t inPitch = pitch_;
    std::vector<uint8_t> copy;
    if (&dest == this && overlaps(s, Rect{x, y, x + w, y + h})) {
        // Drawing onto an overlapping part of itself: read from a snapshot.
        copy.resize(rowBytes * h);
        for (int r = 0; r < h; ++r)
            std::memcpy(copy.data() + r * rowBytes, in + r * inPitch, rowBytes);
        in = copy.data();
        inPitch = rowBytes;
    }
    uint8_t* out =
        dest.pixels_.data() + static_cast<size_t>(y) * dest.pitch_ + static_cast<size_t>(x) * bytes;
    lock();
    dest.lock();
    if (inPitch == rowBytes && static_cast<size_t>(dest.pitch_) == rowBytes) {
        row(out, in, w * h);  // whole rows without padding: one run
    } else {
        for (int r = 0; r < h; ++r)
            row(out + static_cast<size_t>(r) * dest.pitch_, in + r * inPitch, w);
    }
    dest.unlock();
    unlock();
    return 0;
}

int Surface::draw(Surface& dest, int x, int y, const Rect* src) {
    const size_t bytes = static_cast<size_t>(format_.bytesPerPixel);
    return blitRows(dest, x, y, src,
                    [bytes](uint8_t* d, const uint8_t* s, int n) { std::memcpy(d, s, bytes * n); });
}

int Surface::drawKeyed(Surface& dest, int x, int y, const Rect* src) {
    if (!kernels_) return kDisplayNoSurface;
    auto keyed = kernels_->keyed;
    const uint32_t key = colourKey_;
    return blitRows(dest, x, y, src,
                    [keyed, key](uint8_t* d, const uint8_t* s, int n) { keyed(d, s, n, key); });
}

int Surface::drawHalf(Surface& dest, int x, int y, const Rect* src) {
    if (!kernels_ || !kernels_->half) return 0;
    auto half = kernels_->half;
    return blitRows(dest, x, y, src, half);
}

int Surface::drawKeyedHalf(Surface& dest, int x, int y, const Rect* src) {
    if (!kernels_ || !kernels_->keyedHalf) return 0;
    auto keyedHalf = kernels_->keyedHalf;
    const uint32_t key = colourKey_;
    return blitRows(dest, x, y, src, [keyedHalf, key](uint8_t* d, const uint8_t* s, int n) {
        keyedHalf(d, s, n, key);
    });
}

int Surface::drawAlpha(Surface& dest, int x, int y, const Rect* src, int level) {
    if (!kernels_ || !kernels_->alpha) return 0;
    auto alpha = kernels_->alpha;
    const int l = clampLevel16(level);
    return blitRows(dest, x, y, src,
                    [alpha, l](uint8_t* d, const uint8_t* s, int n) { alpha(d, s, n, l); });
}

int Surface::drawKeyedAlpha(Surface& dest, int x, int y, const Rect* src, int level) {
    if (!kernels_ || !kernels_->keyedAlpha) return 0;
    auto keyedAlpha = kernels_->keyedAlpha;
    const int l = clampLevel16(level);
    const uint32_t key = colourKey_;
    return blitRows(dest, x, y, src, [keyedAlpha, l, key](uint8_t* d, const uint8_t* s, int n) {
        keyedAlpha(d, s, n, l, key);
    });
}

int Surface::drawFaded(Surface& dest, int x, int y, const Rect* src, int level) {
    if (!kernels_ || !kernels_->faded) return 0;
    auto faded = kernels_->faded;
    // Outside 0..256 the channels would overflow into their neighbours.
    const int l = std::clamp(level, 0, 256);
    return blitRows(dest, x, y, src,
                    [faded, l](uint8_t* d, const uint8_t* s, int n) { faded(d, s, n, l); });
}

int Surface::drawScaled(Surface& dest, int x, int y, const Rect* src, float factor) {
    if (!valid() || !dest.valid()) return kDisplayNoSurface;
    if (format_.type != dest.format_.type || format_.bytesPerPixel != dest.format_.bytesPerPixel)
        return kDisplayIncompatibleFormats;
    // Below 0 (or not a number) is 0: an empty target. Very large factors are capped so
    // that the target's coordinates stay within range.
    const double f = factor > 0 ? std::min<double>(factor, kMaxSurfaceSide) : 0.0;
    if (f == 0.0) return 0;

    Rect s = src ? *src : Rect{0, 0, width_, height_};
    const Rect& c = clip_;
    if (s.top >= c.bottom || s.left >= c.right || c.top >= s.bottom || c.left >= s.right) return 0;
    s.left = std::max(s.left, c.left);
    s.top = std::max(s.top, c.top);
    s.right = std::min(s.right, c.right);
    s.bottom = std::min(s.bottom, c.bottom);
    if (s.left >= s.right || s.top >= s.bottom) return 0;

    const int w = s.width(), h = s.height();
    int64_t left = static_cast<int64_t>(x + w / 2.0 - w * f / 2.0);
    int64_t top = static_cast<int64_t>(y + h / 2.0 - h * f / 2.0);
    int64_t right = static_cast<int64_t>(left + w * f);
    int64_t bottom = static_cast<int64_t>(top + h * f);
    if (right <= left || bottom <= top) return 0;

    const Rect& dc = dest.clip_;
    if (top >= dc.bottom || left >= dc.right || dc.top >= bottom || dc.left >= right) return 0;
    if (left < dc.left) {
        s.left += static_cast<int>((dc.left - left) / f);
        left = dc.left;
    }
    if (top < dc.top) {
        s.top += static_cast<int>((dc.top - top) / f);
        top = dc.top;
    }
    if (right > dc.right) {
        s.right -= static_cast<int>((right - dc.right) / f);
        right = dc.right;
    }
    if (bottom > dc.bottom) {
        s.bottom -= static_cast<int>((bottom - dc.bottom) / f);
        bottom = dc.bottom;
    }
    if (s.left >= s.right || s.top >= s.bottom) return 0;

    // Nearest source pixel for every target column and row.
    const int dw = static_cast<int>(right - left), dh = static_cast<int>(bottom - top);
    std::vector<int> columns(dw), rows(dh);
    for (int i = 0; i < dw; ++i)
        columns[i] = s.left + static_cast<int>(static_cast<int64_t>(i) * s.width() / dw);
    for (int i = 0; i < dh; ++i)
        rows[i] = s.top + static_cast<int>(static_cast<int64_t>(i) * s.height() / dh);

    const uint8_t* in = pixels_.data();
    int inPitch = pitch_;
    std::vector<uint8_t> snapshot;
    if (&dest == this) {
        snapshot = pixels_;
        in = snapshot.data();
    }
    const int bytes = format_.bytesPerPixel;
    uint8_t* out = dest.pixels_.data() + static_cast<size_t>(top) * dest.pitch_ +
                   static_cast<size_t>(left) * bytes;
    lock();
    dest.lock();
    switch (bytes) {
        case 1:
            stretchRows<1>(out, dest.pitch_, in, inPitch, columns, rows);
            break;
        case 2:
            stretchRows<2>(out, dest.pitch_, in, inPitch, columns, rows);
            break;
        case 3:
            stretchRows<3>(out, dest.pitch_, in, inPitch, columns, rows);
            break;
        case 4:
            stretchRows<4>(out, dest.pitch_, in, inPitch, columns, rows);
            break;
    }
    dest.unlock();
    unlock();
    return 0;
}

int Surface::fill(uint32_t pixel) {
    if (!valid()) return kDisplayNoSurface;
    lock();
    for (int y = 0; y < height_; ++y)
        kernels_->fill(pixels_.data() + static_cast<size_t>(y) * pitch_, width_, pixel);
    unlock();
    return 0;
}

void Surface::line(int x1, int y1, int x2, int y2, uint32_t pixel) {
    if (!valid()) return;
    const Rect& c = clip_;
    if (c.left >= c.right || c.top >= c.bottom) return;
    auto put = kernels_->put;
    const int bytes = format_.bytesPerPixel;
    auto plot = [&](int64_t x, int64_t y) {
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
            put(pixels_.data() + static_cast<size_t>(y) * pitch_ + static_cast<size_t>(x) * bytes,
                pixel);
    };
    lock();
    const int64_t dx = static_cast<int64_t>(x2) - x1, dy = static_cast<int64_t>(y2) - y1;
    if (dx == 0) {
        const int64_t from = std::max<int64_t>(std::min(y1, y2), c.top);
        const int64_t to = std::min<int64_t>(std::max(y1, y2), c.bottom - 1);
        for (int64_t y = from; y <= to; ++y) plot(x1, y);
    } else if (dy == 0) {
        const int64_t from = std::max<int64_t>(std::min(x1, x2), c.left);
        const int64_t to = std::min<int64_t>(std::max(x1, x2), c.right - 1);
        for (int64_t x = from; x <= to; ++x) plot(x, y1);
    } else if (std::llabs(dy) < std::llabs(dx)) {
        // Step x from the left end; y is computed from the step count rather than
        // accumulated, so the far end lands exactly on its pixel. Only the columns inside
        // the clip rectangle can draw anything, so only those are visited.
        const int64_t xl = dx > 0 ? x1 : x2, yl = dx > 0 ? y1 : y2;
        const int64_t run = std::llabs(dx), rise = dx > 0 ? dy : -dy;
        const int64_t first = std::max<int64_t>(0, c.left - xl);
        const int64_t last = std::min<int64_t>(run, c.right - 1 - xl);
        for (int64_t i = first; i <= last; ++i)
            plot(xl + i, static_cast<int64_t>(yl + static_cast<double>(rise * i) / run));
    } else {
        const int64_t yt = dy > 0 ? y1 : y2, xt = dy > 0 ? x1 : x2;
        const int64_t run = std::llabs(dy), rise = dy > 0 ? dx : -dx;
        const int64_t first = std::max<int64_t>(0, c.top - yt);
        const int64_t last = std::min<int64_t>(run, c.bottom - 1 - yt);
        for (int64_t i = first; i <= last; ++i)
            plot(static_cast<int64_t>(xt + static_cast<double>(rise * i) / run), yt + i);
    }
    unlock();
}

void Surface::putPixel(int x, int y, uint32_t pixel) {
    if (!valid() || x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom)
        return;
    kernels_->put(pixels_.data() + static_cast<size_t>(y) * pitch_ +
                      static_cast<size_t>(x) * format_.bytesPerPixel,
                  pixel);
}

uint32_t Surface::getPixel(int x, int y) const {
    if (!valid() || x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom)
        return 0;
    return kernels_->get(pixels_.data() + static_cast<size_t>(y) * pitch_ +
                         static_cast<size_t>(x) * format_.bytesPerPixel);
}

void Surface::putBlendedPixel(int x, int y, uint32_t pixel, int level) {
    if (!valid() || !kernels_->blend) return;
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
    // Like the blends: a 16-bit level, above 256 leaves the pixel as it was.
    kernels_->blend(pixels_.data() + static_cast<size_t>(y) * pitch_ +
                        static_cast<size_t>(x) * format_.bytesPerPixel,
                    pixel, clampLevel16(level));
}

int Surface::lock() {
    ++lockDepth_;
    return 0;
}

int Surface::unlock() {
    if (lockDepth_ == 0) return kDisplayNotLocked;
    --lockDepth_;
    return 0;
}

int Surface::getDC() {
    ++dcDepth_;
    return 0;
}

int Surface::releaseDC() {
    if (dcDepth_ == 0) return kDisplayNotLocked;
    --dcDepth_;
    return 0;
}

int Surface::createFont(const std::string& face, int width, int height, int weight) {
    font_.reset();
    fontFace_ = face.substr(0, 255);
    font_ = Font::create(face, width, height, weight);
    return font_ ? 0 : -2;
}

int Surface::selectFont() {
    return font_ ? 0 : -1;
}

Font* Surface::activeFont() {
    return font_ ? font_.get() : Font::fallback();
}

int Surface::drawText(int x, int y, uint32_t colour, const std::string& text) {
    if (text.empty()) return 0;
    if (!valid()) return -1;
    Font* font = activeFont();
    if (!font) return -1;
    const Font::Mask* mask = font->render(text);
    if (!mask) return -1;
    const uint32_t pixel = format_.map(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    getDC();
    lock();
    switch (format_.bytesPerPixel) {
        case 1:
            drawMask<1>(pixels_.data(), pitch_, *mask, x, y, clip_, pixel);
            break;
        case 2:
            drawMask<2>(pixels_.data(), pitch_, *mask, x, y, clip_, pixel);
            break;
        case 3:
            drawMask<3>(pixels_.data(), pitch_, *mask, x, y, clip_, pixel);
            break;
        case 4:
            drawMask<4>(pixels_.data(), pitch_, *mask, x, y, clip_, pixel);
            break;
    }
    unlock();
    releaseDC();
    return 0;
}
