#pragma once
// Finishes saves off the frame thread: each save's files, already written aside, are
// flushed and renamed into place by one worker, in the order they were handed over. The
// frame thread waits only where it must see a slot's files as they will stay: before it
// saves the same slot again, before a load, and at shutdown.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/slot_files.h"

class SaveWriter {
public:
    SaveWriter() = default;
    ~SaveWriter();  // finishes every save handed over
    SaveWriter(const SaveWriter&) = delete;
    SaveWriter& operator=(const SaveWriter&) = delete;

    // Takes the prepared files; the worker commits them.
    void commit(PreparedSlot prepared);
    // True while a save of the slot is not finished.
    bool pending(int slot) const;
    // Returns once no save of the slot (of any slot) is left unfinished.
    void waitFor(int slot);
    void waitForAll();

    struct Failure {
        int slot;
        std::string why;
    };
    // The saves that failed since the last call, in their order.
    std::vector<Failure> takeFailures();

private:
    void run();
    bool pendingLocked(int slot) const;

    mutable std::mutex mutex_;
    std::condition_variable work_, done_;
    std::deque<PreparedSlot> queue_;
    int running_ = 0;  // the slot the worker commits now, 0 when none
    std::vector<Failure> failures_;
    bool stopping_ = false;
    std::thread worker_;
};
