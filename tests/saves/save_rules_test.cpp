// What saving and loading promise a player, through engine-headless: a slot written
// without complaint loads, a load restores the slot's music, loads follow one another,
// and the page shows a new save at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/image/picture.h"
#include "support/headless_run.h"
#include "support/test_pictures.h"

namespace fs = std::filesystem;
using headless_test::Area;
using headless_test::GameFolder;
using headless_test::readFile;
using headless_test::runHeadless;
using headless_test::RunResult;
using headless_test::viewFile;

namespace {

const std::string kOldSlot = "2020-01-01 00:00:00\ninit.scn\nNONE 0\n1\nold 1\n0\n";

std::string clickAt(int x, int y) {
    return "move " + std::to_string(x) + " " + std::to_string(y) +
           "\nframes 2\ntap MOUSE LEFT\nframes 1\n";
}

// Saves to slot 1 on the page and leaves it; the pointer ends away from every hotspot.
std::string saveToSlotOne() {
    return "tap F5\nframes 1\n" + clickAt(100, 150) + clickAt(600, 460) +
           "move 500 300\nframes 2\n";
}

// A mono 16-bit wave of a few seconds: music that plays until stopped.
std::string musicWave() {
    const uint32_t rate = 8000, frames = rate * 4, bytes = frames * 2;
    std::string w = "RIFF";
    auto le = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) w += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    le(36 + bytes, 4);
    w += "WAVEfmt ";
    le(16, 4), le(1, 2), le(1, 2), le(rate, 4), le(rate * 2, 4), le(2, 2), le(16, 2);
    w += "data";
    le(bytes, 4);
    for (uint32_t i = 0; i < frames; ++i) le(i % 40 < 20 ? 3000 : static_cast<uint32_t>(-3000), 2);
    return w;
}

class SaveRules : public ::testing::Test {
protected:
    void SetUp() override {
        game.writeBmp("hall.bmp", 640, 480, 0x806040);
        game.write("init.scn", viewFile("hall.bmp", {{"old", 6, 0, 0, 40, 40, ""}}));
        game.write("door.wav", musicWave());
        game.write("m.wav", musicWave());
    }
    fs::path dir() const { return game.path(); }
    GameFolder game;
};

// Games made at random, some in a view that read with an error or in a file that is no
// view, with names of every kind: each save either fails in red and keeps the old slot,
// or the slot loads back into the same state.
TEST_F(SaveRules, ASlotWrittenWithoutComplaintAlwaysLoads) {
    std::mt19937 rng(17);
    const std::string letters = "ab_9.\t\x01\x7f";
    auto name = [&] {
        std::string n;
        for (int i = 0, length = 1 + static_cast<int>(rng() % 3); i < length; ++i)
            n += letters[rng() % letters.size()];
        return n;
    };
    int saved = 0, refused = 0;
    for (int round = 0; round < 14; ++round) {
        std::vector<Area> hotspots;
        for (int i = 0, n = static_cast<int>(rng() % 3); i < n; ++i)
            hotspots.push_back({i == 0 ? "h" + name() : "h", 6, 0, 50 * i, 40, 50 * i + 40, ""});
        std::string view = viewFile("hall.bmp", hotspots);
        const int kind = round % 3;  // 0 reads whole, 1 reads with an error, 2 no view
        if (kind == 1) view += "HOTSPOTSTART broken\r\nCURSOR\r\n";
        game.write("gen.scn", view);
        game.write("slot1.sav", kOldSlot);
        fs::remove(dir() / "slot1.jpg");

        std::string input = "frames 1\n";
        input += kind == 2 ? "console load door.wav\n" : "console load gen.scn\n";
        for (int i = 0, n = static_cast<int>(rng() % 3); i < n; ++i)
            input +=
                "console let v" + name() + "=" + std::to_string(static_cast<int32_t>(rng())) + "\n";
        if (!hotspots.empty() && rng() % 2) input += "console disablehs h\n";
        input += saveToSlotOne() + "state\n";
        input += "console let later=1\nconsole load init.scn\nconsole loadgame\nframes 2\nstate\n";
        RunResult run = runHeadless(game, input);
        ASSERT_EQ(run.status, 0) << run.all();
        auto blocks = run.stateBlocks();
        ASSERT_EQ(blocks.size(), 2u) << run.all();
        if (run.printed("cannot be saved")) {
            ++refused;
            EXPECT_EQ(readFile(dir() / "slot1.sav"), kOldSlot) << run.all();
            EXPECT_FALSE(fs::exists(dir() / "slot1.jpg"));
        } else {
            ++saved;
            EXPECT_FALSE(run.printed("Could not load slot 1")) << run.all();
            EXPECT_EQ(blocks[0], blocks[1]) << run.all();
        }
        for (const auto& entry : fs::directory_iterator(dir()))
            EXPECT_NE(entry.path().extension(), ".tmp") << run.all();
    }
    // Both ways were taken.
    EXPECT_GT(saved, 3);
    EXPECT_GT(refused, 1);
}

