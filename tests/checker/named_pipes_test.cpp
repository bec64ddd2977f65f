// A named pipe called like a game file: the checker says the engine does not read it,
// and never opens it (reading a pipe waits for a writer).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "checker_test_support.h"

namespace {

using namespace checker_test;

TEST(CheckerNamedPipes, AreNamedAsFilesTheEngineDoesNotRead) {
    headless_test::GameFolder game;
    writeEngineFiles(game);
    for (const char* name : {"lamp.bmp", "fire.bmp", "door.wav", "theme.ogg", "intro.mpg",
                             "room.bmp", "pointidle.bmp", "pookie.ttf"}) {
        std::filesystem::remove(game.path() / name);
        ASSERT_EQ(mkfifo((game.path() / name).c_str(), 0600), 0) << name;
    }
    game.write("init.scn", view("addoverlayimage lamp lamp.bmp 1 2 3\n"
                                "addoverlayanim fire fire.bmp 0 0 64 64 3 100 1\n"
                                "playsound door.wav\nplaymusic theme.ogg\nplaymovie intro.mpg\n",
                                "", "room.bmp"));
    const std::string why =
        "not a regular file (a pipe, a device or a folder): the engine reads only regular files";
    const std::vector<std::string> expected = {
        "init.scn:2: error: cannot decode base image 'room.bmp': " + why,
        "init.scn:4: error: overlay picture 'lamp.bmp' is " + why,
        "init.scn:5: error: frame sheet 'fire.bmp' is " + why,
        "init.scn:6: error: sound 'door.wav' is " + why,
        "init.scn:7: error: music 'theme.ogg' is " + why,
        "init.scn:8: error: movie 'intro.mpg' is " + why,
    };
    EXPECT_EQ(checkGame(game, "init.scn"), expected);
    const std::vector<std::string> fixed = checkGame(game, "pointidle.bmp");
    ASSERT_EQ(fixed.size(), 1u);
    EXPECT_NE(fixed[0].find(why), std::string::npos) << fixed[0];
    const std::vector<std::string> font = checkGame(game, "pookie.ttf");
    ASSERT_EQ(font.size(), 1u);
    EXPECT_NE(font[0].find(why), std::string::npos) << font[0];
}

}  // namespace
