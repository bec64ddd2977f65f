#include "media/ffmpeg/ffmpeg_music_decoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "media/audio_stream.h"
#include "platform/file_bytes.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace {

std::string errorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Packets that fail to decode are skipped; this many in a row means the rest is noise.
constexpr int kMaxBadPackets = 50;

class FfmpegMusicDecoder : public MusicDecoder {
public:
    ~FfmpegMusicDecoder() override;
    bool open(const std::string& path, std::string& error);

    size_t read(int16_t* out, size_t frames) override;
    std::string damage() const override { return damage_; }

private:
    // Decodes until converted frames wait in `pending_`; false at the end.
    bool decodeMore();
    bool configureResampler(const AVFrame& frame);
    // Converts a frame, or the resampler's tail when `frame` is null.
    void convert(const AVFrame* frame);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* swr_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    // What the resampler was set up for.
    int inFormat_ = -1, inRate_ = 0, inChannels_ = 0;

    std::vector<int16_t> pending_;  // converted samples not read yet, from pendingAt_
    size_t pendingAt_ = 0;
    bool inputEnded_ = false;  // the decoder has been told there are no more packets
    bool finished_ = false;
    std::string damage_;
};

FfmpegMusicDecoder::~FfmpegMusicDecoder() {
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    swr_free(&swr_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
}

bool FfmpegMusicDecoder::open(const std::string& path, std::string& error) {
    // FFmpeg's own open would wait for ever on a pipe named like a music file.
    if (fileKind(path) != FileKind::Regular) {
        error = "not a regular file";
        return false;
    }
    if (avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0) {
        error = "not a music file that can be read";
        return false;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) {
        error = "its streams cannot be read";
        return false;
    }
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec) {
        error = stream_ == AVERROR_DECODER_NOT_FOUND ? "no decoder for its sound"
                                                     : "no sound in the file";
        return false;
    }
    for (unsigned i = 0; i < format_->nb_streams; ++i)
        if (static_cast<int>(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
    codec_ = avcodec_alloc_context3(codec);
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!codec_ || !packet_ || !frame_ ||
        avcodec_parameters_to_context(codec_, format_->streams[stream_]->codecpar) < 0) {
        error = "out of memory";
        return false;
    }
    codec_->thread_count = 1;
    codec_->pkt_timebase = format_->streams[stream_]->time_base;
    if (avcodec_open2(codec_, codec, nullptr) < 0) {
        error = "its sound cannot be decoded";
        return false;
    }
    // A file that gives no sound at all is refused now rather than found silent later.
    if (!decodeMore()) {
        error = damage_.empty() ? "no sound could be decoded" : damage_;
        return false;
    }
    return true;
}

bool FfmpegMusicDecoder::configureResampler(const AVFrame& frame) {
    int channels = frame.ch_layout.nb_channels;
    if (swr_ && frame.format == inFormat_ && frame.sample_rate == inRate_ &&
        channels == inChannels_)
        return true;
    swr_free(&swr_);
    if (channels <= 0 || frame.sample_rate <= 0) return false;
    AVChannelLayout in{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&in, channels);
    else if (av_channel_layout_copy(&in, &frame.ch_layout) < 0)
        return false;
    AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
    int r = swr_alloc_set_opts2(&swr_, &out, AV_SAMPLE_FMT_S16, kMixRate, &in,
                                static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0,
                                nullptr);
    av_channel_layout_uninit(&in);
    // Mono goes to both sides at its full level, as an effect does (the resampler's own
    // up-mix would put it 3 dB lower).
    static const double kMonoToBoth[2] = {1.0, 1.0};
    if (r >= 0 && channels == 1) r = swr_set_matrix(swr_, kMonoToBoth, 1);
    if (r < 0 || swr_init(swr_) < 0) {
        swr_free(&swr_);
        return false;
    }
    inFormat_ = frame.format;
    inRate_ = frame.sample_rate;
    inChannels_ = channels;
    return true;
}

void FfmpegMusicDecoder::convert(const AVFrame* frame) {
    if (!swr_) return;
    int inSamples = frame ? frame->nb_samples : 0;
    int room = swr_get_out_samples(swr_, inSamples);
    if (room <= 0) return;
    if (pendingAt_ == pending_.size()) {
        pending_.clear();
        pendingAt_ = 0;
    }
    size_t base = pending_.size();
    pending_.resize(base + static_cast<size_t>(room) * kMixChannels);
    auto* out = reinterpret_cast<uint8_t*>(pending_.data() + base);
    int got =
        swr_convert(swr_, &out, room,
                    frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, inSamples);
    pending_.resize(base + static_cast<size_t>(std::max(got, 0)) * kMixChannels);
}

bool FfmpegMusicDecoder::decodeMore() {
    int badPackets = 0;
    while (pendingAt_ == pending_.size()) {
        if (finished_) return false;
        int r = avcodec_receive_frame(codec_, frame_);
        if (r == 0) {
            if (configureResampler(*frame_))
                convert(frame_);
            else
                damage_ = "sound in a layout that cannot be converted";
            av_frame_unref(frame_);
            continue;
        }
        if (r == AVERROR_EOF) {
            // The decoder is drained: what the resampler holds back is the last sound.
            convert(nullptr);
            finished_ = true;
            continue;
        }
        if (r == AVERROR(EAGAIN) && inputEnded_) {
            finished_ = true;
            continue;
        }
        if (r != AVERROR(EAGAIN)) {
            // A frame that fails to decode is skipped like a damaged packet.
            if (++badPackets < kMaxBadPackets) continue;
            damage_ = "decoding failed: " + errorText(r);
            finished_ = true;
            continue;
        }
        r = av_read_frame(format_, packet_);
        if (r < 0) {
            if (r != AVERROR_EOF) damage_ = "reading failed: " + errorText(r);
            avcodec_send_packet(codec_, nullptr);
            inputEnded_ = true;
            continue;
        }
        if (packet_->stream_index == stream_) {
            r = avcodec_send_packet(codec_, packet_);
            if (r < 0 && r != AVERROR(EAGAIN)) {
                // A damaged packet costs its own sound only, unless the rest is all damage.
                if (++badPackets >= kMaxBadPackets) {
                    damage_ = "decoding failed: " + errorText(r);
                    avcodec_send_packet(codec_, nullptr);
                    inputEnded_ = true;
                }
            } else {
                badPackets = 0;
            }
        }
        av_packet_unref(packet_);
    }
    return true;
}

size_t FfmpegMusicDecoder::read(int16_t* out, size_t frames) {
    size_t done = 0;
    while (done < frames && decodeMore()) {
        size_t n = std::min(frames - done, (pending_.size() - pendingAt_) / kMixChannels);
        std::memcpy(out + done * kMixChannels, pending_.data() + pendingAt_,
                    n * kMixChannels * sizeof(int16_t));
        pendingAt_ += n * kMixChannels;
        done += n;
    }
    return done;
}

}  // namespace

std::unique_ptr<MusicDecoder> FfmpegMusicDecoders::open(const std::string& path,
                                                        std::string& error) {
    auto decoder = std::make_unique<FfmpegMusicDecoder>();
    if (!decoder->open(path, error)) return nullptr;
    return decoder;
}
