// Two engines in one process, over two game folders, with their frames interleaved: each
// keeps its own console, variables and view.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "engine/main/standard_services.h"
#include "platform/headless/headless_host.h"
#include "support/engine_test_access.h"

namespace {

struct Game {
    explicit Game(const std::string& name) {
        char pattern[] = "/tmp/vorlen-two-XXXXXX";
        dir = mkdtemp(pattern);
        std::ofstream(dir + "/init.scn", std::ios::binary)
            << "VIEW " << name << "\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nlet " << name
            << "=1\r\nONLOADEND\r\nHOTSPOTSTART door\r\nCURSOR 2\r\n"
            << "COORD (0,0),(100,0),(100,100),(0,100)\r\nONCONDITION ()\r\nONCLICKSTART\r\n"
            << "load next.scn\r\nONCLICKEND\r\nHOTSPOTEND\r\n";
        std::ofstream(dir + "/next.scn", std::ios::binary)
            << "VIEW " << name << "2\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nONLOADEND\r\n";
        engine = std::make_unique<Engine>(host, GameFolder(dir));
        engine->console().listener = [this](const std::string& line, uint32_t) {
            printed.push_back(line.substr(line.find(": ") + 2));
        };
    }
    ~Game() {
        engine.reset();
        std::filesystem::remove_all(dir);
    }
    void frames(int n) {
        int code = 0;
        for (int i = 0; i < n; ++i) ASSERT_FALSE(engine->runLoopPass(code));
    }
    void click(int x, int y) {
        WindowEvent move{WindowEvent::MouseMove};
        move.x = x;
        move.y = y;
        host.queue()->push(move);
        host.setKey(KeyCode::MouseLeft, true);
        frames(1);
        host.setKey(KeyCode::MouseLeft, false);
        frames(1);
    }
    GameState& state() { return EngineTestAccess::state(*engine); }

    std::string dir;
    StandardServices standard;
    HeadlessHost host{standard.services()};
    std::unique_ptr<Engine> engine;
    std::vector<std::string> printed;
};

TEST(TwoEngines, EachKeepsItsOwnConsoleVariablesAndView) {
    Game a("alpha"), b("beta");
    int code = 0;
    ASSERT_FALSE(a.engine->start(code));
    ASSERT_FALSE(b.engine->start(code));
    a.frames(3);
    b.frames(2);
    a.engine->runConsoleLine("let x=5");
    b.engine->runConsoleLine("echo x");
    a.frames(1);
    a.click(50, 50);  // only a's view changes
    b.frames(3);
    b.engine->runConsoleLine("echo beta");

    EXPECT_EQ(EngineTestAccess::scene(*a.engine).view()->fileName(), "next.scn");
    EXPECT_EQ(EngineTestAccess::scene(*a.engine).view()->name(), "alpha2");
    EXPECT_EQ(EngineTestAccess::scene(*b.engine).view()->fileName(), "init.scn");
    EXPECT_EQ(EngineTestAccess::scene(*b.engine).view()->name(), "beta");
    EXPECT_EQ(a.state().variables.at("x"), 5);
    EXPECT_EQ(a.state().variables.count("beta"), 0u);
    EXPECT_EQ(b.state().variables.count("alpha"), 0u);
    EXPECT_EQ(b.state().variables.at("x"), 0);  // read by b's echo, never set there
    EXPECT_THAT(a.printed, ::testing::Contains("Loading next.scn"));
    EXPECT_THAT(b.printed, ::testing::Not(::testing::Contains("Loading next.scn")));
    EXPECT_EQ(b.printed.back(), "1");
    // Each engine's clock moved only with its own frames.
    EXPECT_NE(a.host.virtualClock().nowNanos(), b.host.virtualClock().nowNanos());
    EXPECT_EQ(a.state().console.lines.size(), a.printed.size());
    EXPECT_EQ(b.state().console.lines.size(), b.printed.size());
}

}  // namespace
