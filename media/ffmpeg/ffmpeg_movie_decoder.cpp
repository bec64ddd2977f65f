#include "media/ffmpeg/ffmpeg_movie_decoder.h"

#include <algorithm>
#include <cerrno>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include "media/audio_stream.h"
#include "media/ffmpeg/memory_input.h"
#include "platform/file_bytes.h"
#include "platform/surface.h"

namespace {

constexpr AVRational kMediaTimeBase = {1, static_cast<int>(kMediaTicksPerSecond)};
// Media times stay well inside 64 bits, so sums of a few of them cannot overflow.
constexpr int64_t kTimeLimit = int64_t{1} << 60;
constexpr int64_t kDefaultFrameDuration = 40 * kMediaTicksPerMilli;

// While reading ahead for sound, at most this much picture data waits (beyond it the
// sound track is given up), and pictures this far ahead of the sound mean a stretch of
// the file without sound.
constexpr size_t kMaxQueuedBytes = 64u << 20;
constexpr size_t kMaxQueuedPackets = 4096;
constexpr int64_t kMaxQueuedAhead = 5 * kMediaTicksPerSecond;

// After a seek, a stream whose key frames are not marked still plays once this many
// pictures have gone by.
constexpr int kMaxSkippedForKey = 300;
// A seek that lands past its target retries this much earlier, then doubling.
constexpr int64_t kSeekBackStep = kMediaTicksPerSecond;
constexpr int kMaxSeekAttempts = 40;

int64_t clampTime(int64_t t) {
    return std::clamp(t, -kTimeLimit, kTimeLimit);
}

}  // namespace

FfmpegMovieDecoder::FfmpegMovieDecoder() = default;

FfmpegMovieDecoder::~FfmpegMovieDecoder() {
    clearQueue();
    for (Picture& p : pending_) av_frame_free(&p.frame);
    for (AVFrame*& f : spare_) av_frame_free(&f);
    av_frame_free(&current_);
    av_frame_free(&soundFrame_);
    av_packet_free(&packet_);
    avcodec_free_context(&video_);
    avcodec_free_context(&sound_);
    avformat_close_input(&format_);
    memory_.reset();  // after the format context, which reads through it
}

std::unique_ptr<FfmpegMovieDecoder> FfmpegMovieDecoder::openFile(const std::string& path,
                                                                 const Options& options,
                                                                 MovieError& error) {
    // FFmpeg's own open would wait for ever on a pipe named like a movie.
    const FileKind kind = fileKind(path);
    if (kind != FileKind::Regular) {
        error = kind == FileKind::Missing ? MovieError::kNotFound : MovieError::kUnreadable;
        return nullptr;
    }
    std::unique_ptr<FfmpegMovieDecoder> decoder(new FfmpegMovieDecoder());
    decoder->format_ = avformat_alloc_context();
    error = decoder->format_ ? decoder->start(path.c_str(), options) : MovieError::kUnreadable;
    if (error != MovieError::kNone) decoder.reset();
    return decoder;
}

std::unique_ptr<FfmpegMovieDecoder> FfmpegMovieDecoder::openMemory(std::vector<uint8_t> bytes,
                                                                   const Options& options,
                                                                   MovieError& error) {
    std::unique_ptr<FfmpegMovieDecoder> decoder(new FfmpegMovieDecoder());
    decoder->memory_ = std::make_unique<MemoryInput>(std::move(bytes));
    decoder->format_ = avformat_alloc_context();
    if (!decoder->format_ || !decoder->memory_->context()) {
        error = MovieError::kUnreadable;
        return nullptr;
    }
    decoder->format_->pb = decoder->memory_->context();
    decoder->format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    error = decoder->start("", options);
    if (error != MovieError::kNone) decoder.reset();
    return decoder;
}

