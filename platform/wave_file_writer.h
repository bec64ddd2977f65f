#pragma once
// Writes 16-bit PCM frames to a WAV file as they come; the header's sizes are filled in
// when the file is closed.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class WaveFileWriter {
public:
    WaveFileWriter() = default;
    WaveFileWriter(const WaveFileWriter&) = delete;
    WaveFileWriter& operator=(const WaveFileWriter&) = delete;
    ~WaveFileWriter() { close(); }

    // Creates (or empties) the file; false when it cannot be written.
    bool open(const std::string& path, int rate, int channels);
    // Appends interleaved frames. A WAV file holds at most 4 GiB: frames past that are
    // dropped. False once a write has failed.
    bool write(const int16_t* samples, size_t frames);
    // Completes the header and closes the file; false when anything failed to write.
    bool close();
    bool isOpen() const { return file_ != nullptr; }
    uint64_t framesWritten() const { return dataBytes_ / frameBytes_; }

private:
    std::FILE* file_ = nullptr;
    uint32_t frameBytes_ = 4;
    uint64_t dataBytes_ = 0;
    bool failed_ = false;
    std::array<uint8_t, 44> header_{};
    std::vector<uint8_t> out_;
};
