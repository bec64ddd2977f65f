#pragma once
// Music decoded by FFmpeg (libavformat, libavcodec, libswresample): any file it reads —
// Ogg Vorbis, Opus, MP3, FLAC, WAV and more — streamed packet by packet and resampled to
// the mix format, never read whole.
#include "media/music_decoder.h"

class FfmpegMusicDecoders : public MusicDecoderFactory {
public:
    std::unique_ptr<MusicDecoder> open(const std::string& path, std::string& error) override;
};
