// Every file the engine reads that is missing or cannot be decoded is named once.
#include <gtest/gtest.h>

#include "support/headless_run.h"

namespace {

using headless_test::Area;
using headless_test::GameFolder;
using headless_test::runHeadless;
using headless_test::viewFile;

int countPrinted(const headless_test::RunResult& run, const std::string& tail) {
    int n = 0;
    for (const std::string& l : run.lines)
        n += l.size() >= tail.size() && l.compare(l.size() - tail.size(), tail.size(), tail) == 0;
    return n;
}

TEST(MissingFiles, BaseImagesAfterALoadAndTheKnightSheetAreNamedOnce) {
    GameFolder game;
    game.writeBmp("hall.bmp", 640, 480, 0x203040);
    game.write("broken.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + "garbage");
    game.write("init.scn", viewFile("hall.bmp", {}));
    game.write("a.scn", viewFile("broken.jpg", {}));
    game.write("b.scn", viewFile("gone.bmp", {}));
    // "inv_knight" is entered into the item table at list position 0 on the first cycle.
    auto run = runHeadless(game,
                           "frames 1\nconsole load a.scn\nconsole load b.scn\n"
                           "console load a.scn\nconsole addinv inv_horse\n"
                           "tap MOUSE RIGHT\ntap MOUSE RIGHT\ntap MOUSE RIGHT\nframes 1\n");
    EXPECT_EQ(countPrinted(run, "Could not load broken.jpg"), 1) << run.all();
    EXPECT_EQ(countPrinted(run, "Could not load gone.bmp"), 1) << run.all();
    EXPECT_EQ(countPrinted(run, "Could not load invknight.bmp"), 1) << run.all();
    EXPECT_EQ(countPrinted(run, "Could not load hall.bmp"), 0);
}

}  // namespace