MovieError FfmpegMovieDecoder::start(const char* url, const Options& options) {
    int result = avformat_open_input(&format_, url, nullptr, nullptr);
    if (result < 0) {
        return result == AVERROR(ENOENT) ? MovieError::kNotFound : MovieError::kUnreadable;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) return MovieError::kUnreadable;

    // The first picture stream FFmpeg can decode; a cover picture is no movie.
    bool sawVideo = false;
    const AVCodec* videoCodec = nullptr;
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        const AVStream* st = format_->streams[i];
        if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO ||
            (st->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            continue;
        }
        sawVideo = true;
        videoCodec = avcodec_find_decoder(st->codecpar->codec_id);
        if (videoCodec) {
            videoIndex_ = static_cast<int>(i);
            break;
        }
    }
    if (videoIndex_ < 0) return sawVideo ? MovieError::kUndecodable : MovieError::kNoVideo;
    AVStream* videoStream = format_->streams[videoIndex_];
    const AVCodecParameters* par = videoStream->codecpar;
    if (par->width < 0 || par->height < 0 ||
        int64_t{par->width} * par->height > options.maxPixels) {
        return MovieError::kUndecodable;
    }
    video_ = avcodec_alloc_context3(videoCodec);
    if (!video_ || avcodec_parameters_to_context(video_, par) < 0) return MovieError::kUndecodable;
    video_->thread_count = options.threads;
    video_->max_pixels = options.maxPixels;
    video_->pkt_timebase = videoStream->time_base;
    if (avcodec_open2(video_, videoCodec, nullptr) < 0) return MovieError::kUndecodable;

    const AVCodec* soundCodec = nullptr;
    int sound = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, videoIndex_, &soundCodec, 0);
    if (sound >= 0 && soundCodec) {
        const AVStream* st = format_->streams[sound];
        sound_ = avcodec_alloc_context3(soundCodec);
        if (sound_ && avcodec_parameters_to_context(sound_, st->codecpar) >= 0) {
            sound_->thread_count = 1;
            sound_->pkt_timebase = st->time_base;
            if (avcodec_open2(sound_, soundCodec, nullptr) >= 0) soundIndex_ = sound;
        }
        if (soundIndex_ < 0) avcodec_free_context(&sound_);
    }
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        if (static_cast<int>(i) != videoIndex_ && static_cast<int>(i) != soundIndex_) {
            format_->streams[i]->discard = AVDISCARD_ALL;
        }
    }

    // Times count from the first picture: MPEG streams start anywhere.
    origin_ = 0;
    if (videoStream->start_time != AV_NOPTS_VALUE) {
        int64_t start =
            av_rescale_q(videoStream->start_time, videoStream->time_base, kMediaTimeBase);
        if (start != INT64_MIN) origin_ = clampTime(start);
    } else if (format_->start_time != AV_NOPTS_VALUE) {
        origin_ = clampTime(av_rescale_q(format_->start_time, AV_TIME_BASE_Q, kMediaTimeBase));
    }

    info_.width = par->width;
    info_.height = par->height;
    info_.hasSound = soundIndex_ >= 0;
    AVRational rate = av_guess_frame_rate(format_, videoStream, nullptr);
    info_.frameDuration = kDefaultFrameDuration;
    if (rate.num > 0 && rate.den > 0) {
        info_.frameDuration =
            std::clamp<int64_t>(av_rescale(kMediaTicksPerSecond, rate.den, rate.num),
                                kMediaTicksPerMilli, 10 * kMediaTicksPerSecond);
    }
    if (videoStream->duration != AV_NOPTS_VALUE && videoStream->duration > 0) {
        int64_t d = av_rescale_q(videoStream->duration, videoStream->time_base, kMediaTimeBase);
        if (d != INT64_MIN) info_.duration = clampTime(d);
    } else if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0) {
        info_.duration = clampTime(av_rescale_q(format_->duration, AV_TIME_BASE_Q, kMediaTimeBase));
    }

    packet_ = av_packet_alloc();
    soundFrame_ = av_frame_alloc();
    current_ = av_frame_alloc();
    if (!packet_ || !soundFrame_ || !current_) return MovieError::kUnreadable;
    return MovieError::kNone;
}

bool FfmpegMovieDecoder::canConvertTo(const PixelFormat& format) const {
    return PictureConverter::supports(format);
}

int64_t FfmpegMovieDecoder::toMediaTime(int64_t pts, int streamIndex) const {
    if (pts == AV_NOPTS_VALUE) return kNoMediaTime;
    int64_t t = av_rescale_q(pts, format_->streams[streamIndex]->time_base, kMediaTimeBase);
    if (t == INT64_MIN) return kNoMediaTime;
    return clampTime(clampTime(t) - origin_);
}

// ---- Reading

