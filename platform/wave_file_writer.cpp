#include "platform/wave_file_writer.h"

#include <algorithm>

namespace {

// The largest data chunk whose RIFF size still fits in 32 bits.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}

void header(uint8_t* h, int rate, int channels, uint32_t dataBytes) {
    const uint32_t block = static_cast<uint32_t>(channels) * 2;
    std::copy_n("RIFF", 4, h);
    put32(h + 4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, h + 8);
    put32(h + 16, 16);
    put16(h + 20, 1);  // PCM
    put16(h + 22, static_cast<uint32_t>(channels));
    put32(h + 24, static_cast<uint32_t>(rate));
    put32(h + 28, static_cast<uint32_t>(rate) * block);
    put16(h + 32, block);
    put16(h + 34, 16);
    std::copy_n("data", 4, h + 36);
    put32(h + 40, dataBytes);
}

}  // namespace

bool WaveFileWriter::open(const std::string& path, int rate, int channels) {
    close();
    if (rate <= 0 || channels <= 0 || channels > 8) return false;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    frameBytes_ = static_cast<uint32_t>(channels) * 2;
    dataBytes_ = 0;
    failed_ = false;
    // The sizes stay 0 until close; the rate and layout are known now.
    header(header_.data(), rate, channels, 0);
    if (std::fwrite(header_.data(), 1, header_.size(), file_) != header_.size()) failed_ = true;
    return !failed_;
}

bool WaveFileWriter::write(const int16_t* samples, size_t frames) {
    if (!file_ || failed_) return false;
    uint64_t room = (kMaxDataBytes - dataBytes_) / frameBytes_;
    frames = static_cast<size_t>(std::min<uint64_t>(frames, room));
    size_t count = frames * (frameBytes_ / 2);
    if (count == 0) return true;
    out_.resize(count * 2);
    for (size_t i = 0; i < count; ++i) put16(&out_[2 * i], static_cast<uint16_t>(samples[i]));
    if (std::fwrite(out_.data(), 1, out_.size(), file_) != out_.size()) failed_ = true;
    dataBytes_ += out_.size();
    return !failed_;
}

bool WaveFileWriter::close() {
    if (!file_) return true;
    uint32_t data = static_cast<uint32_t>(dataBytes_);
    put32(&header_[4], 36 + data);
    put32(&header_[40], data);
    if (std::fseek(file_, 0, SEEK_SET) != 0 ||
        std::fwrite(header_.data(), 1, header_.size(), file_) != header_.size())
        failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}
