#include "media/movie.h"

#include <algorithm>

#include "media/movie_sound_track.h"
#include "platform/clock.h"
#include "platform/surface.h"

namespace {

// How far ahead of the mix the sound track is decoded: more than one read of the sound
// device plus the time between two frames of a busy main loop.
constexpr int64_t kSoundLead = 500 * kMediaTicksPerMilli;

// The audio clock moves in steps of one mix read; the picture clock may run up to two
// reads behind it before it is pulled forward.
constexpr int64_t kMinimumAudioSlack = 10 * kMediaTicksPerMilli;

}  // namespace

Movie::Movie(const Clock& clock, MovieOpener& opener) : clock_(clock), opener_(opener) {}

Movie::~Movie() {
    release();
}

bool Movie::open(const std::string& file, Surface& target) {
    release();
    error_ = MovieError::kNone;
    if (!target.valid()) {
        error_ = MovieError::kBadTarget;
        return false;
    }
    MovieError error = MovieError::kNone;
    std::unique_ptr<MovieDecoder> decoder = opener_.open(file, error);
    if (!decoder) {
        error_ = error == MovieError::kNone ? MovieError::kUnreadable : error;
        return false;
    }
    if (!decoder->canConvertTo(target.format())) {
        error_ = MovieError::kBadTarget;
        return false;
    }
    decoder_ = std::move(decoder);
    if (decoder_->info().hasSound) {
        sound_ = std::make_shared<MovieSoundTrack>();
        decoder_->setSoundSink(sound_.get());
    }
    // A stream whose first picture cannot be decoded is no movie either.
    if (decoder_->followingFrameTime() == kNoMediaTime) {
        release();
        error_ = MovieError::kUndecodable;
        return false;
    }
    target_ = &target;
    opened_ = true;
    position_ = 0;
    stoppedAt_ = 0;
    return true;
}

const MovieInfo* Movie::info() const {
    return decoder_ ? &decoder_->info() : nullptr;
}

std::shared_ptr<AudioStream> Movie::soundTrack() const {
    return sound_;
}

void Movie::startClock(int64_t time) {
    if (sound_) {
        // The mix may read before the next renderFrame: give it sound to find.
        decoder_->readSoundAhead(time + kSoundLead);
        sound_->setRunning(true);
    }
    anchorTime_ = time;
    anchorClock_ = clock_.nowNanos();
    playing_ = true;
}

int64_t Movie::currentTime() {
    if (!playing_) return stoppedAt_;
    uint64_t now = clock_.nowNanos();
    int64_t elapsed = now > anchorClock_ ? static_cast<int64_t>((now - anchorClock_) / 100) : 0;
    int64_t time = anchorTime_ + elapsed;
    if (sound_ && sound_->pulled() && !sound_->exhausted()) {
        // Follow the sound the mix has taken: never ahead of it, and never further behind
        // than its reads are long. Whenever the audio clock corrects the picture clock,
        // the picture clock goes on from there, so leaving the audio clock (the sound
        // ran out) is seamless.
        int64_t audio = sound_->playedTime();
        int64_t slack = std::max(2 * sound_->largestRead(), kMinimumAudioSlack);
        int64_t clamped = std::clamp(time, audio - slack, audio);
        if (clamped != time) {
            anchorTime_ = clamped;
            anchorClock_ = now;
            time = clamped;
        }
    }
    return time;
}

bool Movie::play() {
    if (playing_ && opened_) return true;
    if (!opened_) return false;
    if (primed_) {
        if (!seek(position_)) return false;
    }
    primed_ = true;
    startClock(stoppedAt_);
    return true;
}

bool Movie::resume() {
    if (!opened_) return false;
    if (!playing_) startClock(stoppedAt_);
    return true;
}

bool Movie::renderFrame() {
    if (!opened_ || !target_) return false;
    int64_t now = currentTime();
    if (sound_) {
        // Sound is decoded ahead even before a mix reads it, so that its first read finds
        // some; a track no mix reads is kept in step by dropping what is past.
        if (!sound_->pulled()) sound_->discardBefore(now);
        decoder_->readSoundAhead(now + kSoundLead);
    }
    if (!haveFrame_) {
        if (!decoder_->nextFrame()) return false;
        haveFrame_ = true;
        frameDrawn_ = false;
    }
    int64_t following = decoder_->followingFrameTime();
    while (following != kNoMediaTime && following <= now) {
        if (!decoder_->nextFrame()) break;
        frameDrawn_ = false;
        following = decoder_->followingFrameTime();
    }
    if (following == kNoMediaTime &&
        now >= decoder_->frameTime() + decoder_->info().frameDuration) {
        return false;  // the last picture has had its time
    }
    if (!frameDrawn_) {
        if (!decoder_->convertFrame(*target_)) return false;
        frameDrawn_ = true;
    }
    return true;
}

bool Movie::stop() {
    if (opened_ && playing_) {
        stoppedAt_ = currentTime();
        playing_ = false;
        if (sound_) sound_->setRunning(false);
    }
    playing_ = false;
    return true;
}

bool Movie::rewind() {
    if (!opened_) return false;
    stop();
    position_ = 0;
    return seek(0);
}

int64_t Movie::getPosition() {
    if (!opened_) return 0;
    return std::max<int64_t>(currentTime(), 0);
}

bool Movie::seek(int64_t time) {
    if (!opened_) return false;
    stop();
    time = std::max<int64_t>(time, 0);
    position_ = time;
    stoppedAt_ = time;
    haveFrame_ = false;
    frameDrawn_ = false;
    return decoder_->seek(time);
}

void Movie::release() {
    if (sound_) sound_->close();
    decoder_.reset();
    sound_.reset();
    target_ = nullptr;
    opened_ = false;
    playing_ = false;
    primed_ = false;
    haveFrame_ = false;
    frameDrawn_ = false;
    position_ = 0;
    stoppedAt_ = 0;
}
