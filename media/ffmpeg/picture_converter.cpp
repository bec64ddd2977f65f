#include "media/ffmpeg/picture_converter.h"

#include <cstring>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "platform/surface.h"

namespace {

// Surface pixels are native-endian words (types 15 and 16) or bytes in B, G, R(, X)
// order (types 24 and 32).
AVPixelFormat targetFormat(const PixelFormat& format) {
    switch (format.type) {
        case 15:
            return AV_PIX_FMT_RGB555;
        case 16:
            return AV_PIX_FMT_RGB565;
        case 24:
            return AV_PIX_FMT_BGR24;
        case 32:
            return AV_PIX_FMT_BGR0;
    }
    return AV_PIX_FMT_NONE;
}

// The scaler's writers work on up to 32 pixels (of at most 4 bytes) at a time on aligned
// rows: each row gets that much room past its end, and the buffer one more row of it.
constexpr int kAlign = 64;
constexpr int kSlack = 128;

}  // namespace

PictureConverter::~PictureConverter() {
    sws_freeContext(context_);
    av_free(buffer_);
}

bool PictureConverter::supports(const PixelFormat& format) {
    return targetFormat(format) != AV_PIX_FMT_NONE;
}

bool PictureConverter::reserve(int rowBytes, int height) {
    const int stride = (rowBytes + kSlack + kAlign - 1) / kAlign * kAlign;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height + 1);
    stride_ = stride;
    if (bytes <= bufferBytes_) return true;
    av_free(buffer_);
    buffer_ = static_cast<uint8_t*>(av_malloc(bytes));
    bufferBytes_ = buffer_ ? bytes : 0;
    return buffer_ != nullptr;
}

bool PictureConverter::convert(const AVFrame& frame, Surface& target) {
    if (!target.valid()) return false;
    return convert(frame, target.format(), target.pixels(), target.pitch(), target.width(),
                   target.height());
}

bool PictureConverter::convert(const AVFrame& frame, const PixelFormat& format, uint8_t* rows,
                               int pitch, int width, int height) {
    AVPixelFormat to = targetFormat(format);
    auto from = static_cast<AVPixelFormat>(frame.format);
    const int rowBytes = width * format.bytesPerPixel;
    if (to == AV_PIX_FMT_NONE || !rows || width <= 0 || height <= 0 || pitch < rowBytes ||
        frame.width <= 0 || frame.height <= 0 || !av_pix_fmt_desc_get(from) ||
        !sws_isSupportedInput(from)) {
        return false;
    }
    context_ = sws_getCachedContext(context_, frame.width, frame.height, from, width, height, to,
                                    SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context_ || !reserve(rowBytes, height)) return false;
    uint8_t* planes[4] = {buffer_, nullptr, nullptr, nullptr};
    int strides[4] = {stride_, 0, 0, 0};
    int done = sws_scale(context_, frame.data, frame.linesize, 0, frame.height, planes, strides);
    if (done != height) return false;
    for (int y = 0; y < height; ++y)
        std::memcpy(rows + static_cast<size_t>(y) * static_cast<size_t>(pitch),
                    buffer_ + static_cast<size_t>(y) * static_cast<size_t>(stride_),
                    static_cast<size_t>(rowBytes));
    return true;
}
