#include "audio/audio_fixtures.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace {

void put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

Bytes chunkDeclaring(const char* id, uint32_t declared, const Bytes& body) {
    Bytes b(id, id + 4);
    put32(b, declared);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes chunk(const char* id, const Bytes& body, bool pad) {
    Bytes b = chunkDeclaring(id, static_cast<uint32_t>(body.size()), body);
    if (pad && body.size() % 2 == 1) b.push_back(0);
    return b;
}

Bytes formatBody(int tag, int channels, int rate, int bits) {
    Bytes b;
    put16(b, static_cast<uint32_t>(tag));
    put16(b, static_cast<uint32_t>(channels));
    put32(b, static_cast<uint32_t>(rate));
    put32(b, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(b, static_cast<uint32_t>(channels * bits / 8));
    put16(b, static_cast<uint32_t>(bits));
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes pcmWave(int channels, int rate, int bits, const Bytes& samples) {
    return riff({chunk("fmt ", formatBody(1, channels, rate, bits)), chunk("data", samples)});
}

Bytes le16(const std::vector<int16_t>& samples) {
    Bytes b;
    b.reserve(samples.size() * 2);
    for (int16_t s : samples) put16(b, static_cast<uint16_t>(s));
    return b;
}

std::vector<int16_t> tone(int rate, int channels, int frames, double hz, int amplitude) {
    std::vector<int16_t> s;
    s.reserve(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i) {
        auto v = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
        for (int c = 0; c < channels; ++c) s.push_back(v);
    }
    return s;
}

std::vector<int16_t> level(int channels, int frames, int16_t value) {
    return std::vector<int16_t>(static_cast<size_t>(channels * frames), value);
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes readFile(const std::string& path) {
    Bytes b;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return b;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
    std::fclose(f);
    return b;
}

namespace {

std::string freshFolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("vorlen-audio-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) : path(freshFolder(name)) {}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
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
