#include "movie/movie_fixtures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include "media/audio_stream.h"
#include "platform/surface.h"

namespace {

constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr double kBaseTone = 400.0;
constexpr double kToneStep = 200.0;
constexpr double kPi = 3.14159265358979323846;

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

uint32_t hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352d;
    x ^= x >> 15;
    x *= 0x846ca68b;
    x ^= x >> 16;
    return x;
}

void paintPicture(AVFrame* f, int number, bool busy) {
    const int w = f->width, h = f->height;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = f->data[0] + y * f->linesize[0];
        for (int x = 0; x < w; ++x) {
            if (busy) {
                double v = 128 + 70 * std::sin((x + 3 * number) / 23.0) *
                                     std::cos((y - 2 * number) / 17.0);
                int noise =
                    static_cast<int>(
                        hash(static_cast<uint32_t>((y / 2) * 4096 + x / 2 + number * 7)) % 25) -
                    12;
                row[x] = static_cast<uint8_t>(std::clamp(static_cast<int>(v) + noise, 16, 235));
            } else {
                int cell = (y * kRows / h) * kColumns + x * kColumns / w;
                row[x] = (number >> cell) & 1 ? 235 : 16;
            }
        }
    }
    for (int plane = 1; plane < 3; ++plane) {
        for (int y = 0; y < (h + 1) / 2; ++y) {
            uint8_t* row = f->data[plane] + y * f->linesize[plane];
            for (int x = 0; x < (w + 1) / 2; ++x) {
                row[x] =
                    busy
                        ? static_cast<uint8_t>(128 + 40 * std::sin((x + y + number * plane) / 31.0))
                        : 128;
            }
        }
    }
}

std::string openVideo(Writer& w, const TestMovie& want) {
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
    e.stream->time_base = c->time_base;
    r = avcodec_parameters_from_context(e.stream->codecpar, c);
    return r < 0 ? failed("parameters", r) : "";
}

std::string openSound(Writer& w, const TestMovie& want) {
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

// One sound frame of the tone, samples [first, first + count).
int writeSound(Writer& w, int64_t first, int count) {
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
        for (int i = 0; i < count; ++i) {
            int64_t n = first + i;
            // Phase from the start of the current second, so every second starts at 0
            // and the pitch of any sample is known exactly.
            int64_t second = n / c->sample_rate;
            double t = static_cast<double>(n - second * c->sample_rate) / c->sample_rate;
            double v = 0.5 * std::sin(2 * kPi * toneFrequency(static_cast<int>(second)) * t);
            for (int ch = 0; ch < channels; ++ch) {
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

}  // namespace

double toneFrequency(int second) {
    return kBaseTone + kToneStep * second;
}

std::string writeTestMovie(const std::string& path, const TestMovie& want) {
    Writer w;
    int r = avformat_alloc_output_context2(&w.format, nullptr, want.muxer.c_str(), path.c_str());
    if (r < 0 || !w.format) return failed("muxer " + want.muxer, r);
    std::string error;
    if (!want.video.empty() && !(error = openVideo(w, want)).empty()) return error;
    if (!want.sound.empty() && !(error = openSound(w, want)).empty()) return error;
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
            int e = writeSound(w, soundDone, count);
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
        paintPicture(w.frame, i, want.busy);
        w.frame->pts = i;
        r = encode(w, w.video, w.frame);
        if (r < 0) return failed("encode picture", r);
    }
    if (w.video.codec && (r = encode(w, w.video, nullptr)) < 0) return failed("flush picture", r);
    if (w.sound.codec && (r = encode(w, w.sound, nullptr)) < 0) return failed("flush sound", r);
    r = av_write_trailer(w.format);
    return r < 0 ? failed("trailer", r) : "";
}

int frameNumberIn(const Surface& surface) {
    const PixelFormat& f = surface.format();
    int number = 0;
    for (int cell = 0; cell < kColumns * kRows; ++cell) {
        int x = (2 * (cell % kColumns) + 1) * surface.width() / (2 * kColumns);
        int y = (2 * (cell / kColumns) + 1) * surface.height() / (2 * kRows);
        uint32_t p = surface.getPixel(x, y);
        uint32_t green = (p >> f.greenShift) & f.greenMask;
        // Black and white decode near the ends of the range; anything else is no cell.
        if (green * 4 > f.greenMask * 3) {
            number |= 1 << cell;
        } else if (green * 4 > f.greenMask) {
            return -1;
        }
    }
    return number;
}

int toneSecondIn(const int16_t* frames, size_t count) {
    if (count < kMixRate / 20) return -1;
    // Rising zero crossings of the left channel, between the first and the last.
    long first = -1, last = -1, crossings = 0;
    for (size_t i = 1; i < count; ++i) {
        if (frames[2 * (i - 1)] < 0 && frames[2 * i] >= 0) {
            if (first < 0) first = static_cast<long>(i);
            last = static_cast<long>(i);
            ++crossings;
        }
    }
    if (crossings < 3) return -1;
    double frequency = (crossings - 1) * static_cast<double>(kMixRate) / (last - first);
    double second = (frequency - kBaseTone) / kToneStep;
    long rounded = std::lround(second);
    if (std::fabs(second - rounded) > 0.25) return -1;
    return static_cast<int>(rounded);
}
