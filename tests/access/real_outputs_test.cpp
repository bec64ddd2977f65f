// Accessible play through real outputs: utterances reach a private speech-dispatcher, and
// in engine-windowed on a private Xvfb display the focus keys move the desktop's pointer.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/speech/speech_dispatcher_voice.h"
#include "support/headless_run.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

bool haveTool(const char* tool) {
    std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string capture(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

pid_t spawn(const std::vector<std::string>& argv, const std::string& dir = "") {
    pid_t pid = fork();
    if (pid == 0) {
        if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 40; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

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

class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* was = std::getenv(name)) was_ = was, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~EnvironmentVariable() {
        if (had_)
            setenv(name_, was_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string was_;
    bool had_ = false;
};

TEST(SpeechDispatcher, UtterancesReachTheDaemonEachCancellingTheLast) {
    if (!haveTool("speech-dispatcher") ||
        !fs::exists("/usr/lib/speech-dispatcher-modules/sd_dummy"))
        GTEST_SKIP() << "speech-dispatcher or its dummy module is not installed";
    PrivateDispatcher daemon;
    if (!daemon.started())
        GTEST_SKIP() << "speech-dispatcher did not start here; its log:\n" << daemon.log();
    EnvironmentVariable address("SPEECHD_ADDRESS", "unix_socket:" + daemon.socket().string());

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
    // The second utterance was sent after a cancel of this client's speech.
    const std::string log = daemon.log();
    const size_t first = log.find("|the house door, go forward|");
    const size_t cancel = log.find("CANCEL", first);
    EXPECT_NE(cancel, std::string::npos);
    EXPECT_LT(cancel, log.find("|the brass horse, take|"));
}

// With no daemon at the address none is started: the engine speaks into its mix instead.
TEST(SpeechDispatcher, NoVoiceWhereNoDaemonRuns) {
    EnvironmentVariable address("SPEECHD_ADDRESS", "unix_socket:/tmp/vorlen-no-such-dir/sock");
    EXPECT_FALSE(SpeechDispatcherVoice::open("vorlen-test"));
    EXPECT_FALSE(fs::exists("/tmp/vorlen-no-such-dir"));
}

// Tab puts the desktop's pointer over the hotspot it focuses (away from where the pointer
// starts, the screen's middle), and Enter clicks there: the next view is on screen.
TEST(WindowedProgram, TabMovesThePointerOntoTheHotspotAndEnterGoesThrough) {
    if (!haveTool("Xvfb") || !haveTool("xdotool") || !haveTool("import") || !haveTool("convert"))
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick missing";
    std::string started = capture(std::string(std::getenv("VORLEN_SOURCE_DIR")) +
                                  "/tests/support/start-xvfb.sh 1024x768x24");
    int number = -1;
    pid_t xvfb = -1;
    ASSERT_EQ(std::sscanf(started.c_str(), "%d %d", &number, &xvfb), 2) << "Xvfb did not start";
    EnvironmentVariable display("DISPLAY", ":" + std::to_string(number));
    EnvironmentVariable video("SDL_VIDEODRIVER", "x11");
    EnvironmentVariable audio("SDL_AUDIODRIVER", "dummy");

    headless_test::GameFolder game;
    game.write("init.scn", headless_test::viewFile(
                               "back.bmp", {{"door", 2, 30, 40, 130, 120, "load room.scn\n"}}));
    game.write("room.scn", headless_test::viewFile("room.bmp", {}));
    game.writeBmp("back.bmp", 640, 480, 0x336699);
    game.writeBmp("room.bmp", 640, 480, 0xCC3300);
    EnvironmentVariable config("XDG_CONFIG_HOME", (game.path() / "config").string());
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
