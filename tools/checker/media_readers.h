#pragma once
// The readers the engine itself uses, for the checker program: every picture format with
// JPEG, movies and music through FFmpeg, sounds through the wave reader.
#include <memory>

#include "platform/image/picture_formats.h"
#include "tools/checker/file_probe.h"

class MovieOpener;
class MusicDecoderFactory;

// Owns the readers a MediaReaders points at.
class EngineReaders {
public:
    EngineReaders();
    ~EngineReaders();
    MediaReaders readers();

private:
    PictureFormats pictures_;
    std::unique_ptr<MovieOpener> movies_;
    std::unique_ptr<MusicDecoderFactory> music_;
};