bool FfmpegMovieDecoder::readPacket() {
    if (demuxEnded_) return false;
    if (av_read_frame(format_, packet_) < 0) {
        // The end, or damage the demuxer cannot get past: the stream ends here.
        demuxEnded_ = true;
        endSound();
        return false;
    }
    if (packet_->stream_index == videoIndex_) {
        AVPacket* queued = av_packet_alloc();
        if (!queued) {
            av_packet_unref(packet_);
            return true;
        }
        av_packet_move_ref(queued, packet_);
        queue_.push_back(queued);
        queueBytes_ += static_cast<size_t>(std::max(queued->size, 0));
        int64_t t =
            toMediaTime(queued->pts != AV_NOPTS_VALUE ? queued->pts : queued->dts, videoIndex_);
        if (t != kNoMediaTime) queueEndTime_ = std::max(queueEndTime_, t);
    } else if (packet_->stream_index == soundIndex_) {
        decodeSound(packet_);
    }
    av_packet_unref(packet_);
    return true;
}

void FfmpegMovieDecoder::clearQueue() {
    for (AVPacket*& p : queue_) av_packet_free(&p);
    queue_.clear();
    queueBytes_ = 0;
    queueEndTime_ = kNoMediaTime;
}

bool FfmpegMovieDecoder::decodePicture(AVFrame* into, int64_t& time) {
    if (videoEnded_) return false;
    for (;;) {
        int result = avcodec_receive_frame(video_, into);
        if (result == 0) {
            bool key = into->key_frame || into->pict_type == AV_PICTURE_TYPE_I;
            if (waitKey_ && !key && ++skippedForKey_ <= kMaxSkippedForKey) {
                av_frame_unref(into);
                continue;
            }
            waitKey_ = false;
            time = toMediaTime(into->best_effort_timestamp, videoIndex_);
            if (time == kNoMediaTime) {
                time = lastPictureTime_ == kNoMediaTime
                           ? 0
                           : clampTime(lastPictureTime_ + info_.frameDuration);
            }
            lastPictureTime_ = time;
            return true;
        }
        if (result != AVERROR(EAGAIN) || videoDrained_) {
            videoEnded_ = true;  // drained, or an error the decoder cannot go on from
            return false;
        }
        while (queue_.empty() && readPacket()) {
        }
        if (queue_.empty()) {
            avcodec_send_packet(video_, nullptr);
            videoDrained_ = true;
            continue;
        }
        AVPacket* packet = queue_.front();
        queue_.pop_front();
        queueBytes_ -= std::min(queueBytes_, static_cast<size_t>(std::max(packet->size, 0)));
        // A damaged packet the decoder refuses is skipped.
        avcodec_send_packet(video_, packet);
        av_packet_free(&packet);
    }
}

AVFrame* FfmpegMovieDecoder::spareFrame() {
    if (spare_.empty()) return av_frame_alloc();
    AVFrame* f = spare_.back();
    spare_.pop_back();
    return f;
}

void FfmpegMovieDecoder::recycle(AVFrame* frame) {
    if (!frame) return;
    av_frame_unref(frame);
    spare_.push_back(frame);
}

bool FfmpegMovieDecoder::decodeAhead() {
    AVFrame* frame = spareFrame();
    if (!frame) return false;
    int64_t time = 0;
    if (!decodePicture(frame, time)) {
        recycle(frame);
        return false;
    }
    pending_.push_back({frame, time});
    return true;
}

bool FfmpegMovieDecoder::nextFrame() {
    if (pending_.empty() && !decodeAhead()) return false;
    recycle(current_);
    current_ = pending_.front().frame;
    currentTime_ = pending_.front().time;
    pending_.pop_front();
    return true;
}

int64_t FfmpegMovieDecoder::followingFrameTime() {
    if (pending_.empty() && !decodeAhead()) return kNoMediaTime;
    return pending_.front().time;
}

bool FfmpegMovieDecoder::convertFrame(Surface& target) {
    if (!current_ || currentTime_ == kNoMediaTime) return false;
    return pictures_.convert(*current_, target);
}

// ---- Sound

void FfmpegMovieDecoder::decodeSound(const AVPacket* packet) {
    if (!sink_ || soundEnded_ || !sound_) return;
    avcodec_send_packet(sound_, packet);
    while (avcodec_receive_frame(sound_, soundFrame_) == 0) {
        int64_t time = toMediaTime(soundFrame_->best_effort_timestamp, soundIndex_);
        if (time == kNoMediaTime) time = soundUntil_;
        if (sounds_.convert(*soundFrame_)) pushSound(time);
        av_frame_unref(soundFrame_);
    }
}

void FfmpegMovieDecoder::pushSound(int64_t time) {
    if (sounds_.count() == 0) return;
    int64_t at = clampTime(time - sounds_.lag());
    sink_->push(at, sounds_.data(), sounds_.count());
    soundUntil_ =
        clampTime(at + static_cast<int64_t>(sounds_.count()) * kMediaTicksPerSecond / kMixRate);
}

