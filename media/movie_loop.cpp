#include "media/movie_loop.h"

void runMovieLoop(Movie& movie, int64_t start, int64_t stop, const std::function<void()>& present) {
    if (!movie.play()) return;
    if (start >= 0) {
        movie.seek(start);
        movie.resume();
    }
    while (movie.renderFrame()) {
        present();
        if (stop >= 0 && movie.getPosition() >= stop) break;
    }
    movie.stop();
}
