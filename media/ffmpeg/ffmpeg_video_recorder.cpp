#include "media/ffmpeg/ffmpeg_video_recorder.h"

#include <algorithm>
#include <cctype>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

struct Container {
    const char* extension;
    const char* muxer;
    const char* video;
    AVPixelFormat pixels;
    const char* sound;
    int soundRate;  // 0: the mix's own
};

// FFV1 stores the screen's colours as 8-bit RGB, so the file decodes to exactly the
// pictures `shot` writes.
const Container kContainers[] = {
    {".mp4", "mp4", "libx264", AV_PIX_FMT_YUV420P, "aac", 0},
    {".webm", "webm", "libvpx-vp9", AV_PIX_FMT_YUV420P, "libopus", 48000},
    {".mkv", "matroska", "ffv1", AV_PIX_FMT_0RGB32, "flac", 0},
};

const Container* containerOf(const std::string& path) {
    for (const Container& c : kContainers) {
        std::string ext = c.extension;
        if (path.size() > ext.size() &&
            std::equal(ext.rbegin(), ext.rend(), path.rbegin(), [](char a, char b) {
                return a == std::tolower(static_cast<unsigned char>(b));
            }))
            return &c;
    }
    return nullptr;
}

std::string describe(const std::string& what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return what + ": " + text;
}

struct Stream {
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    ~Stream() { avcodec_free_context(&codec); }
};

class FfmpegVideoRecorder : public VideoRecorder {
public:
    ~FfmpegVideoRecorder() override {
        if (format_ && !finished_) finish();
        sws_freeContext(scaler_);
        swr_free(&resampler_);
        if (fifo_) av_audio_fifo_free(fifo_);
        av_frame_free(&picture_);
        av_frame_free(&sound_);
        av_packet_free(&packet_);
        if (format_) {
            if (format_->pb) avio_closep(&format_->pb);
            avformat_free_context(format_);
        }
    }

    bool open(const std::string& path, const RecordingFormat& want, const Container& c) {
        want_ = want;
        if ((want.pixelType != 15 && want.pixelType != 16) || want.width <= 0 || want.height <= 0 ||
            want.frameStepMillis <= 0 || want.sampleRate <= 0)
            return fail("unsupported picture or sound format");
        packet_ = av_packet_alloc();
        picture_ = av_frame_alloc();
        sound_ = av_frame_alloc();
        if (!packet_ || !picture_ || !sound_) return fail("out of memory");
        int r = avformat_alloc_output_context2(&format_, nullptr, c.muxer, path.c_str());
        if (r < 0 || !format_) return fail(describe("no muxer", r));
        // No dates, random identifiers or library versions: the same input, the same file.
        format_->flags |= AVFMT_FLAG_BITEXACT;
        if (!openVideo(c) || !openSound(c)) return false;
        r = avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE);
        if (r < 0) return fail(describe("cannot write " + path, r));
        r = avformat_write_header(format_, nullptr);
        if (r < 0) return fail(describe("cannot write the header", r));
        headerWritten_ = true;
        return true;
    }

    bool addPicture(const uint8_t* pixels, int pitch, int64_t index) override {
        if (!ok_) return false;
        // Steps with no present of their own hold the last picture.
        if (havePicture_) {
            for (int64_t i = lastIndex_ + 1; i < index; ++i)
                if (!sendPicture(i)) return false;
        }
        int r = av_frame_make_writable(picture_);
        if (r < 0) return fail(describe("picture", r));
        if (direct_) {
            expandToRgb(pixels, pitch);
        } else {
            const uint8_t* planes[1] = {pixels};
            const int strides[1] = {pitch};
            sws_scale(scaler_, planes, strides, 0, want_.height, picture_->data,
                      picture_->linesize);
        }
        havePicture_ = true;
        return sendPicture(index);
    }

    bool addSound(const int16_t* samples, size_t frames) override {
        if (!ok_) return false;
        while (frames > 0) {
            int n = static_cast<int>(std::min<size_t>(frames, 8192));
            if (!resample(reinterpret_cast<const uint8_t*>(samples), n)) return false;
            samples += static_cast<size_t>(n) * 2;
            frames -= static_cast<size_t>(n);
        }
        return drainSound(false);
    }

    bool finish() override {
        if (finished_) return ok_;
        finished_ = true;
        if (!headerWritten_) return false;
        if (ok_) resample(nullptr, 0);
        if (ok_) drainSound(true);
        if (ok_) encode(video_, nullptr);
        if (ok_) encode(audio_, nullptr);
        int r = av_write_trailer(format_);
        if (ok_ && r < 0) fail(describe("cannot complete the file", r));
        r = avio_closep(&format_->pb);
        if (ok_ && r < 0) fail(describe("cannot complete the file", r));
        return ok_;
    }

    std::string error() const override { return error_; }
    std::string openError() const { return error_; }

