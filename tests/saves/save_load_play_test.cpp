// Saving and loading through the page, as a player does it, and the loader's refusals,
// all through engine-headless.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/headless_run.h"

namespace fs = std::filesystem;
using headless_test::Area;
using headless_test::GameFolder;
using headless_test::readFile;
using headless_test::runHeadless;
using headless_test::viewFile;

namespace {

std::string clickAt(int x, int y) {
    return "move " + std::to_string(x) + " " + std::to_string(y) +
           "\nframes 2\ntap MOUSE LEFT\nframes 1\n";
}

class SaveLoad : public ::testing::Test {
protected:
    void SetUp() override {
        game.writeBmp("hall.bmp", 640, 480, 0x402010);
        game.writeBmp("other.bmp", 640, 480, 0x104020);
        game.writeBmp("saveload.bmp", 640, 480, 0x202020);
        game.write("init.scn", viewFile("hall.bmp",
                                        {{"door", 2, 100, 100, 200, 200, "load other.scn\r\n"},
                                         {"lamp", 6, 300, 100, 400, 200, ""},
                                         {"lamp", 6, 300, 300, 400, 400, ""}},
                                        "let visits=visits+1\r\n"));
        game.write("other.scn", viewFile("other.bmp", {{"back", 3, 0, 400, 640, 480, ""}}));
    }
    const fs::path& dir() const { return game.path(); }
    GameFolder game;
};

// Slot 14 is position 2 of page 3; what is saved there comes back line for line.
TEST_F(SaveLoad, SlotFourteenSavedWithClicksComesBackWhole) {
    std::string input = "frames 2\n";
    input += "console let score=-42\nconsole addinv inv_horse\nconsole disablehs lamp\n";
    input += "tap F5\nframes 1\n";
    input += clickAt(388, 467) + clickAt(388, 467);  // next page twice: page 3
    input += clickAt(320, 160);                      // position 2: slot 14
    input += clickAt(600, 460);                      // exit
    input += "move 500 450\nframes 3\nstate\n";
    input += "console let score=7\nconsole enablehs lamp\nconsole addinv inv_horse\n";
    input += "console load other.scn\nframes 2\n";
    input += "tap F6\nframes 1\n";
    input += clickAt(320, 160);  // the page kept: slot 14 again
    input += "move 500 450\nframes 3\nstate\n";
    auto run = runHeadless(game, input);
    ASSERT_EQ(run.status, 0) << run.all();
    ASSERT_TRUE(fs::exists(dir() / "slot14.sav")) << run.all();
    ASSERT_TRUE(fs::exists(dir() / "slot14.jpg"));
    auto blocks = run.stateBlocks();
    ASSERT_EQ(blocks.size(), 2u) << run.all();
    EXPECT_EQ(blocks[0], blocks[1]);
    EXPECT_THAT(blocks[1], ::testing::Contains("S page=2"));
    EXPECT_THAT(blocks[1], ::testing::Contains("S var=score=-42"));
    EXPECT_THAT(blocks[1], ::testing::Contains("S hotspot=lamp 0 1 6"));
    EXPECT_THAT(blocks[1], ::testing::Contains("S inventory=1"));

    // The file as laid out: the view as given to "load", hotspots in list order.
    std::string text = readFile(dir() / "slot14.sav");
    EXPECT_THAT(text,
                ::testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\n"
                                        "init.scn\nNONE 0\ndoor 1\nlamp 0\nlamp 0\n4\n"
                                        "cursor -1\ncursorinv -1\nscore -42\nvisits 1\n1\n1\n"));
}

TEST_F(SaveLoad, PagingWrapsIsKeptAndEmptySlotsDoNothingWhenLoading) {
    std::string input = "frames 1\ntap F6\nframes 1\n";
    input += "move 320 160\nframes 2\nstate\n";                // over an empty slot: the idle arrow
    input += clickAt(320, 160) + "state\n";                    // nothing happens
    input += clickAt(253, 467) + "state\n";                    // previous from page 1: page 5
    input += clickAt(600, 460) + "tap F5\nframes 1\nstate\n";  // leave, open again
    input += clickAt(191, 220) + clickAt(190, 220);  // just outside slot 25, then its corner
    input += "move 190 220\nframes 2\nstate\n";
    auto run = runHeadless(game, input);
    auto blocks = run.stateBlocks();
    ASSERT_EQ(blocks.size(), 5u) << run.all();
    EXPECT_THAT(blocks[0], ::testing::Contains("S mode=5"));
    EXPECT_THAT(blocks[0], ::testing::Contains("S pointer=1"));
    EXPECT_THAT(blocks[1], ::testing::Contains("S mode=5"));
    EXPECT_THAT(blocks[2], ::testing::Contains("S page=4"));
    EXPECT_THAT(blocks[3], ::testing::Contains("S page=4"));  // kept between openings
    EXPECT_THAT(blocks[3], ::testing::Contains("S mode=4"));
    EXPECT_THAT(blocks[4], ::testing::Contains("S pointer=6"));
    EXPECT_TRUE(fs::exists(dir() / "slot25.sav"));
    EXPECT_FALSE(fs::exists(dir() / "slot26.sav"));
    int saves = 0;
    for (const auto& entry : fs::directory_iterator(dir()))
        saves += entry.path().extension() == ".sav";
    EXPECT_EQ(saves, 1);  // the click at x 191 saved nothing
}

