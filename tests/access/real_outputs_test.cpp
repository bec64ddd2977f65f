// Accessible play through real outputs: utterances reach a private speech-dispatcher, and
// in engine-windowed on a private Xvfb display the focus keys move the desktop's pointer.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/speech/speech_dispatcher_voice.h"
#include "support/child_process.h"
#include "support/headless_run.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace child_process;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Waits until `done` holds, at most `limit`.
template <typename Done>
bool within(std::chrono::milliseconds limit, Done done) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// A speech-dispatcher of the test's own: its configuration, socket, pid file and log in
// a temporary folder, the dummy output module playing into ALSA's null device.
class PrivateDispatcher {
public:
    PrivateDispatcher() {
        char pattern[] = "/tmp/vorlen-spd.XXXXXX";
        if (!mkdtemp(pattern)) return;
        dir_ = pattern;
        fs::create_directories(dir_ / "conf");
        std::ofstream(dir_ / "conf" / "speechd.conf")
            << "LogLevel 5\nLogDir \"" << (dir_ / "log").string()
            << "\"\nAudioOutputMethod \"alsa\"\nAudioALSADevice \"null\"\n"
               "AddModule \"dummy\" \"sd_dummy\" \"\"\nDefaultModule dummy\n";
        fs::create_directories(dir_ / "log");
        pid_ = spawn({"speech-dispatcher", "-s", "-t", "0", "-l", "5", "-C",
                      (dir_ / "conf").string(), "-S", socket().string(), "-L",
                      (dir_ / "log").string(), "-P", (dir_ / "pid").string()});
    }
    ~PrivateDispatcher() {
        stop(pid_);
        std::error_code ignored;
        if (!dir_.empty()) fs::remove_all(dir_, ignored);
    }
    bool started() {
        return !dir_.empty() && within(10s, [&] { return fs::exists(socket()); });
    }
    fs::path socket() const { return dir_ / "sock"; }
    std::string log() const { return readAll(dir_ / "log" / "speech-dispatcher.log"); }

private:
    fs::path dir_;
    pid_t pid_ = -1;
};

TEST(SpeechDispatcher, UtterancesReachTheDaemonEachCancellingTheLast) {
    if (!haveTool("speech-dispatcher") ||
        !fs::exists("/usr/lib/speech-dispatcher-modules/sd_dummy"))
        GTEST_SKIP() << "speech-dispatcher or its dummy module is not installed";
    PrivateDispatcher daemon;
    if (!daemon.started())
        GTEST_SKIP() << "speech-dispatcher did not start here; its log:\n" << daemon.log();
    setenv("SPEECHD_ADDRESS", ("unix_socket:" + daemon.socket().string()).c_str(), 1);

    auto voice = SpeechDispatcherVoice::open("vorlen-test");
    ASSERT_TRUE(voice) << daemon.log();
    voice->speak("the house door, go forward");
    EXPECT_TRUE(within(10s, [&] {
        return daemon.log().find("|the house door, go forward|") != std::string::npos;
    })) << daemon.log();
    voice->speak("the brass horse, take");
    EXPECT_TRUE(within(10s, [&] {
        return daemon.log().find("|the brass horse, take|") != std::string::npos;
    })) << daemon.log();
    voice.reset();
    unsetenv("SPEECHD_ADDRESS");
    // The second utterance was sent after a cancel of this client's speech.
    const std::string log = daemon.log();
    const size_t first = log.find("|the house door, go forward|");
    const size_t cancel = log.find("CANCEL", first);
    EXPECT_NE(cancel, std::string::npos);
    EXPECT_LT(cancel, log.find("|the brass horse, take|"));
}

// With no daemon at the address none is started: the engine speaks into its mix instead.
TEST(SpeechDispatcher, NoVoiceWhereNoDaemonRuns) {
    setenv("SPEECHD_ADDRESS", "unix_socket:/tmp/vorlen-no-such-dir/sock", 1);
    EXPECT_FALSE(SpeechDispatcherVoice::open("vorlen-test"));
    unsetenv("SPEECHD_ADDRESS");
    EXPECT_FALSE(fs::exists("/tmp/vorlen-no-such-dir"));
}

// Tab puts the desktop's pointer over the hotspot it focuses (away from where the pointer
// starts, the screen's middle), and Enter clicks there: the next view is on screen.
TEST(WindowedProgram, TabMovesThePointerOntoTheHotspotAndEnterGoesThrough) {
    if (!haveTool("Xvfb") || !haveTool("xdotool") || !haveTool("import") || !haveTool("convert"))
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick missing";
    pid_t xvfb = startXvfb("1024x768x24");
    ASSERT_GT(xvfb, 0) << "Xvfb did not start";
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    headless_test::GameFolder game;
    game.write("init.scn", headless_test::viewFile(
                               "back.bmp", {{"door", 2, 30, 40, 130, 120, "load room.scn\n"}}));
    game.write("room.scn", headless_test::viewFile("room.bmp", {}));
    game.writeBmp("back.bmp", 640, 480, 0x336699);
    game.writeBmp("room.bmp", 640, 480, 0xCC3300);
    setenv("XDG_CONFIG_HOME", (game.path() / "config").c_str(), 1);
    pid_t engine = spawn({(headless_test::buildDir() / "engine-windowed").string()}, game.path());

    const std::string window =
        capture("timeout 20 xdotool search --sync --onlyvisible --name '^Vorlen$' | head -n 1");
    int windowX = -1, windowY = -1, pointerX = -1, pointerY = -1;
    std::string before, after;
    const fs::path shot = game.path() / "shot.png";
    auto pixel = [&] {
        std::system(("import -window " + window + " " + shot.string()).c_str());
        return capture("convert " + shot.string() + " -format '%[pixel:p{600,450}]' info:");
    };
    if (!window.empty()) {
        std::this_thread::sleep_for(500ms);
        std::sscanf(capture("xdotool getwindowgeometry " + window + " | sed -n 's/.*Position: //p'")
                        .c_str(),
                    "%d,%d", &windowX, &windowY);
        before = pixel();
        std::system(("xdotool key --window " + window + " Tab").c_str());
        std::this_thread::sleep_for(700ms);
        std::sscanf(capture("xdotool getmouselocation").c_str(), "x:%d y:%d", &pointerX, &pointerY);
        std::system(("xdotool key --window " + window + " Return").c_str());
        std::this_thread::sleep_for(1000ms);
        after = pixel();
    }
    stop(engine);
    stop(xvfb);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("XDG_CONFIG_HOME");

    ASSERT_FALSE(window.empty()) << "no window appeared";
    const int x = pointerX - windowX, y = pointerY - windowY;
    EXPECT_TRUE(x >= 30 && x <= 130 && y >= 40 && y <= 120) << "pointer at " << x << "," << y;
    // The window shows 16-bit colour: near, not equal.
    auto near = [](const std::string& seen, int r, int g, int b) {
        int sr = -1, sg = -1, sb = -1;
        return std::sscanf(seen.c_str(), "srgb(%d,%d,%d)", &sr, &sg, &sb) == 3 &&
               std::abs(sr - r) <= 8 && std::abs(sg - g) <= 8 && std::abs(sb - b) <= 8;
    };
    EXPECT_TRUE(near(before, 0x33, 0x66, 0x99)) << before;
    EXPECT_TRUE(near(after, 0xCC, 0x33, 0x00)) << after;
}

}  // namespace
