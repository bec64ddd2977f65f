#pragma once
// The headless runner's `record`: every presented frame and the mix written to a video
// file, timed on the virtual clock.
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class HeadlessHost;
class Surface;
class TimedRecording;
class VideoRecorderFactory;

class RunRecorder {
public:
    // `screen` gives the picture being presented (null when there is none yet).
    RunRecorder(HeadlessHost& host, VideoRecorderFactory* factory,
                std::function<const Surface*()> screen, std::ostream& err);
    ~RunRecorder();

    // `record FILE` starts a file after finishing the one being written; an empty name
    // only finishes it.
    void command(const std::string& file);
    void finish();

private:
    void present();

    HeadlessHost& host_;
    VideoRecorderFactory* factory_;
    std::function<const Surface*()> screen_;
    std::ostream& err_;
    std::unique_ptr<TimedRecording> recording_;
    std::string file_;
};
