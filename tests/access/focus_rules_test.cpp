// The focus keys in a small game: which hotspots take the focus and in which order, a
// hotspot that stops answering losing it, and the save page's controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/headless_run.h"

namespace fs = std::filesystem;
using headless_test::runHeadless;

namespace {

class FocusRules : public ::testing::Test {
protected:
    void SetUp() override {
        game.writeBmp("b.bmp", 640, 480, 0x202020);
        game.writeBmp("end.jpg", 640, 480, 0);
        // Reading order: a (top left), c (top right, covering b), e (middle), g (bottom);
        // d is switched off, f waits for a variable.
        std::string file = "VIEW test\nBASEIMAGE b.bmp\nONLOADSTART\ndisablehs d\nONLOADEND\n";
        auto spot = [&](const char* name, int cursor, const char* coords, const char* condition,
                        const char* click) {
            file += std::string("HOTSPOTSTART ") + name + "\nCURSOR " + std::to_string(cursor) +
                    "\nCOORD " + coords + "\nONCONDITION " + condition + "\nONCLICKSTART\n" +
                    click + "ONCLICKEND\nHOTSPOTEND\n";
        };
        spot("a", 2, "(10,10),(100,10),(100,100),(10,100)", "()", "let clicked=1\n");
        spot("b", 6, "(400,20),(450,20),(450,80),(400,80)", "()", "let clicked=2\n");
        spot("c", 6, "(380,10),(500,10),(500,100),(380,100)", "()", "let clicked=3\n");
        spot("d", 6, "(200,10),(300,10),(300,100),(200,100)", "()", "let clicked=4\n");
        spot("e", 7, "(100,200),(300,200),(300,300),(100,300)", "(x==0)", "let clicked=5\n");
        spot("f", 7, "(400,200),(500,200),(500,300),(400,300)", "(x==1)", "let clicked=6\n");
        spot("g", 3, "(0,400),(639,400),(639,479),(0,479)", "()", "let clicked=7\n");
        game.write("init.scn", file);
        game.write("labels.txt", "init.scn = the test room\ninit.scn a = the first door\n");
        config = game.path() / "config";
        fs::create_directories(config / "vorlen");
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    std::vector<std::string> focusSequence(const std::string& input) {
        auto run = runHeadless(game, input + "close\n");
        std::vector<std::string> seen;
        for (const std::string& line : run.lines)
            if (line.rfind("S focus=", 0) == 0) seen.push_back(line.substr(8));
        return seen;
    }

    headless_test::GameFolder game;
    fs::path config;
};

TEST_F(FocusRules, OnlyReachableHotspotsInReadingOrder) {
    struct Case {
        const char* what;
        std::string input;
        std::vector<std::string> focus;
    };
    const std::string tab = "tap TAB\nstate\n",
                      back = "down LEFT SHIFT\ntap TAB\nup LEFT SHIFT\nstate\n";
    const Case cases[] = {
        {"nothing before a key", "frames 1\nstate\n", {""}},
        {"forward and wrapping",
         "frames 1\n" + tab + tab + tab + tab + tab,
         {"a", "c", "e", "g", "a"}},
        {"backward from none and wrapping",
         "frames 1\n" + back + back + back + back + back,
         {"g", "e", "c", "a", "g"}},
        {"a hotspot that appears joins in order",
         "frames 1\nconsole let x=1\n" + tab + tab + tab + tab,
         {"a", "c", "f", "g"}},
        {"the focused hotspot vanishing loses the focus",
         "frames 1\n" + tab + tab + tab + "console let x=1\nframes 1\nstate\n" + tab,
         {"a", "c", "e", "", "a"}},
        {"the console holds the keys", "frames 1\ntap GRAVE\n" + tab, {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(focusSequence(c.input), c.focus) << c.what;
}

TEST_F(FocusRules, EnterClicksWhereTheFocusIs) {
    struct Case {
        int tabs;
        const char* clicked;
    };
    const Case cases[] = {{1, "1"}, {2, "3"}, {3, "5"}, {4, "7"}, {5, "1"}};
    for (const Case& c : cases) {
        std::string input = "frames 1\n";
        for (int k = 0; k < c.tabs; ++k) input += "tap TAB\n";
        auto run = runHeadless(game, input + "tap ENTER\nframes 1\nstate\nclose\n");
        EXPECT_EQ(run.state("var=clicked"), c.clicked) << c.tabs << " tabs";
    }
    // Without a focus, Enter only takes it.
    auto run = runHeadless(game, "frames 1\ntap ENTER\nframes 1\nstate\nclose\n");
    EXPECT_EQ(run.state("var=clicked"), "<missing>");
    EXPECT_EQ(run.state("focus"), "a");
}

TEST_F(FocusRules, SpeechSaysLabelsAndActions) {
    auto run =
        runHeadless(game, "frames 1\ntap V\ntap TAB\ntap TAB\ntap TAB\ntap V\ntap TAB\nclose\n");
    std::vector<std::string> spoken;
    for (const std::string& line : run.lines)
        if (line.rfind("T ", 0) == 0) spoken.push_back(line.substr(2));
    EXPECT_EQ(spoken, (std::vector<std::string>{"speech on", "the first door, go forward", "c, use",
                                                "e, take", "speech off"}));
}

TEST_F(FocusRules, SavePageControls) {
    std::string input = "frames 1\ntap V\ntap F5\nframes 1\nstate\n";
    input += "tap TAB\ntap ENTER\nframes 2\nstate\n";         // slot 1 saved, still on the page
    for (int k = 0; k < 6; ++k) input += "tap TAB\n";         // past the slots to "previous page"
    input += "state\ntap TAB\ntap ENTER\nframes 1\nstate\n";  // "next page"
    input += "tap TAB\nstate\ntap ENTER\nframes 2\nstate\nclose\n";  // exit
    auto run = runHeadless(game, input);
    std::vector<std::string> focus, modes, spoken;
    for (const std::string& line : run.lines) {
        if (line.rfind("S focus=", 0) == 0) focus.push_back(line.substr(8));
        if (line.rfind("S mode=", 0) == 0) modes.push_back(line.substr(7));
        if (line.rfind("T ", 0) == 0) spoken.push_back(line.substr(2));
    }
    // Back in the view, the focus starts again at its first hotspot.
    EXPECT_EQ(focus,
              (std::vector<std::string>{"", "slot 1", "previous page", "next page", "exit", "a"}));
    EXPECT_EQ(modes, (std::vector<std::string>{"4", "4", "4", "4", "4", "1"}));
    EXPECT_TRUE(fs::exists(game.path() / "slot1.sav"));
    ASSERT_GE(spoken.size(), 4u);
    EXPECT_EQ(spoken[1], "save game, page 1");
    EXPECT_EQ(spoken[2], "slot 1, empty");
    bool page = false;
    for (const std::string& s : spoken) page = page || s == "page 2";
    EXPECT_TRUE(page);
}

}  // namespace

namespace {

// The loudest sample of each 100 ms of a 16-bit stereo WAV file written by `audio`.
std::vector<int> loudness(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t data = bytes.find("data");
    std::vector<int> out;
    if (data == std::string::npos) return out;
    const size_t start = data + 8, frame = 4, window = 4410;
    for (size_t at = start; at + frame <= bytes.size(); at += window * frame) {
        int loudest = 0;
        for (size_t i = at; i + 1 < bytes.size() && i < at + window * frame; i += 2) {
            const int16_t v = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                   (static_cast<uint8_t>(bytes[i + 1]) << 8));
            loudest = std::max(loudest, std::abs(static_cast<int>(v)));
        }
        out.push_back(loudest);
    }
    return out;
}

}  // namespace

// Speech joins the one mix: silent before, heard while an utterance lasts, silent after,
// and the same bytes in two runs.
TEST_F(FocusRules, SpeechIsHeardInTheMix) {
    const std::string input = "frames 1\naudio " + (game.path() / "a.wav").string() +
                              "\nframes 30\ntap V\nframes 300\ntap TAB\nframes 400\nclose\n";
    auto run = runHeadless(game, input);
    ASSERT_EQ(run.status, 0) << run.all();
    const std::vector<int> first = loudness(game.path() / "a.wav");
    ASSERT_GE(first.size(), 70u);
    // 0-0.3 s nothing; "speech on" from 0.32 s; the focused hotspot from 3.34 s; the
    // last second silent again.
    EXPECT_EQ(first[0], 0);
    EXPECT_EQ(first[2], 0);
    EXPECT_GT(first[4], 1000);
    EXPECT_GT(first[34], 1000);
    for (size_t i = first.size() - 10; i < first.size(); ++i) EXPECT_EQ(first[i], 0) << i;
    fs::rename(game.path() / "a.wav", game.path() / "first.wav");
    runHeadless(game, input);
    EXPECT_EQ(loudness(game.path() / "a.wav"), first);
}

namespace {

// The (B, G, R) of a pixel of a 640x480 24-bit BMP written by `shot`, as 0xRRGGBB.
uint32_t pixelOf(const std::string& b, int x, int y) {
    if (b.size() < 54) return 0xFFFFFFFF;
    const size_t offset = static_cast<uint8_t>(b[10]) | (static_cast<uint8_t>(b[11]) << 8);
    const size_t at = offset + static_cast<size_t>(479 - y) * 1920 + static_cast<size_t>(x) * 3;
    if (at + 3 > b.size()) return 0xFFFFFFFF;
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint8_t>(b[at]);
}

std::string readShot(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t shotPixel(const fs::path& file, int x, int y) {
    return pixelOf(readShot(file), x, y);
}

}  // namespace

// While H is held the reachable hotspots are outlined; d (switched off) and b (covered)
// are not, and nothing is drawn once H is let go.
TEST_F(FocusRules, HeldKeyOutlinesWhatCanBeClicked) {
    const fs::path held = game.path() / "held.bmp", after = game.path() / "after.bmp";
    auto run = runHeadless(game, "move 600 300\nframes 2\ndown H\nframes 2\nshot " + held.string() +
                                     "\nup H\nframes 2\nshot " + after.string() + "\nclose\n");
    ASSERT_EQ(run.status, 0) << run.all();
    struct Case {
        int x, y;
        bool outlined;
    };
    const Case cases[] = {{50, 10, true},    {100, 50, true},  {440, 10, true},
                          {200, 200, true},  {320, 400, true}, {250, 10, false},
                          {250, 100, false}, {425, 80, false}, {50, 50, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(shotPixel(held, c.x, c.y) == 0xFFFF00, c.outlined) << c.x << "," << c.y;
        EXPECT_NE(shotPixel(after, c.x, c.y), 0xFFFF00u) << c.x << "," << c.y;
    }
}

// The settings file's label size is the height the labels are drawn at: the label of g
// (above its top edge at y 400) grows with it and still ends above the hotspot.
TEST_F(FocusRules, LabelSizeSetsTheLabelsHeight) {
    auto inkRows = [&](int size) {
        std::ofstream(config / "vorlen" / "settings.txt") << "label size = " << size << "\n";
        const fs::path shot = game.path() / ("size" + std::to_string(size) + ".bmp");
        auto run = runHeadless(
            game, "move 600 300\nframes 2\ndown H\nframes 2\nshot " + shot.string() + "\nclose\n");
        EXPECT_EQ(run.status, 0) << run.all();
        const std::string pixels = readShot(shot);
        int first = -1, last = -1;
        for (int y = 302; y < 398; ++y)
            for (int x = 2; x < 90; ++x)
                if (pixelOf(pixels, x, y) == 0xFFFF00) {
                    if (first < 0) first = y;
                    last = y;
                    break;
                }
        return first < 0 ? 0 : last - first + 1;
    };
    const int small = inkRows(16), large = inkRows(40);
    EXPECT_GT(small, 4);
    EXPECT_GE(large, 2 * small) << small << " rows at 16, " << large << " at 40";
}
