#pragma once
// The blocking movie players: full screen (the title movie, "playmovie") and in a
// rectangle over the view ("playoverlaymovie"). Both own their movie and surfaces for the
// length of the call, and put the movie's sound track in the mix while it plays.
#include <cstdint>
#include <memory>
#include <string>

#include "media/movie_error.h"

class EngineHost;
class EventSource;
class GameFolder;
class MessageSink;
class Mixer;
class Movie;
class OverlayMovie;
class Scene;
class Screen;
class Surface;

class MoviePlayers {
public:
    // All outlive the players. `screen`, `mixer` and `events` are the engine's, which
    // come and go; `debugMode` adds the time line to the full-screen player.
    MoviePlayers(EngineHost& host, const std::unique_ptr<Screen>& screen,
                 const std::unique_ptr<Mixer>& mixer, const std::unique_ptr<EventSource>& events,
                 Scene& scene, MessageSink& output, const GameFolder& folder,
                 const bool& debugMode);
    MoviePlayers(const MoviePlayers&) = delete;
    MoviePlayers& operator=(const MoviePlayers&) = delete;

    // The full-screen player reads no input and handles no window message until the movie
    // ends; times are media times, -1 when not given. A file that exists but does not play
    // is named in red.
    void playMovie(const std::string& file, int64_t start, int64_t stop);
    // The movie scaled to width x height at (x, y), over the backdrop and the overlays.
    void playOverlayMovie(const std::string& file, int x, int y, int width, int height);
    // "Could not play <file>: <reason>" in red.
    void reportUnplayableMovie(const std::string& file, MovieError error);
    // The movie opened onto `target`, or null after its red line (a missing file is the
    // caller's to report).
    std::unique_ptr<Movie> openMovie(const std::string& file, Surface& target);
    // A looping movie for the overlays ("addoverlaymovie"), on the engine's clock, movie
    // codec and mixer; not yet loaded.
    std::unique_ptr<OverlayMovie> makeOverlayMovie();

private:
    // A surface the player cannot do without is missing: the fatal box.
    void reportNoRenderSurface();

    EngineHost& host_;
    const std::unique_ptr<Screen>& screen_;
    const std::unique_ptr<Mixer>& mixer_;
    const std::unique_ptr<EventSource>& events_;
    Scene& scene_;
    MessageSink& output_;
    const GameFolder& folder_;
    const bool& debugMode_;
};
