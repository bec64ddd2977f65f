#pragma once
// Recordings written with FFmpeg's encoders, chosen by the file's extension: ".mp4" H.264
// with AAC, ".webm" VP9 with Opus, ".mkv" lossless FFV1 with FLAC. Every encoder runs on
// one thread with fixed settings, so the same input writes the same frames.
#include "media/video_recorder.h"

class FfmpegVideoRecorders : public VideoRecorderFactory {
public:
    std::unique_ptr<VideoRecorder> create(const std::string& path, const RecordingFormat& format,
                                          std::string& error) override;
};
