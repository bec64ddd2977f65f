#pragma once
// Opens movie files with the FFmpeg decoder.
#include "media/ffmpeg/ffmpeg_movie_decoder.h"
#include "media/movie_decoder.h"

class FfmpegMovieOpener : public MovieOpener {
public:
    FfmpegMovieOpener() = default;
    explicit FfmpegMovieOpener(const FfmpegMovieDecoder::Options& options) : options_(options) {}

    std::unique_ptr<MovieDecoder> open(const std::string& file, MovieError& error) override;

private:
    FfmpegMovieDecoder::Options options_;
};
