#include "media/ffmpeg/sound_converter.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include "media/audio_stream.h"
#include "media/media_time.h"

namespace {

// Bounds on what a file may claim: beyond them a frame is dropped, not converted.
constexpr int kMinRate = 4000;
constexpr int kMaxRate = 768000;
constexpr int kMaxChannels = 32;
constexpr int kMaxFramesOut = 10 * kMixRate;

}  // namespace

SoundConverter::~SoundConverter() {
    swr_free(&context_);
}

bool SoundConverter::configure(const AVFrame& frame) {
    const AVChannelLayout& layout = frame.ch_layout;
    int channels = layout.nb_channels;
    if (frame.sample_rate < kMinRate || frame.sample_rate > kMaxRate || channels <= 0 ||
        channels > kMaxChannels || frame.format < 0 || frame.format >= AV_SAMPLE_FMT_NB) {
        return false;
    }
    uint64_t mask = layout.order == AV_CHANNEL_ORDER_NATIVE ? layout.u.mask : 0;
    if (context_ && frame.sample_rate == inRate_ && frame.format == inFormat_ &&
        channels == inChannels_ && mask == inMask_ && layout.order == inOrder_) {
        return true;
    }
    swr_free(&context_);
    AVChannelLayout in{};
    if (layout.order == AV_CHANNEL_ORDER_NATIVE && av_channel_layout_check(&layout)) {
        av_channel_layout_copy(&in, &layout);
    } else {
        av_channel_layout_default(&in, channels);
    }
    AVChannelLayout out{};
    av_channel_layout_default(&out, kMixChannels);
    int ok = swr_alloc_set_opts2(&context_, &out, AV_SAMPLE_FMT_S16, kMixRate, &in,
                                 static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0,
                                 nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    // Mono goes to both sides at its full level, like effects and music.
    static const double kMonoToBoth[2] = {1.0, 1.0};
    if (ok >= 0 && channels == 1) ok = swr_set_matrix(context_, kMonoToBoth, 1);
    if (ok < 0 || swr_init(context_) < 0) {
        swr_free(&context_);
        return false;
    }
    inRate_ = frame.sample_rate;
    inFormat_ = frame.format;
    inChannels_ = channels;
    inMask_ = mask;
    inOrder_ = layout.order;
    return true;
}

bool SoundConverter::run(const uint8_t** input, int inputFrames) {
    count_ = 0;
    lag_ = swr_get_delay(context_, kMediaTicksPerSecond);
    int room = swr_get_out_samples(context_, inputFrames);
    if (room < 0 || room > kMaxFramesOut) return false;
    if (room == 0) return true;
    out_.resize(static_cast<size_t>(room) * kMixChannels);
    uint8_t* planes[1] = {reinterpret_cast<uint8_t*>(out_.data())};
    int n = swr_convert(context_, planes, room, input, inputFrames);
    if (n < 0) return false;
    count_ = static_cast<size_t>(n);
    return true;
}

bool SoundConverter::convert(const AVFrame& frame) {
    count_ = 0;
    if (frame.nb_samples <= 0 || !configure(frame)) return false;
    return run(const_cast<const uint8_t**>(frame.extended_data), frame.nb_samples);
}

bool SoundConverter::drain() {
    count_ = 0;
    if (!context_) return false;
    return run(nullptr, 0);
}

void SoundConverter::reset() {
    // Rebuilt on the next frame: the cheapest way to empty the resampler.
    swr_free(&context_);
    count_ = 0;
}
