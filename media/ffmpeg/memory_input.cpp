#include "media/ffmpeg/memory_input.h"

#include <cstring>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace {
constexpr int kBufferSize = 32 * 1024;
}

MemoryInput::MemoryInput(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (!buffer) return;
    context_ = avio_alloc_context(buffer, kBufferSize, 0, this, &MemoryInput::read, nullptr,
                                  &MemoryInput::seek);
    if (!context_) av_free(buffer);
}

MemoryInput::~MemoryInput() {
    if (context_) {
        av_freep(&context_->buffer);
        avio_context_free(&context_);
    }
}

int MemoryInput::read(void* opaque, uint8_t* buffer, int size) {
    auto* self = static_cast<MemoryInput*>(opaque);
    if (size <= 0) return 0;
    size_t left = self->bytes_.size() - self->position_;
    if (left == 0) return AVERROR_EOF;
    size_t n = left < static_cast<size_t>(size) ? left : static_cast<size_t>(size);
    std::memcpy(buffer, self->bytes_.data() + self->position_, n);
    self->position_ += n;
    return static_cast<int>(n);
}

int64_t MemoryInput::seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<MemoryInput*>(opaque);
    const auto size = static_cast<int64_t>(self->bytes_.size());
    int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE:
            return size;
        case SEEK_SET:
            base = 0;
            break;
        case SEEK_CUR:
            base = static_cast<int64_t>(self->position_);
            break;
        case SEEK_END:
            base = size;
            break;
        default:
            return AVERROR(EINVAL);
    }
    if (offset < -base || offset > size - base) return AVERROR(EINVAL);
    self->position_ = static_cast<size_t>(base + offset);
    return base + offset;
}
