#include "media/overlay_movie.h"

#include "media/mixer.h"

OverlayMovie::OverlayMovie(const Clock& clock, MovieOpener* opener, Mixer* mixer)
    : clock_(clock), opener_(opener), mixer_(mixer) {}

OverlayMovie::~OverlayMovie() {
    close();
}

bool OverlayMovie::load(Screen* screen, const std::string& path, int x, int y, int width,
                        int height, bool looping) {
    close();
    file_ = path;
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    looping_ = looping;
    error_ = MovieError::kNone;
    auto surface = std::make_unique<Surface>();
    if (!opener_) {
        error_ = MovieError::kUnreadable;
        return false;
    }
    // A size no surface can have leaves nothing to draw into.
    if (surface->create(screen, width, height, kPlacementAny) < 0) {
        error_ = MovieError::kBadTarget;
        return false;
    }
    auto movie = std::make_unique<Movie>(clock_, *opener_);
    if (!movie->open(path, *surface)) {
        error_ = movie->error();
        return false;
    }
    surface_ = std::move(surface);
    movie_ = std::move(movie);
    track_ = movie_->soundTrack();
    if (track_ && mixer_) trackInput_ = mixer_->add(*track_);
    return true;
}

void OverlayMovie::start() {
    if (!movie_) return;
    active_ = true;
    movie_->play();
}

void OverlayMovie::update(Surface& destination) {
    if (!movie_) return;
    if (!movie_->renderFrame()) {
        if (looping_) {
            movie_->stop();
            movie_->rewind();
            movie_->resume();
            movie_->renderFrame();
        } else {
            active_ = false;
        }
    }
    surface_->draw(destination, x_, y_);
}

void OverlayMovie::halt() {
    active_ = false;
    paused_ = false;
    if (movie_) movie_->stop();
}

void OverlayMovie::pause() {
    if (!movie_ || !movie_->playing()) return;
    movie_->stop();
    paused_ = true;
}

void OverlayMovie::resume() {
    if (!movie_ || !paused_) return;
    paused_ = false;
    movie_->resume();
}

void OverlayMovie::close() {
    trackInput_.reset();
    track_.reset();
    if (movie_) movie_->release();
    movie_.reset();
    surface_.reset();
    active_ = false;
    paused_ = false;
}
