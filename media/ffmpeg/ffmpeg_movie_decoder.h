#pragma once
// The movie decoder on FFmpeg: any container and codec the libraries read, from a file
// or from memory. Pictures come in presentation order, one decoded ahead; the sound
// track is decoded as the demuxer meets it and pushed, in the mix format, to the sink.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "media/ffmpeg/picture_converter.h"
#include "media/ffmpeg/sound_converter.h"
#include "media/movie_decoder.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
class MemoryInput;

class FfmpegMovieDecoder : public MovieDecoder {
public:
    struct Options {
        int threads = 0;                  // decoding threads; 0 lets FFmpeg choose
        int64_t maxPixels = 4096 * 4096;  // larger pictures are refused
    };

    static std::unique_ptr<FfmpegMovieDecoder> openFile(const std::string& path,
                                                        const Options& options, MovieError& error);
    static std::unique_ptr<FfmpegMovieDecoder> openMemory(std::vector<uint8_t> bytes,
                                                          const Options& options,
                                                          MovieError& error);
    ~FfmpegMovieDecoder() override;

    const MovieInfo& info() const override { return info_; }
    bool canConvertTo(const PixelFormat& format) const override;
    bool nextFrame() override;
    int64_t frameTime() const override { return currentTime_; }
    int64_t followingFrameTime() override;
    bool convertFrame(Surface& target) override;
    bool seek(int64_t time) override;
    void setSoundSink(MovieSoundSink* sink) override { sink_ = sink; }
    void readSoundAhead(int64_t time) override;

private:
    struct Picture {
        AVFrame* frame;
        int64_t time;
    };

    FfmpegMovieDecoder();
    MovieError start(const char* url, const Options& options);
    int64_t toMediaTime(int64_t pts, int streamIndex) const;

    bool readPacket();
    bool decodePicture(AVFrame* into, int64_t& time);
    bool decodeAhead();
    void decodeSound(const AVPacket* packet);
    void pushSound(int64_t time);
    void endSound();
    void giveUpSound();
    void padSound(int64_t time);

    bool seekContainer(int64_t time);
    void resetStreams(int64_t time);
    void clearQueue();
    AVFrame* spareFrame();
    void recycle(AVFrame* frame);

    std::unique_ptr<MemoryInput> memory_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* sound_ = nullptr;
    int videoIndex_ = -1;
    int soundIndex_ = -1;
    AVPacket* packet_ = nullptr;
    AVFrame* soundFrame_ = nullptr;
    MovieInfo info_;
    int64_t origin_ = 0;  // the picture stream's start, subtracted from every time

    std::deque<AVPacket*> queue_;  // picture packets read while looking for sound
    size_t queueBytes_ = 0;
    int64_t queueEndTime_ = kNoMediaTime;
    bool demuxEnded_ = false;
    bool videoDrained_ = false;  // the decoder was sent the end
    bool videoEnded_ = false;
    bool waitKey_ = true;  // after opening or a seek, pictures before a key frame are unusable
    int skippedForKey_ = 0;
    int64_t lastPictureTime_ = kNoMediaTime;

    AVFrame* current_ = nullptr;
    int64_t currentTime_ = kNoMediaTime;
    std::deque<Picture> pending_;  // decoded, not yet current
    std::vector<AVFrame*> spare_;

    MovieSoundSink* sink_ = nullptr;
    bool soundEnded_ = false;
    int64_t soundUntil_ = 0;  // the end of the sound pushed so far

    PictureConverter pictures_;
    SoundConverter sounds_;
};
