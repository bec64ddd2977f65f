#pragma once
// A byte buffer read through FFmpeg's I/O layer, so a movie can be opened from memory.
#include <cstddef>
#include <cstdint>
#include <vector>

struct AVIOContext;

class MemoryInput {
public:
    explicit MemoryInput(std::vector<uint8_t> bytes);
    ~MemoryInput();
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    // Null when it could not be allocated. Owned by this object.
    AVIOContext* context() const { return context_; }

private:
    static int read(void* opaque, uint8_t* buffer, int size);
    static int64_t seek(void* opaque, int64_t offset, int whence);

    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
    AVIOContext* context_ = nullptr;
};