void FfmpegMovieDecoder::endSound() {
    if (!sink_ || soundEnded_) return;
    if (sound_) {
        decodeSound(nullptr);
        if (sounds_.drain()) pushSound(soundUntil_ + sounds_.lag());
    }
    giveUpSound();
}

void FfmpegMovieDecoder::giveUpSound() {
    soundEnded_ = true;
    if (sink_) sink_->finish();
}

void FfmpegMovieDecoder::readSoundAhead(int64_t time) {
    if (!sink_ || soundEnded_) return;
    if (!sound_) {
        giveUpSound();
        return;
    }
    while (soundUntil_ < time && !soundEnded_) {
        if (queueBytes_ > kMaxQueuedBytes || queue_.size() > kMaxQueuedPackets) {
            giveUpSound();
            return;
        }
        if (queueEndTime_ != kNoMediaTime && queueEndTime_ > time + kMaxQueuedAhead) {
            // The pictures run far ahead of any sound: the file has a stretch without
            // sound. Silence keeps the audio clock going; sound that comes later is placed
            // by its time.
            padSound(time);
            return;
        }
        if (!readPacket()) return;
    }
}

void FfmpegMovieDecoder::padSound(int64_t time) {
    static const std::vector<int16_t> silence(kMixRate / 10 * kMixChannels, 0);
    while (soundUntil_ < time) {
        int64_t frames = (time - soundUntil_) * kMixRate / kMediaTicksPerSecond + 1;
        size_t count = static_cast<size_t>(std::min<int64_t>(frames, kMixRate / 10));
        sink_->push(soundUntil_, silence.data(), count);
        soundUntil_ += static_cast<int64_t>(count) * kMediaTicksPerSecond / kMixRate;
    }
}

// ---- Seeking

bool FfmpegMovieDecoder::seekContainer(int64_t time) {
    const AVStream* st = format_->streams[videoIndex_];
    int64_t ts = av_rescale_q(clampTime(time + origin_), kMediaTimeBase, st->time_base);
    if (ts == INT64_MIN) return false;
    if (av_seek_frame(format_, videoIndex_, ts, AVSEEK_FLAG_BACKWARD) >= 0) return true;
    if (avformat_seek_file(format_, videoIndex_, INT64_MIN, ts, ts, 0) >= 0) return true;
    // Back to the very start by position, where timestamps do not serve.
    return time <= 0 && !(format_->iformat->flags & AVFMT_NO_BYTE_SEEK) &&
           av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

void FfmpegMovieDecoder::resetStreams(int64_t time) {
    clearQueue();
    for (Picture& p : pending_) recycle(p.frame);
    pending_.clear();
    recycle(current_);
    current_ = spareFrame();
    currentTime_ = kNoMediaTime;
    avcodec_flush_buffers(video_);
    if (sound_) avcodec_flush_buffers(sound_);
    sounds_.reset();
    demuxEnded_ = false;
    videoDrained_ = false;
    videoEnded_ = false;
    waitKey_ = true;
    skippedForKey_ = 0;
    lastPictureTime_ = kNoMediaTime;
    soundEnded_ = false;
    soundUntil_ = time;
    if (sink_) sink_->restart(time);
}

bool FfmpegMovieDecoder::seek(int64_t time) {
    time = std::clamp<int64_t>(time, 0, kTimeLimit);
    int64_t back = 0;
    for (int attempt = 0; attempt < kMaxSeekAttempts; ++attempt) {
        int64_t from = time - back;
        bool fromStart = from <= 0;
        back = back == 0 ? kSeekBackStep : std::min(back * 2, kTimeLimit);
        if (!seekContainer(fromStart ? 0 : from)) {
            if (fromStart) return false;
            continue;
        }
        resetStreams(time);
        if (!decodeAhead()) {
            // Nothing after the landing point: past the end, or damage; try earlier.
            if (fromStart) return false;
            continue;
        }
        // MPEG program streams have no index and land on the next key frame after the
        // point asked for: start again earlier until the landing is at or before it.
        if (pending_.back().time > time && !fromStart) continue;
        // Decode on to the picture showing at `time`; keep it and the one after it.
        while (decodeAhead()) {
            if (pending_.back().time > time) break;
            recycle(pending_.front().frame);
            pending_.pop_front();
        }
        return true;
    }
    return false;
}
