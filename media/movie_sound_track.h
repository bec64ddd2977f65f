#pragma once
// A movie's sound track on its way to the mix: the decoder pushes converted sound in on
// the main thread, the mixer reads it out, perhaps on the sound device's thread. The
// frames the mix has taken are the movie's audio clock.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "media/audio_stream.h"
#include "media/movie_decoder.h"

class MovieSoundTrack : public AudioStream, public MovieSoundSink {
public:
    // At most this much sound is held ahead of the mix; more is dropped (a file that
    // interleaves badly loses sound rather than growing without bound). The decoder reads
    // up to 5 s of pictures ahead looking for sound, and sound found there must fit.
    static constexpr size_t kCapacityFrames = 8 * kMixRate;
    // Pushes this close to where the held sound ends join it seamlessly: containers round
    // timestamps (WebM to the millisecond), and a seam that moves a few samples is better
    // than a click.
    static constexpr int64_t kSeamTolerance = 2 * kMediaTicksPerMilli;
    // Pushes off by up to this much join seamlessly too, unless they keep being off by the
    // same amount: some demuxers misdate a single packet (Ogg around short Vorbis blocks),
    // while right after a seek some decoders give a first frame of the wrong length, after
    // which every timestamp disagrees with the sound held until it is put right.
    static constexpr int64_t kJitterTolerance = 20 * kMediaTicksPerMilli;
    static constexpr int kPersistentOffsets = 3;

    MovieSoundTrack();

    // Sink side (the thread that drives the decoder).
    void restart(int64_t time) override;
    void push(int64_t time, const int16_t* frames, size_t count) override;
    void finish() override;

    // Mix side: gives nothing while paused or closed, and fewer frames than asked when
    // the decoder has not got that far yet; the time those would have taken passes all
    // the same while the track runs.
    size_t read(int16_t* out, size_t frames) override;

    // Control from the movie.
    void setRunning(bool running);
    // For good: reads give nothing from now on (the mix may hold the track longer than
    // the movie lives).
    void close();
    // Drops what lies before `time`; keeps a track that no mix reads in step.
    void discardBefore(int64_t time);

    // The time of the next frame the mix will take.
    int64_t playedTime() const;
    // Whether a mix has read this track since it was made.
    bool pulled() const;
    // The most frames one read has asked for, as a time.
    int64_t largestRead() const;
    // Finished and everything taken.
    bool exhausted() const;
    size_t heldFrames() const;

private:
    int64_t timeOfIndex(int64_t index) const;
    int64_t indexOfTime(int64_t time) const;
    void append(const int16_t* frames, size_t count);  // null: silence
    // Where a push whose timestamp says `index` goes, the held sound ending at `end`.
    int64_t seam(int64_t index, int64_t end);

    mutable std::mutex mutex_;
    std::vector<int16_t> ring_;
    size_t head_ = 0;        // ring position of the next frame to read
    size_t count_ = 0;       // frames held
    int64_t origin_ = 0;     // time of frame index 0
    int64_t readIndex_ = 0;  // index of the next frame to read
    bool running_ = false;
    bool finished_ = false;
    bool started_ = false;    // sound has been pushed since the last restart
    int offsetRun_ = 0;       // consecutive pushes off by about the same amount
    int64_t lastOffset_ = 0;  // in frames
    bool closed_ = false;
    bool pulled_ = false;
    size_t largestRead_ = 0;
};
