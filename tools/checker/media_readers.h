#pragma once
// The readers the engine itself uses, for the checker program: every picture format with
// JPEG, movies through FFmpeg.
#include <memory>

#include "platform/image/picture_formats.h"
#include "tools/checker/file_probe.h"

class MovieOpener;

// Owns the readers a MediaReaders points at.
class EngineReaders {
public:
    EngineReaders();
    ~EngineReaders();
    MediaReaders readers();

private:
    PictureFormats pictures_;
    std::unique_ptr<MovieOpener> movies_;
};
