// Whole-engine runs of engine-headless over small game folders.
#include <unistd.h>

#include <algorithm>

#include "support/engine_test.h"
#include "support/headless_run.h"

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

class HeadlessPlay : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        const char* dir = std::getenv("VORLEN_BUILD_DIR");
        engine_ = dir ? std::string(dir) + "/engine-headless" : "";
        if (engine_.empty() || access(engine_.c_str(), X_OK) != 0)
            GTEST_SKIP() << "engine-headless is not built";
        write("init.scn",
              "VIEW hall\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nlet visits=visits+1\r\nONLOADEND\r\n"
              "HOTSPOTSTART door\r\nCURSOR 2\r\nCOORD (100,100),(200,100),(200,200),(100,200)\r\n"
              "ONCONDITION ()\r\nONCLICKSTART\r\nlet clicked=clicked+1\r\nload room2.scn\r\n"
              "echo 99\r\nONCLICKEND\r\nHOTSPOTEND \r\n"
              "HOTSPOTSTART chest\r\nCURSOR 7\r\nCOORD (300,100),(400,100),(400,200),(300,200)\r\n"
              "ONCONDITION (key==1)\r\nONCLICKSTART\r\nlet opened=1\r\nONCLICKEND\r\n"
              "HOTSPOTEND \r\n");
        write("room2.scn", "VIEW room2\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nONLOADEND\r\n");
    }

    // Runs the engine on the input in the test's folder; stdout lines.
    std::vector<std::string> play(const std::string& input) {
        return headless_test::runHeadless(dir, input).lines;
    }

    // Console lines without their colour and number.
    static std::vector<std::string> console(const std::vector<std::string>& out) {
        std::vector<std::string> texts;
        for (const std::string& line : out) {
            if (line.size() < 2 || (line[0] != 'W' && line[0] != 'R') || line[1] != ' ') continue;
            size_t colon = line.find(": ");
            texts.push_back(line[0] + std::string(" ") +
                            (colon == std::string::npos ? line : line.substr(colon + 2)));
        }
        return texts;
    }

    std::string engine_;
};

TEST_F(HeadlessPlay, ClickLoadsTheNextViewAndEndsTheClickScript) {
    auto out = play("frames 2\nmove 150 150\nframes 1\nstate\ntap MOUSE LEFT\nstate\nclose\n");
    EXPECT_THAT(out, Contains("S view=init.scn"));
    EXPECT_THAT(out, Contains("S hotspot=door 1 1 2"));
    EXPECT_THAT(out, Contains("S hotspot=chest 1 0 7"));
    EXPECT_THAT(out, Contains("S var=cursor=2"));
    EXPECT_THAT(out, Contains("S view=room2.scn"));
    EXPECT_THAT(out, Contains("S base=testpat.jpg"));
    EXPECT_THAT(out, Contains("S var=clicked=1"));
    auto lines = console(out);
    EXPECT_THAT(lines, Contains("W Loading room2.scn"));
    EXPECT_THAT(lines, Contains("W switching to testpat.jpg"));
    EXPECT_THAT(lines, ::testing::Not(Contains("W 99")));
}

TEST_F(HeadlessPlay, HeldItemsLimitClicksToTakeHotspots) {
    auto out = play(
        "frames 1\nconsole addinv inv_horse\nconsole let key=1\ntap MOUSE RIGHT\n"
        "move 150 150\ntap MOUSE LEFT\nmove 350 150\ntap MOUSE LEFT\nstate\n"
        "tap MOUSE RIGHT\nstate\nclose\n");
    EXPECT_THAT(out, Contains("S inventory=1"));
    EXPECT_THAT(out, Contains("S selection=0"));
    EXPECT_THAT(out, Contains("S var=cursorinv=1"));
    EXPECT_THAT(out, Contains("S var=opened=1"));
    EXPECT_THAT(out, Contains("S view=init.scn"));  // the door ignored the click
    EXPECT_THAT(out, Contains("S selection=-1"));
    EXPECT_THAT(out, Contains("S var=cursorinv=-1"));
}

TEST_F(HeadlessPlay, ConsoleRefusalsAndScreenshots) {
    auto out = play("frames 1\nconsole if a==1\nconsole echo 2+3\ntap F9\ntap F9\nclose\n");
    auto lines = console(out);
    EXPECT_THAT(lines, Contains("R Error in Cmd: if a==1"));
    EXPECT_THAT(lines, Contains("R Cannot use block statements in console"));
    EXPECT_THAT(lines, Contains("W 5"));
    EXPECT_THAT(lines, Contains("W Wrote Screenshot to shot0.jpg"));
    EXPECT_THAT(lines, Contains("W Wrote Screenshot to shot1.jpg"));
    EXPECT_TRUE(std::filesystem::exists(path("shot1.jpg")));
}

}  // namespace
