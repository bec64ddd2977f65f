#include "tools/checker/media_readers.h"

#include "media/ffmpeg/ffmpeg_movie_opener.h"
#include "media/ffmpeg/ffmpeg_music_decoder.h"
#include "media/wave_reader.h"
#include "platform/jpeg/jpeg_format.h"

EngineReaders::EngineReaders()
    : pictures_(pictureFormatsWithJpeg()),
      movies_(std::make_unique<FfmpegMovieOpener>()),
      music_(std::make_unique<FfmpegMusicDecoders>()) {}

EngineReaders::~EngineReaders() = default;

MediaReaders EngineReaders::readers() {
    MediaReaders r;
    r.pictures = &pictures_;
    r.movies = movies_.get();
    r.sound = [](const std::string& path, std::string& why) {
        WaveSound sound;
        return readWaveFile(path, sound, why);
    };
    // Opening decodes the first sound, as "playmusic" does before it plays.
    r.music = [this](const std::string& path, std::string& why) {
        return music_->open(path, why) != nullptr;
    };
    return r;
}
