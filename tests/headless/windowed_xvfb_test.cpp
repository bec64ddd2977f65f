// engine-windowed in a real window on a private Xvfb display: it opens a 640x480
// window titled "Vorlen" and ends cleanly when the player leaves (Escape shows the
// ending, any key there closes the window).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "support/child_process.h"
#include "support/headless_run.h"

namespace {

using namespace std::chrono_literals;
using namespace child_process;

TEST(WindowedProgram, OpensA640x480WindowAndClosesCleanly) {
    if (!haveTool("Xvfb") || !haveTool("xdotool")) GTEST_SKIP() << "Xvfb or xdotool missing";
    pid_t xvfb = startXvfb("1024x768x24");
    ASSERT_GT(xvfb, 0) << "Xvfb did not start";

    headless_test::GameFolder game;
    game.write("init.scn", headless_test::viewFile("back.bmp", {}));
    game.writeBmp("back.bmp", 640, 480, 0x336699);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    pid_t engine = spawn({(headless_test::buildDir() / "engine-windowed").string()}, game.path());

    std::string window =
        capture("timeout 20 xdotool search --sync --onlyvisible --name '^Vorlen$' | head -n 1");
    std::string geometry;
    if (!window.empty()) {
        geometry = capture("xdotool getwindowgeometry " + window + " | sed -n 's/.*Geometry: //p'");
        std::this_thread::sleep_for(500ms);
        std::system(("xdotool key --window " + window + " Escape").c_str());
        std::this_thread::sleep_for(1500ms);
        std::system(("xdotool key --window " + window + " a").c_str());
    }
    int status = waitFor(engine, 10s);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    setenv("SDL_VIDEODRIVER", "dummy", 1);

    ASSERT_FALSE(window.empty()) << "no window appeared";
    EXPECT_EQ(geometry, "640x480");
    EXPECT_EQ(status, 0);
}

}  // namespace
