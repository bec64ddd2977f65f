#include "media/movie_sound_track.h"

#include <algorithm>
#include <cstring>

MovieSoundTrack::MovieSoundTrack() : ring_(kCapacityFrames * kMixChannels) {}

int64_t MovieSoundTrack::timeOfIndex(int64_t index) const {
    return origin_ + index * kMediaTicksPerSecond / kMixRate;
}

int64_t MovieSoundTrack::indexOfTime(int64_t time) const {
    // Sound times come from files: keep the product in range.
    constexpr int64_t kLimit = INT64_MAX / kMixRate / 2;
    int64_t offset = std::clamp(time - std::clamp(origin_, -kLimit, kLimit), -kLimit, kLimit);
    return offset * kMixRate / kMediaTicksPerSecond;
}

void MovieSoundTrack::restart(int64_t time) {
    std::lock_guard<std::mutex> lock(mutex_);
    origin_ = time;
    readIndex_ = 0;
    head_ = 0;
    count_ = 0;
    finished_ = false;
    started_ = false;
    offsetRun_ = 0;
}

void MovieSoundTrack::append(const int16_t* frames, size_t count) {
    count = std::min(count, kCapacityFrames - count_);
    size_t tail = (head_ + count_) % kCapacityFrames;
    while (count > 0) {
        size_t run = std::min(count, kCapacityFrames - tail);
        int16_t* dest = ring_.data() + tail * kMixChannels;
        if (frames) {
            std::memcpy(dest, frames, run * kMixChannels * sizeof(int16_t));
            frames += run * kMixChannels;
        } else {
            std::memset(dest, 0, run * kMixChannels * sizeof(int16_t));
        }
        count_ += run;
        count -= run;
        tail = (tail + run) % kCapacityFrames;
    }
}

int64_t MovieSoundTrack::seam(int64_t index, int64_t end) {
    const int64_t seamFrames = kSeamTolerance * kMixRate / kMediaTicksPerSecond;
    const int64_t jitterFrames = kJitterTolerance * kMixRate / kMediaTicksPerSecond;
    int64_t offset = index - end;
    if (offset >= -seamFrames && offset <= seamFrames) {
        offsetRun_ = 0;
        return end;
    }
    if (offset < -jitterFrames || offset > jitterFrames) {
        offsetRun_ = 0;
        return index;
    }
    bool same =
        offsetRun_ > 0 && offset - lastOffset_ >= -seamFrames && offset - lastOffset_ <= seamFrames;
    offsetRun_ = same ? offsetRun_ + 1 : 1;
    lastOffset_ = offset;
    if (offsetRun_ < kPersistentOffsets) return end;
    offsetRun_ = 0;
    return index;
}

void MovieSoundTrack::push(int64_t time, const int16_t* frames, size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_ || finished_ || count == 0) return;
    int64_t end = readIndex_ + static_cast<int64_t>(count_);
    int64_t index = indexOfTime(time);
    // The first sound after a restart is placed exactly: it usually straddles the time
    // the track starts at.
    if (started_) index = seam(index, end);
    if (index < end) {
        // Sound from before where the track stands (before a seek target, or overlapping
        // what is held): keep only its tail.
        int64_t skip = end - index;
        if (skip >= static_cast<int64_t>(count)) return;
        frames += skip * kMixChannels;
        count -= static_cast<size_t>(skip);
    } else if (index > end) {
        // A gap in the file's sound: silence. Sound with no room for its gap is dropped
        // whole, so that what is held stays in time; the gap is filled when later sound
        // finds room.
        int64_t gap = index - end;
        if (gap >= static_cast<int64_t>(kCapacityFrames - count_)) return;
        append(nullptr, static_cast<size_t>(gap));
    }
    append(frames, count);
    started_ = true;
}

void MovieSoundTrack::finish() {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
}

size_t MovieSoundTrack::read(int16_t* out, size_t frames) {
    std::lock_guard<std::mutex> lock(mutex_);
    pulled_ = true;
    largestRead_ = std::max(largestRead_, frames);
    if (!running_ || closed_) return 0;
    size_t n = std::min(frames, count_);
    size_t done = 0;
    while (done < n) {
        size_t run = std::min(n - done, kCapacityFrames - head_);
        std::memcpy(out + done * kMixChannels, ring_.data() + head_ * kMixChannels,
                    run * kMixChannels * sizeof(int16_t));
        head_ = (head_ + run) % kCapacityFrames;
        done += run;
    }
    count_ -= n;
    // A running track keeps time with the mix even when the decoder has not got that far
    // (the engine was busy or the clock jumped): the frames missing are past, and sound
    // pushed for them later is dropped, so the movie stays with the clock. A finished
    // track has nothing more to keep time for.
    readIndex_ += static_cast<int64_t>(finished_ ? n : frames);
    return n;
}

void MovieSoundTrack::setRunning(bool running) {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = running;
}

void MovieSoundTrack::close() {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    running_ = false;
    count_ = 0;
}

void MovieSoundTrack::discardBefore(int64_t time) {
    std::lock_guard<std::mutex> lock(mutex_);
    int64_t index = indexOfTime(time);
    if (index <= readIndex_) return;
    int64_t drop = std::min<int64_t>(index - readIndex_, static_cast<int64_t>(count_));
    head_ = (head_ + static_cast<size_t>(drop)) % kCapacityFrames;
    count_ -= static_cast<size_t>(drop);
    // Past what is held: sound for the skipped time that arrives later is dropped too.
    readIndex_ = index;
}

int64_t MovieSoundTrack::playedTime() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return timeOfIndex(readIndex_);
}

bool MovieSoundTrack::pulled() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pulled_;
}

int64_t MovieSoundTrack::largestRead() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int64_t>(largestRead_) * kMediaTicksPerSecond / kMixRate;
}

bool MovieSoundTrack::exhausted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_ && count_ == 0;
}

size_t MovieSoundTrack::heldFrames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return count_;
}
