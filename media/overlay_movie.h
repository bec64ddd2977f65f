#pragma once
// A movie that plays in a rectangle over the view alongside normal play, restarting at
// its end when looping. Each frame it draws its latest picture onto the destination
// (plain, not colour-keyed); a movie that has ended keeps showing its last picture. Its
// sound track is in the mix from load to close.
#include <memory>
#include <string>

#include "media/mixer.h"
#include "media/movie.h"
#include "platform/surface.h"

class Clock;
class MovieOpener;
class Screen;

class OverlayMovie {
public:
    // The clock, opener and mixer (either may be null) outlive the movie.
    OverlayMovie(const Clock& clock, MovieOpener* opener, Mixer* mixer);
    ~OverlayMovie();
    OverlayMovie(const OverlayMovie&) = delete;
    OverlayMovie& operator=(const OverlayMovie&) = delete;

    // Creates the width x height surface and opens the movie into it. On failure (error()
    // says why) the overlay holds no movie and no surface: start and update then do
    // nothing.
    bool load(Screen* screen, const std::string& path, int x, int y, int width, int height,
              bool looping);
    void start();
    // Advances the movie (restarting it at its end when looping) and draws its picture at
    // (x, y).
    void update(Surface& destination);
    void halt();
    // Holds a playing movie, picture and sound, where it stands (while a full-screen movie
    // plays); resume goes on from exactly there. Nothing for a movie already stopped.
    void pause();
    void resume();
    // Takes the sound track out of the mix and closes the stream.
    void close();

    bool active() const { return active_; }
    bool loaded() const { return movie_ != nullptr; }
    MovieError error() const { return error_; }
    const std::string& file() const { return file_; }
    const Movie* movie() const { return movie_.get(); }

private:
    const Clock& clock_;
    MovieOpener* opener_;
    Mixer* mixer_;
    std::string file_;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<Movie> movie_;
    std::shared_ptr<AudioStream> track_;
    MixerInput trackInput_;  // the track's place in the mix
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    bool looping_ = false;
    bool active_ = false;
    bool paused_ = false;
    MovieError error_ = MovieError::kNone;
};
