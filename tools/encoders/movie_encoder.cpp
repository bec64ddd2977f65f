#include "tools/encoders/movie_encoder.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

namespace {

struct Encoder {
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    ~Encoder() { avcodec_free_context(&codec); }
};

struct Writer {
    AVFormatContext* format = nullptr;
    Encoder video, sound;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    ~Writer() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

std::string failed(const std::string& what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return what + ": " + text;
}

// Sends a frame (null: the end) and writes every packet that comes out.
int encode(Writer& w, Encoder& e, AVFrame* frame) {
    int r = avcodec_send_frame(e.codec, frame);
    if (r < 0) return r;
    for (;;) {
        r = avcodec_receive_packet(e.codec, w.packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return 0;
        if (r < 0) return r;
        // Pictures last one tick of the codec's time base; without it MP4 cuts the last.
        if (w.packet->duration == 0 && e.codec->codec_type == AVMEDIA_TYPE_VIDEO) {
            w.packet->duration = 1;
        }
        av_packet_rescale_ts(w.packet, e.codec->time_base, e.stream->time_base);
        w.packet->stream_index = e.stream->index;
        r = av_interleaved_write_frame(w.format, w.packet);
        if (r < 0) return r;
    }
}

std::string openVideo(Writer& w, const MovieSettings& want) {
    const AVCodec* codec = avcodec_find_encoder_by_name(want.video.c_str());
    if (!codec) return "no encoder " + want.video;
    Encoder& e = w.video;
    e.stream = avformat_new_stream(w.format, nullptr);
    e.codec = avcodec_alloc_context3(codec);
    if (!e.stream || !e.codec) return "out of memory";
    AVCodecContext* c = e.codec;
    c->width = want.width;
    c->height = want.height;
    c->time_base = {1, want.fps};
    c->framerate = {want.fps, 1};
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->gop_size = want.gop;
    c->max_b_frames = want.bFrames;
    c->thread_count = 1;
    int64_t rate = want.bitRate ? want.bitRate : int64_t{want.width} * want.height * want.fps / 4;
    c->bit_rate = rate;
    if (want.muxer == "mpeg") {
        // The program stream muxer needs a buffer model, or it logs underflows.
        c->rc_max_rate = rate * 2;
        c->rc_min_rate = 0;
        c->rc_buffer_size = static_cast<int>(std::min<int64_t>(rate, 1 << 24));
    }
    if (want.video == "libx264") {
        av_opt_set(c->priv_data, "preset", "veryfast", 0);
    } else if (want.video == "libvpx" || want.video == "libvpx-vp9") {
        av_opt_set(c->priv_data, "deadline", "realtime", 0);
        av_opt_set_int(c->priv_data, "cpu-used", 8, 0);
    }
    if (w.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int r = avcodec_open2(c, codec, nullptr);
    if (r < 0) return failed("open " + want.video, r);
    // The buffer model the encoder kept to, for the muxer.
    for (int i = 0; i < c->nb_coded_side_data; ++i) {
        const AVPacketSideData& side = c->coded_side_data[i];
        uint8_t* copy = av_stream_new_side_data(e.stream, side.type, side.size);
        if (copy) std::memcpy(copy, side.data, side.size);
    }
    e.stream->time_base = c->time_base;
    r = avcodec_parameters_from_context(e.stream->codecpar, c);
    return r < 0 ? failed("parameters", r) : "";
}

std::string openSound(Writer& w, const MovieSettings& want) {
    const AVCodec* codec = avcodec_find_encoder_by_name(want.sound.c_str());
    if (!codec) return "no encoder " + want.sound;
    Encoder& e = w.sound;
    e.stream = avformat_new_stream(w.format, nullptr);
    e.codec = avcodec_alloc_context3(codec);
    if (!e.stream || !e.codec) return "out of memory";
    AVCodecContext* c = e.codec;
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    c->sample_rate = want.sampleRate;
    if (codec->supported_samplerates) {
        bool offered = false;
        for (const int* r = codec->supported_samplerates; *r; ++r) offered |= *r == want.sampleRate;
        if (!offered) c->sample_rate = codec->supported_samplerates[0];
    }
    av_channel_layout_default(&c->ch_layout, want.channels);
    c->bit_rate = 64000 * want.channels;
    c->time_base = {1, c->sample_rate};
    if (w.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int r = avcodec_open2(c, codec, nullptr);
    if (r < 0) return failed("open " + want.sound, r);
    e.stream->time_base = c->time_base;
    r = avcodec_parameters_from_context(e.stream->codecpar, c);
    return r < 0 ? failed("parameters", r) : "";
}

// One sound frame, samples [first, first + count).
int writeSound(Writer& w, const SoundSample& sound, int64_t first, int count) {
    AVCodecContext* c = w.sound.codec;
    AVFrame* f = av_frame_alloc();
    if (!f) return AVERROR(ENOMEM);
    f->format = c->sample_fmt;
    f->sample_rate = c->sample_rate;
    f->nb_samples = count;
    av_channel_layout_copy(&f->ch_layout, &c->ch_layout);
    int r = av_frame_get_buffer(f, 0);
    if (r >= 0) {
        const int channels = c->ch_layout.nb_channels;
        const bool planar = av_sample_fmt_is_planar(c->sample_fmt);
        for (int i = 0; i < count && r >= 0; ++i) {
            for (int ch = 0; ch < channels; ++ch) {
                double v = sound ? std::clamp(sound(first + i, ch, c->sample_rate), -1.0, 1.0) : 0;
                int index = planar ? i : i * channels + ch;
                uint8_t* plane = f->extended_data[planar ? ch : 0];
                switch (c->sample_fmt) {
                    case AV_SAMPLE_FMT_S16:
                    case AV_SAMPLE_FMT_S16P:
                        reinterpret_cast<int16_t*>(plane)[index] = static_cast<int16_t>(v * 32767);
                        break;
                    case AV_SAMPLE_FMT_FLT:
                    case AV_SAMPLE_FMT_FLTP:
                        reinterpret_cast<float*>(plane)[index] = static_cast<float>(v);
                        break;
                    default:
                        r = AVERROR(EINVAL);
                }
            }
        }
        f->pts = first;
        if (r >= 0) r = encode(w, w.sound, f);
    }
    av_frame_free(&f);
    return r;
}

uint8_t clampByte(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

std::string writeMovie(const std::string& path, const MovieSettings& want,
                       const PaintPicture& paint, const SoundSample& sound) {
    Writer w;
    int r = avformat_alloc_output_context2(&w.format, nullptr, want.muxer.c_str(), path.c_str());
    if (r < 0 || !w.format) return failed("muxer " + want.muxer, r);
    std::string error;
    if (!want.video.empty() && !(error = openVideo(w, want)).empty()) return error;
    if (!want.sound.empty() && !(error = openSound(w, want)).empty()) return error;
    if (want.muxer == "mpeg" && w.video.codec) {
        // A mux rate well above the streams' keeps the program stream's buffer model fed.
        int64_t bits = w.video.codec->rc_max_rate + (w.sound.codec ? w.sound.codec->bit_rate : 0);
        av_opt_set_int(w.format->priv_data, "muxrate", bits * 2, 0);
    }
    r = avio_open(&w.format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (r < 0) return failed("create " + path, r);
    r = avformat_write_header(w.format, nullptr);
    if (r < 0) return failed("header", r);
    w.packet = av_packet_alloc();
    w.frame = av_frame_alloc();
    if (!w.packet || !w.frame) return "out of memory";

    int soundRate = w.sound.codec ? w.sound.codec->sample_rate : 0;
    int soundFrame = 1024;
    if (w.sound.codec && w.sound.codec->frame_size > 0) soundFrame = w.sound.codec->frame_size;
    const int soundFrames = want.soundFrames >= 0 ? want.soundFrames : want.frames;
    const int64_t soundTotal = int64_t{soundRate} * soundFrames / want.fps;
    int64_t soundDone = int64_t{soundRate} * want.soundFrom / want.fps;
    auto soundUntil = [&](int64_t until) {
        while (w.sound.codec && soundDone < until && soundDone < soundTotal) {
            int count = static_cast<int>(std::min<int64_t>(soundFrame, soundTotal - soundDone));
            // Fixed-size encoders take only whole frames, the last one padded.
            if (count < soundFrame &&
                !(w.sound.codec->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE)) {
                count = soundFrame;
            }
            int e = writeSound(w, sound, soundDone, count);
            if (e < 0) return e;
            soundDone += count;
        }
        return 0;
    };

    if (w.video.codec) {
        w.frame->format = w.video.codec->pix_fmt;
        w.frame->width = want.width;
        w.frame->height = want.height;
        r = av_frame_get_buffer(w.frame, 0);
        if (r < 0) return failed("picture", r);
    }
    for (int i = 0; i < want.frames; ++i) {
        r = soundUntil(int64_t{soundRate} * (i + 1) / want.fps);
        if (r < 0) return failed("sound", r);
        if (!w.video.codec) continue;
        r = av_frame_make_writable(w.frame);
        if (r < 0) return failed("picture", r);
        YuvPicture picture;
        picture.width = want.width;
        picture.height = want.height;
        for (int p = 0; p < 3; ++p) {
            picture.planes[p] = w.frame->data[p];
            picture.strides[p] = w.frame->linesize[p];
        }
        if (paint) paint(i, picture);
        w.frame->pts = i;
        r = encode(w, w.video, w.frame);
        if (r < 0) return failed("encode picture", r);
    }
    if (w.video.codec && (r = encode(w, w.video, nullptr)) < 0) return failed("flush picture", r);
    if (w.sound.codec && (r = encode(w, w.sound, nullptr)) < 0) return failed("flush sound", r);
    r = av_write_trailer(w.format);
    return r < 0 ? failed("trailer", r) : "";
}

void bgrToYuv(const uint8_t* rows, int stride, int bytesPerPixel, YuvPicture& picture) {
    const int w = picture.width, h = picture.height;
    auto pixel = [&](int x, int y) {
        return rows + static_cast<ptrdiff_t>(y) * stride + x * bytesPerPixel;
    };
    for (int y = 0; y < h; ++y) {
        uint8_t* out = picture.planes[0] + static_cast<ptrdiff_t>(y) * picture.strides[0];
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = pixel(x, y);
            out[x] = clampByte(((66 * p[2] + 129 * p[1] + 25 * p[0] + 128) >> 8) + 16);
        }
    }
    for (int y = 0; y < (h + 1) / 2; ++y) {
        uint8_t* u = picture.planes[1] + static_cast<ptrdiff_t>(y) * picture.strides[1];
        uint8_t* v = picture.planes[2] + static_cast<ptrdiff_t>(y) * picture.strides[2];
        for (int x = 0; x < (w + 1) / 2; ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    int sx = 2 * x + dx, sy = 2 * y + dy;
                    if (sx >= w || sy >= h) continue;
                    const uint8_t* p = pixel(sx, sy);
                    b += p[0];
                    g += p[1];
                    r += p[2];
                    ++n;
                }
            }
            r /= n;
            g /= n;
            b /= n;
            u[x] = clampByte(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
            v[x] = clampByte(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
        }
    }
}
