// The gamepad's d-pad moves the focus as the stick does, one step per push, and can be
// remapped in the settings file. The input script has no d-pad, so the engine runs here
// in the test's own process with the d-pad set directly.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "engine/main/standard_services.h"
#include "platform/headless/headless_host.h"
#include "support/engine_test_access.h"

namespace {

class PadFocus : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vorlen-pad-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        std::string view = "VIEW pads\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nONLOADEND\r\n";
        for (int i = 0; i < 3; ++i) {
            const std::string x1 = std::to_string(10 + 200 * i), x2 = std::to_string(100 + 200 * i);
            view += "HOTSPOTSTART spot" + std::to_string(i) + "\r\nCURSOR 2\r\nCOORD (" + x1 +
                    ",10),(" + x2 + ",10),(" + x2 + ",100),(" + x1 +
                    ",100)\r\nONCONDITION ()\r\nONCLICKSTART\r\nONCLICKEND\r\nHOTSPOTEND\r\n";
        }
        std::ofstream(dir / "init.scn", std::ios::binary) << view;
        std::filesystem::create_directories(dir / "config" / "vorlen");
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    }
    void TearDown() override {
        engine.reset();
        unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir);
    }
    void start(const std::string& settings) {
        std::ofstream(dir / "config" / "vorlen" / "settings.txt") << settings;
        engine = std::make_unique<Engine>(host, GameFolder(dir.string()));
        int code = 0;
        ASSERT_FALSE(engine->start(code));
        frame();
    }
    void frame() {
        int code = 0;
        ASSERT_FALSE(engine->runLoopPass(code));
    }
    // The focus after the d-pad is held as given for two frames, then let go.
    std::string push(bool left, bool right) {
        host.setPad(left, right);
        frame();
        frame();
        host.setPad(false, false);
        frame();
        return engine->access().focusName(EngineTestAccess::state(*engine));
    }

    std::filesystem::path dir;
    StandardServices standard;
    HeadlessHost host{standard.services()};
    std::unique_ptr<Engine> engine;
};

TEST_F(PadFocus, EachPushIsOneStepEitherWay) {
    start("");
    EXPECT_EQ(push(false, true), "spot0");
    EXPECT_EQ(push(false, true), "spot1");
    EXPECT_EQ(push(true, false), "spot0");
    EXPECT_EQ(push(true, false), "spot2");  // wraps
    // The pointer went where the focus is.
    int x = 0, y = 0;
    EngineTestAccess::state(*engine).input->pointerPosition(x, y);
    EXPECT_TRUE(x >= 410 && x <= 500 && y >= 10 && y <= 100) << x << "," << y;
}

TEST_F(PadFocus, RemappedInTheSettingsFile) {
    start("key next = TAB, PAD LEFT\nkey previous = PAD RIGHT\n");
    EXPECT_EQ(push(true, false), "spot0");
    EXPECT_EQ(push(true, false), "spot1");
    EXPECT_EQ(push(false, true), "spot0");
}

}  // namespace
