#include "media/threaded_recorder.h"

#include <cstring>

ThreadedVideoRecorder::ThreadedVideoRecorder(std::unique_ptr<VideoRecorder> inner, int rowBytes,
                                             int height, size_t maxWaitingPictures)
    : inner_(std::move(inner)),
      rowBytes_(rowBytes),
      height_(height),
      maxPictures_(maxWaitingPictures),
      worker_([this] { work(); }) {}

ThreadedVideoRecorder::~ThreadedVideoRecorder() {
    finish();
}

bool ThreadedVideoRecorder::addPicture(const uint8_t* pixels, int pitch, int64_t index) {
    Item item;
    item.picture = true;
    item.index = index;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (failed_ || stopping_) return false;
        if (waitingPictures_ >= maxPictures_) {
            ++dropped_;
            return true;
        }
    }
    // Copied outside the lock: the sound thread is not kept waiting.
    const auto row = static_cast<size_t>(rowBytes_);
    item.pixels.resize(row * static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y)
        std::memcpy(item.pixels.data() + row * static_cast<size_t>(y),
                    pixels + static_cast<ptrdiff_t>(y) * pitch, row);
    {
        std::lock_guard<std::mutex> guard(mutex_);
        queue_.push_back(std::move(item));
        ++waitingPictures_;
    }
    wake_.notify_one();
    return true;
}

bool ThreadedVideoRecorder::addSound(const int16_t* samples, size_t frames) {
    Item item;
    item.samples.assign(samples, samples + frames * 2);
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (failed_ || stopping_) return false;
        queue_.push_back(std::move(item));
    }
    wake_.notify_one();
    return true;
}

void ThreadedVideoRecorder::work() {
    for (;;) {
        Item item;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return !queue_.empty() || stopping_; });
            if (queue_.empty()) return;
            item = std::move(queue_.front());
            queue_.pop_front();
            if (item.picture) --waitingPictures_;
            if (failed_) continue;
        }
        bool ok = item.picture ? inner_->addPicture(item.pixels.data(), rowBytes_, item.index)
                               : inner_->addSound(item.samples.data(), item.samples.size() / 2);
        if (!ok) {
            std::lock_guard<std::mutex> guard(mutex_);
            failed_ = true;
        }
    }
}

bool ThreadedVideoRecorder::finish() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (finished_) return finishResult_;
        finished_ = true;
        stopping_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable()) worker_.join();
    bool ok = inner_->finish();
    std::lock_guard<std::mutex> guard(mutex_);
    finishResult_ = ok && !failed_;
    return finishResult_;
}

std::string ThreadedVideoRecorder::error() const {
    return inner_->error();
}

size_t ThreadedVideoRecorder::droppedPictures() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return dropped_;
}
