#pragma once
// A music file decoded as it plays, already in the mix format, from its start to its end.
// The decoding library stays behind this interface.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class MusicDecoder {
public:
    virtual ~MusicDecoder() = default;
    // Writes up to `frames` stereo frames at kMixRate; fewer only at the end of the
    // music or where the file is damaged (`damage` then says how).
    virtual size_t read(int16_t* out, size_t frames) = 0;
    // Empty unless reading stopped on damage in the file.
    virtual std::string damage() const = 0;
};

class MusicDecoderFactory {
public:
    virtual ~MusicDecoderFactory() = default;
    // Opens the file and decodes its first sound; null with `error` set when that fails.
    virtual std::unique_ptr<MusicDecoder> open(const std::string& path, std::string& error) = 0;
};

// For a program that links no music decoder: every file is refused.
class NoMusicDecoders : public MusicDecoderFactory {
public:
    std::unique_ptr<MusicDecoder> open(const std::string&, std::string& error) override {
        error = "this program plays no music";
        return nullptr;
    }
};
