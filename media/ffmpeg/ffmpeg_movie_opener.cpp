#include "media/ffmpeg/ffmpeg_movie_opener.h"

std::unique_ptr<MovieDecoder> FfmpegMovieOpener::open(const std::string& file, MovieError& error) {
    return FfmpegMovieDecoder::openFile(file, options_, error);
}
