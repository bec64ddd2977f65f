#include "media/ffmpeg/picture_converter.h"

extern "C" {
#include <libavutil/frame.h>
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

}  // namespace

PictureConverter::~PictureConverter() {
    sws_freeContext(context_);
}

bool PictureConverter::supports(const PixelFormat& format) {
    return targetFormat(format) != AV_PIX_FMT_NONE;
}

bool PictureConverter::convert(const AVFrame& frame, Surface& target) {
    AVPixelFormat to = targetFormat(target.format());
    auto from = static_cast<AVPixelFormat>(frame.format);
    if (to == AV_PIX_FMT_NONE || !target.valid() || frame.width <= 0 || frame.height <= 0 ||
        !av_pix_fmt_desc_get(from) || !sws_isSupportedInput(from)) {
        return false;
    }
    context_ = sws_getCachedContext(context_, frame.width, frame.height, from, target.width(),
                                    target.height(), to, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context_) return false;
    uint8_t* planes[4] = {target.pixels(), nullptr, nullptr, nullptr};
    int strides[4] = {target.pitch(), 0, 0, 0};
    int rows = sws_scale(context_, frame.data, frame.linesize, 0, frame.height, planes, strides);
    return rows == target.height();
}
