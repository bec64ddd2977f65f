#pragma once
// One movie stream drawn into a target surface frame by frame, with its sound track
// offered to the mix.
//
// Pacing: renderFrame never waits. It draws the picture due at the movie's current time
// and returns at once, so it may be called at any rate:
//  - faster than the movie's frame rate, it leaves the target as it is until the next
//    picture is due (nothing is decoded or drawn again);
//  - slower, it decodes the pictures in between without drawing them and draws only
//    the one due now.
// The current time follows the audio clock (the sound the mix has taken) while a mix
// reads the sound track, and the engine clock otherwise: a movie without sound, a silent
// engine, or once the sound track has run out before the pictures. On a virtual clock
// the picture shown at a given time is therefore always the same one.
#include <cstdint>
#include <memory>
#include <string>

#include "media/audio_stream.h"
#include "media/movie_decoder.h"
#include "media/movie_error.h"

class Clock;
class Surface;
class MovieSoundTrack;

class Movie {
public:
    // The clock and the opener must outlive the movie.
    Movie(const Clock& clock, MovieOpener& opener);
    virtual ~Movie();
    Movie(const Movie&) = delete;
    Movie& operator=(const Movie&) = delete;

    // Opens `file` to be drawn into `target` (which must outlive the movie's use); the
    // stream stands at its start. On failure error() says why.
    bool open(const std::string& file, Surface& target);
    // Runs the stream: the first time from where it stands, later from `position`.
    bool play();
    // Runs the stream on from where it stands.
    bool resume();
    // Draws the picture due now into the target (see above); false once the last picture
    // has had its time, or when the stream cannot be drawn.
    bool renderFrame();
    // Stops the stream where it stands; its sound pauses.
    bool stop();
    // Stops and goes back to the start; `position` becomes 0.
    bool rewind();
    // The stream's current time: where the clock stands while playing, where it was
    // stopped or sought otherwise.
    int64_t getPosition();
    // Stops and positions the stream on the picture showing at `time`; `position`
    // becomes `time`.
    bool seek(int64_t time);
    // Closes the stream; the movie can be opened again.
    void release();

    // The sound track for the mix, null when the movie has none. Shared so that a mix
    // may keep it after the movie is gone (it then gives nothing).
    std::shared_ptr<AudioStream> soundTrack() const;

    int64_t position() const { return position_; }
    bool opened() const { return opened_; }
    bool playing() const { return playing_; }
    bool primed() const { return primed_; }
    MovieError error() const { return error_; }
    const MovieInfo* info() const;

private:
    int64_t currentTime();
    void startClock(int64_t time);

    const Clock& clock_;
    MovieOpener& opener_;
    std::unique_ptr<MovieDecoder> decoder_;
    std::shared_ptr<MovieSoundTrack> sound_;
    Surface* target_ = nullptr;
    MovieError error_ = MovieError::kNone;

    int64_t position_ = 0;
    bool opened_ = false;
    bool playing_ = false;
    bool primed_ = false;

    // While playing, the movie's time was anchorTime_ when the clock read anchorClock_.
    int64_t anchorTime_ = 0;
    uint64_t anchorClock_ = 0;
    int64_t stoppedAt_ = 0;    // the time where the stream stands while stopped
    bool haveFrame_ = false;   // the decoder holds a current picture
    bool frameDrawn_ = false;  // and it is in the target
};
