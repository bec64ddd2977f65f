// The blocking movie players: full screen (the title movie, "playmovie") and in a
// rectangle over the view ("playoverlaymovie"). Both own their movie and surfaces for the
// length of the call, and put the movie's sound track in the mix while it plays.
#include <memory>
#include <string>

#include "engine/engine.h"
#include "engine/text_output.h"
#include "media/mixer.h"
#include "media/movie.h"
#include "media/movie_loop.h"
#include "platform/event_source.h"

namespace {

// The movie's sound track in the mix for as long as this lives.
class TrackInMix {
public:
    TrackInMix(Mixer* mixer, const Movie& movie) : track_(movie.soundTrack()) {
        if (mixer && track_) input_ = mixer->add(*track_);
    }

private:
    std::shared_ptr<AudioStream> track_;
    MixerInput input_;
};

}  // namespace

void Engine::reportUnplayableMovie(const std::string& file, MovieError error) {
    state_.console.print("Could not play " + file + ": " + movieErrorText(error), kRed);
}

std::unique_ptr<Movie> Engine::openMovie(const std::string& file, Surface& target) {
    MovieOpener* opener = host_.services().movies;
    if (!opener) {
        reportUnplayableMovie(file, MovieError::kUnreadable);
        return nullptr;
    }
    auto movie = std::make_unique<Movie>(host_.clock(), *opener);
    if (!movie->open(folder_.path(file), target)) {
        // A missing file was told by the caller, which checks first.
        if (movie->error() != MovieError::kNotFound) reportUnplayableMovie(file, movie->error());
        return nullptr;
    }
    return movie;
}

void Engine::playMovie(const std::string& file, int64_t start, int64_t stop) {
    GameState& g = state_;
    if (!g.screen) return;
    auto render = std::make_unique<Surface>();
    if (render->create(g.screen.get(), 640, 480, kPlacementAny) < 0) {
        reportError("Could not create render surface!");
        return;
    }
    std::unique_ptr<Movie> movie = openMovie(file, *render);
    if (!movie) return;
    Screen& screen = *g.screen;
    // The overlay movies wait, picture and sound, while this one has the screen.
    scene_.overlays().pauseMovies();
    {
        TrackInMix inMix(g.mixer.get(), *movie);
        runMovieLoop(*movie, start, stop, [&] {
            Surface& back = screen.back();
            render->draw(back, 0, 0);
            if (g.debugMode) {
                int64_t tenths = movie->getPosition() / 1000000;
                drawTextLine(back, 0, 0, kRed, std::to_string(tenths) + " /10th sec");
            }
            screen.present(Present::Wait | Present::Whole);
            // No message is handled until the movie ends; they wait in the queue.
            if (g.events) g.events->keepAlive();
        });
        movie->stop();
    }
    movie->release();
    scene_.overlays().resumeMovies();
}

void Engine::playOverlayMovie(const std::string& file, int x, int y, int width, int height) {
    GameState& g = state_;
    if (!g.screen) return;
    Screen& screen = *g.screen;
    auto composition = std::make_unique<Surface>();
    if (composition->create(&screen, 640, 480, kPlacementAny) < 0) {
        reportError("Could not create render surface!");
        return;
    }
    // A rectangle no surface can have is the script's mistake, not a fatal one: the movie
    // has nowhere to be drawn.
    auto picture = std::make_unique<Surface>();
    if (picture->create(&screen, width, height, kPlacementAny) < 0) {
        reportUnplayableMovie(file, MovieError::kBadTarget);
        return;
    }
    std::unique_ptr<Movie> movie = openMovie(file, *picture);
    if (!movie) return;
    {
        TrackInMix inMix(g.mixer.get(), *movie);
        runMovieLoop(*movie, -1, -1, [&] {
            Surface* backdrop = scene_.backdrop();
            if (backdrop && backdrop->valid()) backdrop->draw(*composition, 0, 0);
            // The looping overlay movies advance on the back buffer, which the composition
            // then covers: they go on unseen.
            scene_.overlays().updateMovies(screen.back());
            scene_.drawOverlays(*composition);
            picture->draw(*composition, x, y);
            composition->draw(screen.back(), 0, 0);
            screen.present(Present::Wait | Present::Whole);
            if (g.events) g.events->keepAlive();
        });
        movie->stop();
    }
    movie->release();
}
