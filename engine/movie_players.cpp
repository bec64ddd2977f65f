#include "engine/movie_players.h"

#include "engine/engine_host.h"
#include "engine/scene.h"
#include "engine/text_output.h"
#include "media/mixer.h"
#include "media/movie.h"
#include "media/movie_loop.h"
#include "media/overlay_movie.h"
#include "platform/error_reporter.h"
#include "platform/event_source.h"
#include "platform/game_folder.h"
#include "platform/screen.h"

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

MoviePlayers::MoviePlayers(EngineHost& host, const std::unique_ptr<Screen>& screen,
                           const std::unique_ptr<Mixer>& mixer,
                           const std::unique_ptr<EventSource>& events, Scene& scene,
                           MessageSink& output, const GameFolder& folder, const bool& debugMode)
    : host_(host),
      screen_(screen),
      mixer_(mixer),
      events_(events),
      scene_(scene),
      output_(output),
      folder_(folder),
      debugMode_(debugMode) {}

void MoviePlayers::reportNoRenderSurface() {
    reportErrorText(host_.errorReporter(), screen_.get(), "Could not create render surface!");
}

void MoviePlayers::reportUnplayableMovie(const std::string& file, MovieError error) {
    output_.print("Could not play " + file + ": " + movieErrorText(error), kRed);
}

std::unique_ptr<Movie> MoviePlayers::openMovie(const std::string& file, Surface& target) {
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

std::unique_ptr<OverlayMovie> MoviePlayers::makeOverlayMovie() {
    return std::make_unique<OverlayMovie>(host_.clock(), host_.services().movies, mixer_.get());
}

void MoviePlayers::playMovie(const std::string& file, int64_t start, int64_t stop) {
    if (!screen_) return;
    auto render = std::make_unique<Surface>();
    if (render->create(screen_.get(), 640, 480, kPlacementAny) < 0) {
        reportNoRenderSurface();
        return;
    }
    std::unique_ptr<Movie> movie = openMovie(file, *render);
    if (!movie) return;
    Screen& screen = *screen_;
    // The overlay movies wait, picture and sound, while this one has the screen.
    scene_.overlays().pauseMovies();
    {
        TrackInMix inMix(mixer_.get(), *movie);
        runMovieLoop(*movie, start, stop, [&] {
            Surface& back = screen.back();
            render->draw(back, 0, 0);
            if (debugMode_) {
                int64_t tenths = movie->getPosition() / 1000000;
                drawTextLine(back, 0, 0, kRed, std::to_string(tenths) + " /10th sec");
            }
            screen.present(Present::Wait | Present::Whole);
            // No message is handled until the movie ends; they wait in the queue.
            if (events_) events_->keepAlive();
        });
        movie->stop();
    }
    movie->release();
    scene_.overlays().resumeMovies();
}

void MoviePlayers::playOverlayMovie(const std::string& file, int x, int y, int width, int height) {
    if (!screen_) return;
    Screen& screen = *screen_;
    auto composition = std::make_unique<Surface>();
    if (composition->create(&screen, 640, 480, kPlacementAny) < 0) {
        reportNoRenderSurface();
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
        TrackInMix inMix(mixer_.get(), *movie);
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
            if (events_) events_->keepAlive();
        });
        movie->stop();
    }
    movie->release();
}
