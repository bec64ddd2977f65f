#include "tools/encoders/sound_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace {

// Writes one frame's worth of samples in the encoder's own sample layout.
void fillFrame(AVFrame* frame, const int16_t* src, int frames, int channels) {
    auto format = static_cast<AVSampleFormat>(frame->format);
    bool planar = av_sample_fmt_is_planar(format);
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            int16_t v = src[i * channels + c];
            int plane = planar ? c : 0;
            int index = planar ? i : i * channels + c;
            switch (av_get_packed_sample_fmt(format)) {
                case AV_SAMPLE_FMT_S16:
                    reinterpret_cast<int16_t*>(frame->data[plane])[index] = v;
                    break;
                case AV_SAMPLE_FMT_S32:
                    reinterpret_cast<int32_t*>(frame->data[plane])[index] = v * 65536;
                    break;
                case AV_SAMPLE_FMT_FLT:
                    reinterpret_cast<float*>(frame->data[plane])[index] = v / 32768.0f;
                    break;
                default:
                    break;
            }
        }
    }
}

bool drain(AVCodecContext* codec, AVFormatContext* out, AVStream* stream, AVPacket* packet) {
    for (;;) {
        int r = avcodec_receive_packet(codec, packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
        if (r < 0) return false;
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(out, packet) < 0) return false;
    }
}

}  // namespace

bool encodeMusic(const std::string& path, const char* encoder, const char* container,
                 const std::vector<int16_t>& samples, int rate, int channels, std::string& error) {
    const AVCodec* codec = avcodec_find_encoder_by_name(encoder);
    AVFormatContext* out = nullptr;
    if (!codec || avformat_alloc_output_context2(&out, nullptr, container, path.c_str()) < 0) {
        error = "no encoder or container";
        return false;
    }
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    AVStream* stream = avformat_new_stream(out, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool ok = false;
    do {
        ctx->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
        ctx->sample_rate = rate;
        av_channel_layout_default(&ctx->ch_layout, channels);
        ctx->bit_rate = 96000;
        ctx->time_base = AVRational{1, rate};
        ctx->strict_std_compliance = FF_COMPLIANCE_EXPERIMENTAL;
        if (out->oformat->flags & AVFMT_GLOBALHEADER) ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(ctx, codec, nullptr) < 0) {
            error = "encoder does not open";
            break;
        }
        avcodec_parameters_from_context(stream->codecpar, ctx);
        stream->time_base = ctx->time_base;
        if (avio_open(&out->pb, path.c_str(), AVIO_FLAG_WRITE) < 0 ||
            avformat_write_header(out, nullptr) < 0) {
            error = "cannot write " + path;
            break;
        }
        const int frameSize = ctx->frame_size > 0 ? ctx->frame_size : 1024;
        // Whole frames only: the tail is padded with silence.
        std::vector<int16_t> padded = samples;
        size_t total = padded.size() / static_cast<size_t>(channels);
        size_t frames = (total + frameSize - 1) / frameSize * frameSize;
        padded.resize(frames * static_cast<size_t>(channels), 0);
        ok = true;
        for (size_t at = 0; ok && at < frames; at += static_cast<size_t>(frameSize)) {
            av_frame_unref(frame);
            frame->format = ctx->sample_fmt;
            frame->sample_rate = rate;
            frame->nb_samples = frameSize;
            av_channel_layout_copy(&frame->ch_layout, &ctx->ch_layout);
            if (av_frame_get_buffer(frame, 0) < 0) {
                ok = false;
                break;
            }
            fillFrame(frame, padded.data() + at * static_cast<size_t>(channels), frameSize,
                      channels);
            frame->pts = static_cast<int64_t>(at);
            ok = avcodec_send_frame(ctx, frame) >= 0 && drain(ctx, out, stream, packet);
        }
        ok = ok && avcodec_send_frame(ctx, nullptr) >= 0 && drain(ctx, out, stream, packet) &&
             av_write_trailer(out) >= 0;
        if (!ok) error = "encoding failed";
    } while (false);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&ctx);
    if (out->pb) avio_closep(&out->pb);
    avformat_free_context(out);
    return ok;
}
