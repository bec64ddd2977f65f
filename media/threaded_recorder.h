#pragma once
// A recorder that encodes on a thread of its own, so the frame that hands over a picture
// only copies it. Pictures that arrive while too many wait are dropped (the file holds
// the last one longer); sound is never dropped. Sound may come from another thread than
// pictures.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "media/video_recorder.h"

class ThreadedVideoRecorder : public VideoRecorder {
public:
    // `height` rows of `rowBytes` bytes make a picture.
    ThreadedVideoRecorder(std::unique_ptr<VideoRecorder> inner, int rowBytes, int height,
                          size_t maxWaitingPictures = 30);
    ~ThreadedVideoRecorder() override;

    bool addPicture(const uint8_t* pixels, int pitch, int64_t index) override;
    bool addSound(const int16_t* samples, size_t frames) override;
    // Encodes everything still waiting, then completes the file.
    bool finish() override;
    std::string error() const override;
    size_t droppedPictures() const;

private:
    struct Item {
        bool picture = false;
        int64_t index = 0;
        std::vector<uint8_t> pixels;
        std::vector<int16_t> samples;
    };
    void work();

    std::unique_ptr<VideoRecorder> inner_;
    int rowBytes_, height_;
    size_t maxPictures_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Item> queue_;
    size_t waitingPictures_ = 0;
    size_t dropped_ = 0;
    bool stopping_ = false;
    bool failed_ = false;
    bool finished_ = false;
    bool finishResult_ = false;
    std::thread worker_;
};
