#pragma once
// F10's recording of play: the presented pictures and the mix written to "rec0.mp4",
// "rec1.mp4", ... in the game folder at 60 pictures a second on the engine's clock,
// encoded on a thread of its own.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class Clock;
class Console;
class GameFolder;
class Surface;
class TimedRecording;
class VideoRecorderFactory;

class PlayRecorder {
public:
    static constexpr int kFrameRate = 60;

    // All are the caller's and outlive the recorder; without encoders F10 says so.
    PlayRecorder(const Clock& clock, VideoRecorderFactory* encoders, const GameFolder& folder,
                 Console& console);
    ~PlayRecorder();
    PlayRecorder(const PlayRecorder&) = delete;
    PlayRecorder& operator=(const PlayRecorder&) = delete;

    // Starts a recording of `screen`'s pictures into the next free name, or ends the one
    // under way; either is reported on the console (the end once the file is complete).
    void toggle(const Surface& screen);
    // Ends the recording; the encoders complete the file on a thread of their own.
    void stop();
    bool recording() const { return active_.load(); }

    // Every present (the frame thread).
    void present(const Surface& back);
    // The mix as it is made (the sound output's thread).
    void sound(const int16_t* samples, size_t frames);
    void setSampleRate(int rate) { sampleRate_ = rate; }

private:
    // Waits for the file being completed, and says how it went.
    void reportFinished(bool wait);

    const Clock& clock_;
    VideoRecorderFactory* encoders_;
    const GameFolder& folder_;
    Console& console_;
    int sampleRate_ = 44100;
    std::mutex mutex_;  // the recording, between the frame and the sound threads
    std::unique_ptr<TimedRecording> recording_;
    std::atomic<bool> active_{false};
    std::string file_;
    // Completing the last file: the thread, whether it is done and how it went.
    std::thread finisher_;
    std::atomic<bool> finished_{false};
    bool finishedOk_ = false;
    std::string finishedFile_, finishedError_;
};
