#pragma once
// The loop of the blocking players: play a movie from a start time until it ends or its
// position reaches a stop time, presenting each frame.
#include <cstdint>
#include <functional>

#include "media/movie.h"

// Plays an opened `movie` from `start` (-1: from where it stands) and calls `present`
// after every frame drawn, until renderFrame reports the end or, when `stop` is not -1,
// the position has reached `stop`. `present` shows the target and lets the clock move on.
// Leaves the movie stopped.
void runMovieLoop(Movie& movie, int64_t start, int64_t stop, const std::function<void()>& present);