TEST_F(SaveRules, ALoadRestoresTheSlotsMusicAndLoadsFollowOneAnother) {
    struct Case {
        const char* musicLine;
        const char* before;  // console lines before the load
        int loads;
        const char* music;  // the state's music line after
    };
    const Case cases[] = {
        {"m.wav 0", "playmusic m.wav", 1, "m.wav 0"},  // flag 0 starts nothing, stops what played
        {"NONE 1", "playmusic m.wav", 1, "NONE 0"},    // "NONE" plays nothing
        {"door.wav 1", "playmusic m.wav", 1, "door.wav 1"},
        {"m.wav 1", "", 2, "m.wav 1"},  // the second load restores too
    };
    for (const Case& c : cases) {
        game.write("slot1.sav", std::string("2026-01-02 03:04:05\ninit.scn\n") + c.musicLine +
                                    "\nold 0\n1\nx 1\n0\n");
        std::string input = "frames 1\n";
        if (*c.before) input += std::string("console ") + c.before + "\nframes 2\n";
        for (int i = 0; i < c.loads; ++i)
            input += "console let x=5\nconsole enablehs old\nconsole loadgame\nframes 2\n";
        input += "state\n";
        RunResult run = runHeadless(game, input);
        EXPECT_EQ(run.state("music"), c.music) << c.musicLine << "\n" << run.all();
        EXPECT_TRUE(run.has("S var=x=1")) << c.musicLine << "\n" << run.all();
        EXPECT_TRUE(run.has("S hotspot=old 0 1 6")) << c.musicLine;
        EXPECT_FALSE(run.printed("being restored already")) << run.all();
    }
}

// The page after a save shows the new picture in the frame after the click, at the
// slot's place only; pictures of slot files larger than the loader takes stay black.
TEST_F(SaveRules, ThePageShowsTheNewThumbnailAtOnceInItsPlace) {
    // A picture of slot 2 exactly at the size limit and one of slot 3 a byte over.
    game.writeBmp("grey.bmp", 160, 120, 0xFFFFFF);
    Picture white;
    ASSERT_TRUE(testPictureFormats().readFile((dir() / "grey.bmp").string(), white));
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(testPictureFormats().encode(ImageReader::Jpeg, white, 90, jpeg));
    const size_t limit = 256u << 10;
    for (int slot : {2, 3}) {
        std::string bytes(jpeg.begin(), jpeg.end());
        bytes.resize(limit + (slot == 3 ? 1 : 0), '\0');  // decoders stop at the end marker
        game.write("slot" + std::to_string(slot) + ".jpg", bytes);
        game.write("slot" + std::to_string(slot) + ".sav", kOldSlot);
    }
    RunResult run = runHeadless(
        game, "frames 1\ntap F5\nframes 1\n" + clickAt(450 + 80, 290 + 60) + "shot page.bmp\n");
    ASSERT_EQ(run.status, 0) << run.all();
    Picture shot;
    ASSERT_TRUE(testPictureFormats().readFile((dir() / "page.bmp").string(), shot)) << run.all();
    auto green = [&](int position) {
        const int x = (position % 3) * 210 + 30 + 80, y = (position / 3) * 190 + 100 + 60;
        return static_cast<int>(shot.row(y)[x * 3 + 1]);
    };
    // The view's grey: (0x80 * 77 + 0x60 * 150 + 0x40 * 29) >> 8, about 100.
    const int expected[6] = {0, 255, 0, 0, 0, 100};
    for (int position = 0; position < 6; ++position)
        EXPECT_NEAR(green(position), expected[position], 6) << "position " << position + 1;
}

// What a crash left is put right when the game starts, before the page or a load sees it.
TEST_F(SaveRules, StartUpFinishesOrUndoesAnInterruptedSave) {
    const std::string fresh = "2026-05-05 05:05:05\ninit.scn\nNONE 0\n0\n0\n";
    for (bool pictureMoved : {true, false}) {  // the crash came after the picture's rename
        game.write("slot1.sav", kOldSlot);
        game.write(pictureMoved ? "slot1.jpg" : "slot1.jpg.tmp", "new picture");
        game.write("slot1.sav.tmp", fresh);
        RunResult run = runHeadless(game, "frames 1\n");
        EXPECT_EQ(readFile(dir() / "slot1.sav"), pictureMoved ? fresh : kOldSlot) << run.all();
        EXPECT_FALSE(fs::exists(dir() / "slot1.sav.tmp"));
        EXPECT_FALSE(fs::exists(dir() / "slot1.jpg.tmp"));
        fs::remove(dir() / "slot1.jpg");
    }
}

}  // namespace
