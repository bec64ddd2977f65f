#include "movie/movie_test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "media/movie_loop.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

namespace fs = std::filesystem;

const fs::path& folder() {
    static const fs::path dir = [] {
        // The encoders' statistics and the decoders' complaints about damaged files.
        av_log_set_level(AV_LOG_QUIET);
        fs::path d = fs::temp_directory_path() / ("vorlen-movie-test-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

// Removes the run's folder when the program ends.
struct FolderCleanup : ::testing::Environment {
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder(), ec);
    }
};
const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new FolderCleanup);

TestMovie settingsFor(const std::string& name) {
    TestMovie m;
    if (name == "h264") {
        m.muxer = "mp4";
        m.video = "libx264";
        m.sound = "aac";
        m.gop = 50;
        m.bFrames = 3;
    } else if (name == "vp8") {
        m.muxer = "webm";
        m.video = "libvpx";
        m.sound = "libvorbis";
        m.gop = 60;
        m.bFrames = 0;
    } else if (name == "vp9") {
        m.muxer = "webm";
        m.video = "libvpx-vp9";
        m.sound = "libopus";
        m.sampleRate = 48000;
        m.gop = 60;
        m.bFrames = 0;
    } else if (name == "theora") {
        m.muxer = "ogg";
        m.video = "libtheora";
        m.sound = "libvorbis";
        m.gop = 30;
        m.bFrames = 0;
    } else if (name == "mpeg4") {
        m.muxer = "matroska";
        m.video = "mpeg4";
        m.sound = "";
        m.gop = 25;
    } else if (name == "short-sound") {
        m.soundFrames = 100;
    } else if (name == "late-sound") {
        m.muxer = "matroska";
        m.video = "mpeg4";
        m.soundFrom = 150;
    } else if (name == "sound-only") {
        m.video = "";
    }
    m.frames = kFixtureFrames;
    return m;
}

const char* extensionFor(const std::string& muxer) {
    if (muxer == "mp4") return ".mp4";
    if (muxer == "webm") return ".webm";
    if (muxer == "ogg") return ".ogv";
    if (muxer == "matroska") return ".mkv";
    return ".mpg";
}

// The fixtures are the same in every test process (ctest runs each test alone), so they
// are made once per build tree and shared; a file appears under its name only when
// complete. Change the version in the names when the fixtures change.
fs::path sharedFolder() {
    const char* build = std::getenv("VORLEN_BUILD_DIR");
    fs::path dir = build && *build ? fs::path(build) / "test-movies" : folder();
    std::error_code ec;
    fs::create_directories(dir, ec);
    return ec ? folder() : dir;
}

}  // namespace

std::string scratchPath(const std::string& name) {
    return (folder() / name).string();
}

const std::string& fixtureMovie(const std::string& name) {
    static std::map<std::string, std::string> made;
    auto it = made.find(name);
    if (it != made.end()) return it->second;
    TestMovie want = settingsFor(name);
    fs::path path = sharedFolder() / (name + "-v2" + extensionFor(want.muxer));
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        fs::path temp = path;
        temp += ".part" + std::to_string(getpid());
        std::string error = writeTestMovie(temp.string(), want);
        if (!error.empty()) ADD_FAILURE() << "fixture " << name << ": " << error;
        fs::rename(temp, path, ec);
    }
    return made.emplace(name, path.string()).first->second;
}

const std::vector<std::string>& pictureFixtures() {
    static const std::vector<std::string> names = {"mpeg", "h264", "vp8", "vp9", "theora"};
    return names;
}

MovieRig::MovieRig(int width, int height, int type)
    : opener(FfmpegMovieDecoder::Options{1, 4096 * 4096}), movie(clock, opener) {
    target.create(PixelFormat::ofType(type), width, height);
}

bool MovieRig::open(const std::string& name) {
    return movie.open(fixtureMovie(name), target);
}

void MovieRig::present() {
    clock.advanceMillis(10);
    std::shared_ptr<AudioStream> track = movie.soundTrack();
    if (!mixing || !track) return;
    const size_t frames = kMixRate / 100;
    size_t at = heard.size();
    heard.resize(at + frames * kMixChannels);
    size_t got = track->read(heard.data() + at, frames);
    heard.resize(at + got * kMixChannels);
}

std::vector<int> MovieRig::playRange(int64_t start, int64_t stop) {
    std::vector<int> shownFrames;
    runMovieLoop(movie, start, stop, [&] {
        shownFrames.push_back(shown());
        present();
    });
    return shownFrames;
}
