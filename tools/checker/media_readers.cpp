#include "tools/checker/media_readers.h"

#include "media/ffmpeg/ffmpeg_movie_opener.h"
#include "platform/jpeg/jpeg_format.h"

EngineReaders::EngineReaders()
    : pictures_(pictureFormatsWithJpeg()), movies_(std::make_unique<FfmpegMovieOpener>()) {}

EngineReaders::~EngineReaders() = default;

MediaReaders EngineReaders::readers() {
    MediaReaders r;
    r.pictures = &pictures_;
    r.movies = movies_.get();
    return r;
}
