#pragma once
// Compressed sound files written with FFmpeg's encoders (the demo's music, the music
// tests' files).
#include <cstdint>
#include <string>
#include <vector>

// Encodes interleaved 16-bit samples with the named FFmpeg encoder into the named
// container ("libvorbis"/"ogg", "libmp3lame"/"mp3", "flac"/"flac", "libopus"/"ogg",
// "pcm_s16le"/"wav"). False with `error` set when that fails.
bool encodeMusic(const std::string& path, const char* encoder, const char* container,
                 const std::vector<int16_t>& samples, int rate, int channels, std::string& error);