TEST_F(SaveLoad, TheLoaderRestoresInItsOrderAndTheLastRecordOfANameWins) {
    // Written by hand in the file's layout: two records for "lamp", music "NONE" playing.
    game.write("slot1.sav",
               "2026-01-02 03:04:05\r\ninit.scn\r\nNONE 1\r\ndoor 0\r\nlamp 1\r\nlamp 0\r\n"
               "2\r\nkey 1\r\nvisits -3\r\n2\r\n4\r\n1\r\n");
    auto run = runHeadless(game,
                           "frames 1\nconsole addinv inv_horse\nconsole loadgame\n"
                           "console echo visits\nstate\n");
    EXPECT_TRUE(run.printed("Loading init.scn")) << run.all();
    EXPECT_FALSE(run.printed("-> playmusic")) << run.all();  // "NONE" starts nothing
    EXPECT_TRUE(run.printed("-3"));                          // the script went on
    EXPECT_EQ(run.state("inventory"), "4,1");
    EXPECT_EQ(run.state("selection"), "-1");
    EXPECT_TRUE(run.has("S hotspot=door 0 1 2"));
    EXPECT_TRUE(run.has("S hotspot=lamp 0 1 6"));  // both lamps: the last record
    EXPECT_TRUE(run.has("S var=key=1"));
}

// A damaged slot leaves every part of the running game as it was and says why.
TEST_F(SaveLoad, DamagedSlotsChangeNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "slot1.sav: the file is empty"},
        {"2026-01-02 03:04:05\ninit.scn\nNONE 0\ndoor 1\n",
         "slot1.sav: the file ends before "
         "the variable count"},
        {"2026-01-02 03:04:05\ninit.scn\nNONE 0\n5\nx 1\n0\n",
         "slot1.sav: the variable count is larger than the entries that follow"},
        {"2026-01-02 03:04:05\ninit.scn\nNONE 0\n1\nx 99999999999\n0\n",
         "slot1.sav: line 5 is not a variable and its value"},
        {"2026-01-02 03:04:05\nnothere.scn\nNONE 0\n0\n0\n",
         "the view nothere.scn cannot be loaded"},
        {nullptr, "slot1.sav does not exist"},
    };
    for (const auto& [text, why] : cases) {
        fs::remove(dir() / "slot1.sav");
        if (text) game.write("slot1.sav", text);
        auto run = runHeadless(game,
                               "frames 1\nconsole let x=5\nconsole addinv inv_horse\n"
                               "console disablehs door\nstate\nconsole loadgame\nstate\n");
        auto blocks = run.stateBlocks();
        ASSERT_EQ(blocks.size(), 2u) << run.all();
        EXPECT_EQ(blocks[0], blocks[1]) << why;
        EXPECT_TRUE(run.printed(std::string("Could not load slot 1: ") + why)) << run.all();
    }
}

TEST_F(SaveLoad, AViewThatLoadsAGameWhileLoadingIsRefused) {
    game.write("loop.scn", viewFile("other.bmp", {}, "loadgame\r\n"));
    game.write("slot1.sav", "2026-01-02 03:04:05\nloop.scn\nNONE 0\n0\n0\n");
    auto run = runHeadless(game, "frames 1\nconsole loadgame\nstate\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.state("view"), "loop.scn");
    EXPECT_TRUE(run.printed("Could not load slot 1: a saved game is being restored already"))
        << run.all();
}

TEST_F(SaveLoad, AFailedSaveSaysSoAndKeepsTheOldSlot) {
    const std::string old = "2026-01-02 03:04:05\ninit.scn\nNONE 0\n0\n0\n";
    game.write("slot1.sav", old);
    // A crash between writing and renaming leaves at most a stray temporary file.
    game.write("slot1.sav.Ab3xYz", "2026-01-02 03:04:05\ninit.");
    fs::create_directory(dir() / "slot1.jpg");  // the picture cannot replace a folder
    auto run = runHeadless(game, "frames 1\ntap F5\nframes 1\n" + clickAt(100, 150) + "state\n");
    EXPECT_TRUE(run.printed("Could not save slot 1: cannot write slot1.jpg: Is a directory"))
        << run.all();
    EXPECT_EQ(readFile(dir() / "slot1.sav"), old);
    fs::remove(dir() / "slot1.jpg");
    run = runHeadless(game, "frames 1\nconsole let v=3\nconsole loadgame\nstate\n");
    EXPECT_FALSE(run.has("S var=v=3")) << run.all();  // the old save loaded
    EXPECT_TRUE(run.printed("Loading init.scn"));
}

// In a folder the player may not write to, the save fails with its red line.
TEST_F(SaveLoad, AReadOnlyFolderReportsTheFailure) {
    // The runner's own input and error files stay writable.
    for (const char* name : {"input.txt", "stderr.txt"}) {
        game.write(name, "");
        ASSERT_EQ(chmod((dir() / name).c_str(), 0666), 0);
    }
    ASSERT_EQ(chmod(dir().c_str(), 0555), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Root writes anywhere: run as nobody.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        auto run = runHeadless(game, "frames 1\ntap F5\nframes 1\n" + clickAt(100, 150));
        bool reported =
            run.printed("Could not save slot 1: cannot write slot1.jpg: Permission denied");
        _exit(reported && !fs::exists(dir() / "slot1.sav") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(dir().c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
