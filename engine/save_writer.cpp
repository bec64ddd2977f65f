#include "engine/save_writer.h"

SaveWriter::~SaveWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    work_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void SaveWriter::commit(PreparedSlot prepared) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(prepared));
        // Started with the first save: most runs never save.
        if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    }
    work_.notify_one();
}

bool SaveWriter::pendingLocked(int slot) const {
    if (slot == 0) return running_ != 0 || !queue_.empty();
    if (running_ == slot) return true;
    for (const PreparedSlot& p : queue_)
        if (p.slot == slot) return true;
    return false;
}

bool SaveWriter::pending(int slot) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pendingLocked(slot);
}

void SaveWriter::waitFor(int slot) {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return !pendingLocked(slot); });
}

void SaveWriter::waitForAll() {
    waitFor(0);
}

std::vector<SaveWriter::Failure> SaveWriter::takeFailures() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Failure> out;
    out.swap(failures_);
    return out;
}

void SaveWriter::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        // Saves handed over before the stop are still finished.
        work_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;
        PreparedSlot prepared = std::move(queue_.front());
        queue_.pop_front();
        running_ = prepared.slot;
        lock.unlock();
        std::string why;
        const bool ok = commitSlot(prepared, why);
        lock.lock();
        if (!ok) failures_.push_back({prepared.slot, why});
        running_ = 0;
        done_.notify_all();
    }
}
