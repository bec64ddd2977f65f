// A named pipe called like a game file never blocks the engine: whatever reads it (a
// command, start-up, the save and load pages) refuses it as it refuses a missing file,
// with the same lines and the same picture.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/headless_run.h"

namespace {

using namespace headless_test;

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Case {
    const char* what;
    const char* file;   // missing in one run, a named pipe in the other
    const char* input;  // ends with a shot of the screen
};

const Case kCases[] = {
    {"playsound", "door.wav", "console playsound door.wav\nframes 2\nshot screen.bmp\n"},
    {"playmusic", "theme.ogg", "console playmusic theme.ogg\nframes 2\nstate\nshot screen.bmp\n"},
    {"playmovie", "film.mpg", "console playmovie film.mpg\nframes 2\nshot screen.bmp\n"},
    {"playoverlaymovie", "film.mpg",
     "console playoverlaymovie film.mpg 10 10 100 80\nframes 2\nshot screen.bmp\n"},
    {"addoverlaymovie", "film.mpg",
     "console addoverlaymovie m film.mpg 10 10 100 80\nframes 2\nstate\nshot screen.bmp\n"},
    {"addoverlayimage", "horse.bmp",
     "console addoverlayimage h horse.bmp 10 10 1\nframes 2\nstate\nshot screen.bmp\n"},
    {"addoverlayanim", "lamp.bmp",
     "console addoverlayanim l lamp.bmp 10 10 64 64 0 100 1\nframes 2\nstate\nshot screen.bmp\n"},
    {"a view's base image", "other.bmp", "console load other.scn\nframes 2\nshot screen.bmp\n"},
    {"a fixed pointer picture", "pointidle.bmp", "move 300 200\nframes 3\nshot screen.bmp\n"},
    {"the font", "pookie.ttf", "tap GRAVE\nframes 30\nshot screen.bmp\n"},
    {"the title movie", "nivoktit.mpg", "frames 2\nshot screen.bmp\n"},
    {"a slot's state file on F5", "slot1.sav", "tap F5\nframes 40\nshot screen.bmp\n"},
    {"a slot's state file on F6", "slot1.sav", "tap F6\nframes 40\nshot screen.bmp\n"},
    {"a slot's picture on F6", "slot1.jpg", "tap F6\nframes 40\nshot screen.bmp\n"},
    {"loading a slot", "slot1.sav", "console loadgame\nframes 2\nstate\nshot screen.bmp\n"},
};

void makeGame(const GameFolder& game) {
    game.writeBmp("back.bmp", 640, 480, 0x203040);
    game.write("init.scn", viewFile("back.bmp", {}));
    game.write("other.scn", viewFile("other.bmp", {}));
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                               game.path() / "pookie.ttf");
}

TEST(NamedPipes, AreRefusedLikeMissingFiles) {
    // One saved slot, for the cases that take one of its two files away.
    GameFolder saved;
    makeGame(saved);
    RunResult save = runHeadless(saved,
                                 "tap F5\nframes 40\nmove 100 150\ntap MOUSE LEFT\n"
                                 "frames 40\n");
    ASSERT_EQ(save.status, 0) << save.all();
    ASSERT_TRUE(std::filesystem::exists(saved.path() / "slot1.sav")) << save.all();
    ASSERT_TRUE(std::filesystem::exists(saved.path() / "slot1.jpg")) << save.all();

    for (const Case& c : kCases) {
        RunResult runs[2];
        std::string shots[2];
        for (int pipe = 0; pipe < 2; ++pipe) {
            GameFolder game;
            makeGame(game);
            std::filesystem::copy_file(saved.path() / "slot1.sav", game.path() / "slot1.sav");
            std::filesystem::copy_file(saved.path() / "slot1.jpg", game.path() / "slot1.jpg");
            std::filesystem::remove(game.path() / c.file);
            if (pipe) {
                ASSERT_EQ(mkfifo((game.path() / c.file).c_str(), 0600), 0) << c.what;
            }
            // A pipe that blocked would stop the run until its time limit.
            runs[pipe] = runHeadless(game, c.input);
            shots[pipe] = fileText(game.path() / "screen.bmp");
        }
        ASSERT_EQ(runs[1].status, 0) << c.what << "\n" << runs[1].all();
        EXPECT_EQ(runs[1].lines, runs[0].lines) << c.what << "\n" << runs[1].all();
        EXPECT_FALSE(shots[1].empty()) << c.what;
        EXPECT_TRUE(shots[1] == shots[0]) << c.what << ": the screen differs";
    }
}

}  // namespace