private:
    bool fail(const std::string& what) {
        if (ok_) error_ = what;
        ok_ = false;
        return false;
    }

    bool openStream(Stream& s, const char* name) {
        const AVCodec* codec = avcodec_find_encoder_by_name(name);
        if (!codec) return fail(std::string("no encoder ") + name);
        s.stream = avformat_new_stream(format_, nullptr);
        s.codec = avcodec_alloc_context3(codec);
        if (!s.stream || !s.codec) return fail("out of memory");
        s.codec->thread_count = 1;
        s.codec->flags |= AV_CODEC_FLAG_BITEXACT;
        if (format_->oformat->flags & AVFMT_GLOBALHEADER)
            s.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        return true;
    }

    bool startStream(Stream& s, AVDictionary** options) {
        int r = avcodec_open2(s.codec, s.codec->codec, options);
        av_dict_free(options);
        if (r < 0) return fail(describe(std::string("cannot open ") + s.codec->codec->name, r));
        r = avcodec_parameters_from_context(s.stream->codecpar, s.codec);
        if (r < 0) return fail(describe("stream parameters", r));
        s.stream->time_base = s.codec->time_base;
        return true;
    }

    bool openVideo(const Container& c) {
        if (!openStream(video_, c.video)) return false;
        AVCodecContext* v = video_.codec;
        v->width = want_.width;
        v->height = want_.height;
        v->pix_fmt = c.pixels;
        if (want_.frameRate > 0) {
            v->time_base = {1, want_.frameRate};
            v->framerate = {want_.frameRate, 1};
        } else {
            v->time_base = {want_.frameStepMillis, 1000};
            v->framerate = {1000, want_.frameStepMillis};
        }
        video_.stream->avg_frame_rate = v->framerate;
        video_.stream->r_frame_rate = v->framerate;
        AVDictionary* options = nullptr;
        if (std::string(c.video) == "libx264") {
            av_dict_set(&options, "preset", "veryfast", 0);
            av_dict_set(&options, "crf", "20", 0);
        } else if (std::string(c.video) == "libvpx-vp9") {
            av_dict_set(&options, "deadline", "realtime", 0);
            av_dict_set(&options, "cpu-used", "8", 0);
            av_dict_set(&options, "crf", "32", 0);
            av_dict_set(&options, "b", "0", 0);
            av_dict_set(&options, "row-mt", "0", 0);
        } else {
            // FFV1: one slice on one thread, the exact same file every run.
            av_dict_set(&options, "slices", "1", 0);
        }
        if (!startStream(video_, &options)) return false;
        picture_->format = c.pixels;
        picture_->width = want_.width;
        picture_->height = want_.height;
        int r = av_frame_get_buffer(picture_, 0);
        if (r < 0) return fail(describe("picture", r));
        direct_ = c.pixels == AV_PIX_FMT_0RGB32;
        if (!direct_) {
            AVPixelFormat in = want_.pixelType == 16 ? AV_PIX_FMT_RGB565LE : AV_PIX_FMT_RGB555LE;
            scaler_ = sws_getContext(want_.width, want_.height, in, want_.width, want_.height,
                                     c.pixels, SWS_BICUBIC | SWS_BITEXACT | SWS_ACCURATE_RND,
                                     nullptr, nullptr, nullptr);
            if (!scaler_) return fail("no picture converter");
        }
        return true;
    }

    bool openSound(const Container& c) {
        if (!openStream(audio_, c.sound)) return false;
        AVCodecContext* a = audio_.codec;
        const AVCodec* codec = a->codec;
        int rate = c.soundRate ? c.soundRate : want_.sampleRate;
        a->sample_rate = rate;
        a->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
        // Keep the mix's 16-bit samples where the encoder takes them (FLAC: lossless).
        for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
            if (*f == AV_SAMPLE_FMT_S16) a->sample_fmt = AV_SAMPLE_FMT_S16;
        av_channel_layout_default(&a->ch_layout, 2);
        a->time_base = {1, rate};
        if (std::string(c.sound) != "flac") a->bit_rate = 160000;
        AVDictionary* options = nullptr;
        if (!startStream(audio_, &options)) return false;

        AVChannelLayout stereo{};
        av_channel_layout_default(&stereo, 2);
        int r = swr_alloc_set_opts2(&resampler_, &a->ch_layout, a->sample_fmt, rate, &stereo,
                                    AV_SAMPLE_FMT_S16, want_.sampleRate, 0, nullptr);
        av_channel_layout_uninit(&stereo);
        if (r < 0 || swr_init(resampler_) < 0) return fail("no sound converter");
        fifo_ = av_audio_fifo_alloc(a->sample_fmt, 2, 1 << 14);
        if (!fifo_) return fail("out of memory");
        frameSize_ = a->frame_size > 0 ? a->frame_size : 1024;
        return true;
    }

    // The screen's 5-6-5 or 5-5-5 pixels as 8-bit RGB, each channel's high bits repeated
    // below (full intensity stays 255), as the screen's own pictures are made.
    template <int GreenBits>
    void expandRows(const uint8_t* pixels, int pitch) {
        constexpr int redShift = 5 + GreenBits;
        constexpr uint32_t greenMask = (1u << GreenBits) - 1;
        for (int y = 0; y < want_.height; ++y) {
            const uint8_t* in = pixels + static_cast<ptrdiff_t>(y) * pitch;
            auto* out = reinterpret_cast<uint32_t*>(picture_->data[0] + y * picture_->linesize[0]);
            for (int x = 0; x < want_.width; ++x) {
                uint32_t v = in[2 * x] | (uint32_t{in[2 * x + 1]} << 8);
                uint32_t r = (v >> redShift) & 0x1F, g = (v >> 5) & greenMask, b = v & 0x1F;
                r = (r << 3) | (r >> 2);
                g = (g << (8 - GreenBits)) | (g >> (2 * GreenBits - 8));
                b = (b << 3) | (b >> 2);
                out[x] = (r << 16) | (g << 8) | b;
            }
        }
    }

    void expandToRgb(const uint8_t* pixels, int pitch) {
        if (want_.pixelType == 16)
            expandRows<6>(pixels, pitch);
        else
            expandRows<5>(pixels, pitch);
    }

    bool sendPicture(int64_t index) {
        picture_->pts = index;
        lastIndex_ = index;
        return encode(video_, picture_);
    }

    // Converts `frames` mix frames (null: what the converter still holds) into the queue.
    bool resample(const uint8_t* samples, int frames) {
        const uint8_t* in[1] = {samples};
        int room = swr_get_out_samples(resampler_, frames);
        if (room < 0) return fail("sound conversion");
        if (room == 0) return true;
        sound_->nb_samples = room;
        sound_->format = audio_.codec->sample_fmt;
        sound_->sample_rate = audio_.codec->sample_rate;
        av_channel_layout_copy(&sound_->ch_layout, &audio_.codec->ch_layout);
        if (!sound_->data[0] || sound_->nb_samples > soundCapacity_) {
            av_frame_unref(sound_);
            sound_->nb_samples = room;
            sound_->format = audio_.codec->sample_fmt;
            sound_->sample_rate = audio_.codec->sample_rate;
            av_channel_layout_copy(&sound_->ch_layout, &audio_.codec->ch_layout);
            if (av_frame_get_buffer(sound_, 0) < 0) return fail("out of memory");
            soundCapacity_ = room;
        }
        int got = swr_convert(resampler_, sound_->data, room, samples ? in : nullptr, frames);
        if (got < 0) return fail("sound conversion");
        if (got > 0 &&
            av_audio_fifo_write(fifo_, reinterpret_cast<void**>(sound_->data), got) < got)
            return fail("out of memory");
        return true;
    }

    // Sends the queued sound in frames of the encoder's size; at the end also the rest,
    // padded with silence where the encoder takes only whole frames.
    bool drainSound(bool end) {
        AVCodecContext* a = audio_.codec;
        bool small = a->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME ||
                     a->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
        while (av_audio_fifo_size(fifo_) >= frameSize_ || (end && av_audio_fifo_size(fifo_) > 0)) {
            int n = std::min(av_audio_fifo_size(fifo_), frameSize_);
            AVFrame* f = av_frame_alloc();
            if (!f) return fail("out of memory");
            f->nb_samples = small ? n : frameSize_;
            f->format = a->sample_fmt;
            f->sample_rate = a->sample_rate;
            av_channel_layout_copy(&f->ch_layout, &a->ch_layout);
            if (av_frame_get_buffer(f, 0) < 0) {
                av_frame_free(&f);
                return fail("out of memory");
            }
            av_samples_set_silence(f->data, 0, f->nb_samples, 2, a->sample_fmt);
            av_audio_fifo_read(fifo_, reinterpret_cast<void**>(f->data), n);
            f->pts = soundPts_;
            soundPts_ += n;
            bool sent = encode(audio_, f);
            av_frame_free(&f);
            if (!sent) return false;
        }
        return true;
    }

    // Sends a frame (null: the end) and writes every packet that comes out.
    bool encode(Stream& s, AVFrame* frame) {
        int r = avcodec_send_frame(s.codec, frame);
        if (r < 0) return fail(describe("encoding", r));
        for (;;) {
            r = avcodec_receive_packet(s.codec, packet_);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
            if (r < 0) return fail(describe("encoding", r));
            // A picture lasts one frame step; without it MP4 cuts the last one short.
            if (packet_->duration == 0 && s.codec->codec_type == AVMEDIA_TYPE_VIDEO)
                packet_->duration = 1;
            av_packet_rescale_ts(packet_, s.codec->time_base, s.stream->time_base);
            packet_->stream_index = s.stream->index;
            r = av_interleaved_write_frame(format_, packet_);
            if (r < 0) return fail(describe("cannot write the file", r));
        }
    }

    RecordingFormat want_;
    AVFormatContext* format_ = nullptr;
    Stream video_, audio_;
    AVFrame* picture_ = nullptr;
    AVFrame* sound_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVAudioFifo* fifo_ = nullptr;
    int frameSize_ = 1024;
    int soundCapacity_ = 0;
    int64_t soundPts_ = 0;
    int64_t lastIndex_ = -1;
    bool direct_ = false;
    bool havePicture_ = false;
    bool headerWritten_ = false;
    bool finished_ = false;
    bool ok_ = true;
    std::string error_;
};

}  // namespace

std::unique_ptr<VideoRecorder> FfmpegVideoRecorders::create(const std::string& path,
                                                            const RecordingFormat& format,
                                                            std::string& error) {
    const Container* c = containerOf(path);
    if (!c) {
        error = "the name must end in .mp4, .webm or .mkv";
        return nullptr;
    }
    auto recorder = std::make_unique<FfmpegVideoRecorder>();
    if (!recorder->open(path, format, *c)) {
        error = recorder->openError();
        return nullptr;
    }
    return recorder;
}
