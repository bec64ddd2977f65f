// engine-headless end to end: start-up lines, the ending, the input language's errors.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/image/bmp_writer.h"
#include "support/headless_run.h"
#include "support/painted_picture.h"
#include "support/test_pictures.h"

namespace {

using namespace headless_test;

// The pictures a complete game folder has, so start-up reports nothing missing.
void writePointerPictures(const GameFolder& game) {
    for (const char* name : {"pointidle.bmp", "pointforward.bmp", "pointbackward.bmp",
                             "pointleft.bmp", "pointright.bmp"}) {
        game.writeBmp(name, 32, 32, 0xFF00FF);
    }
    for (const char* name : {"interact.bmp", "take.bmp", "idle2forward.bmp", "idle2backward.bmp",
                             "idle2left.bmp", "idle2right.bmp", "idle2take.bmp"}) {
        game.writeBmp(name, 384, 64, 0xFF00FF);
    }
    game.writeBmp("console.bmp", 640, 151, 0x000040);
    game.writeBmp("back.bmp", 640, 480, 0x203040);
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                               game.path() / "pookie.ttf");
}

TEST(HeadlessStartUp, PrintsTheTitleLinesAndTheMissingMovie) {
    GameFolder game;
    writePointerPictures(game);
    game.write("init.scn", viewFile("back.bmp", {{"door", 2, 10, 10, 100, 100, ""}}));
    RunResult run = runHeadless(game, "state\n");
    ASSERT_EQ(run.status, 0) << run.all();
    ASSERT_GE(run.lines.size(), 4u) << run.all();
    EXPECT_EQ(run.lines[0], "W  1: VORLEN");
    EXPECT_EQ(run.lines[1], "W  2: By Nivok");
    EXPECT_EQ(run.lines[2], "R  3: Error in Cmd: playmovie nivoktit.mpg");
    EXPECT_EQ(run.lines[3], "R  4: Cannot find file");
    EXPECT_EQ(run.state("view"), "init.scn");
    EXPECT_EQ(run.state("base"), "back.bmp");
    EXPECT_TRUE(run.has("S hotspot=door 1 1 2"));
    EXPECT_EQ(run.state("mode"), "1");
    EXPECT_EQ(run.state("pointer"), "1");
    EXPECT_EQ(run.state("target"), "-1");
    EXPECT_EQ(run.state("slots"), ":0,:0,:0,:0,:0");
    EXPECT_EQ(run.state("music"), "NONE 0");
    EXPECT_EQ(run.lines.back(), "S end");
}

TEST(HeadlessStartUp, AnnouncesAnExistingTitleMovie) {
    GameFolder game;
    writePointerPictures(game);
    game.write("nivoktit.mpg", "");
    game.write("init.scn", viewFile("back.bmp", {}));
    RunResult run = runHeadless(game, "frames 2\n");
    ASSERT_EQ(run.status, 0) << run.all();
    ASSERT_GE(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[2], "W  3: Playing movie: nivoktit.mpg");
    EXPECT_EQ(run.all().find("Cannot find file"), std::string::npos) << run.all();
}

TEST(HeadlessStartUp, AnEmptyFolderStillRunsAndSaysWhatIsMissing) {
    GameFolder game;
    RunResult run = runHeadless(game, "frames 3\ntap GRAVE\nframes 2\nstate\n");
    ASSERT_EQ(run.status, 0) << run.all();
    std::string out = run.all();
    for (const char* name : {"pointidle.bmp", "interact.bmp", "console.bmp", "pookie.ttf"}) {
        EXPECT_NE(out.find(name), std::string::npos) << name << "\n" << out;
    }
    EXPECT_NE(out.find("init.scn"), std::string::npos) << out;
    EXPECT_EQ(run.state("console"), "1");
}

TEST(HeadlessModes, EscapeShowsTheEndingAndAnyKeyEndsTheRun) {
    GameFolder game;
    writePointerPictures(game);
    game.write("init.scn", viewFile("back.bmp", {}));
    RunResult run = runHeadless(game, "frames 2\ntap ESC\nstate\ntap ESC\nstate\n");
    EXPECT_EQ(run.status, 0) << run.all();
    EXPECT_EQ(run.state("mode"), "2");
    // The run ends at the second Escape: the last state is never printed.
    int ends = 0;
    for (const std::string& l : run.lines) ends += l == "S end";
    EXPECT_EQ(ends, 1) << run.all();
}

TEST(HeadlessModes, ConsoleLinesRunAsScriptsAndTypingFillsTheInput) {
    GameFolder game;
    writePointerPictures(game);
    game.write("init.scn", viewFile("back.bmp", {}));
    RunResult run = runHeadless(game,
                                "console   let x = 5  \nconsole    \ntap GRAVE\ntype let y = 7\n"
                                "tap ENTER\nstate\nclose\nstate\n");
    ASSERT_EQ(run.status, 0) << run.all();
    EXPECT_EQ(run.state("var=x"), "5") << run.all();
    EXPECT_EQ(run.state("var=y"), "7") << run.all();
    EXPECT_EQ(run.state("console"), "1");
    int ends = 0;
    for (const std::string& l : run.lines) ends += l == "S end";
    EXPECT_EQ(ends, 1);
}

TEST(HeadlessInputLanguage, MalformedCommandsStopWithStatusTwo) {
    GameFolder game;
    game.write("init.scn", viewFile("back.bmp", {}));
    for (const char* bad : {"frames x", "frames -1", "step 0", "step 1001", "down NOSUCHKEY",
                            "move 10", "shot", "jump 3", "wait soon"}) {
        RunResult run = runHeadless(game, std::string("# comment\n\nstate\n") + bad + "\nstate\n");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_NE(run.err.find("line 4"), std::string::npos) << bad << ": " << run.err;
        int ends = 0;
        for (const std::string& l : run.lines) ends += l == "S end";
        EXPECT_EQ(ends, 1) << bad;
    }
}

TEST(HeadlessInputLanguage, AMissingInputFileIsStatusTwo) {
    GameFolder game;
    std::string command = "cd '" + game.path().string() + "' && '" +
                          (buildDir() / "engine-headless").string() +
                          "' no-such-file >/dev/null 2>&1";
    int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace

namespace {

using namespace headless_test;

TEST(HeadlessShot, ShowsThePointerWhereItWasMoved) {
    GameFolder game;
    game.writeBmp("back.bmp", 640, 480, 0x204060);
    // A green pointer whose top-left pixel (the key colour) is the same green: drawn
    // keyed it would vanish, so give it a magenta corner instead.
    game.writeBmp("pointidle.bmp", 16, 16, 0x00FF00);
    {
        Picture p;
        ASSERT_TRUE(testPictureFormats().readFile((game.path() / "pointidle.bmp").string(), p));
        p.row(0)[0] = 0xFF;
        p.row(0)[1] = 0x00;
        p.row(0)[2] = 0xFF;
        ASSERT_TRUE(writeBmp24((game.path() / "pointidle.bmp").string(), p));
    }
    game.write("init.scn", viewFile("back.bmp", {}));
    RunResult run = runHeadless(game, "move 200 150\nframes 2\nshot s.bmp\nclose\n");
    ASSERT_EQ(run.status, 0) << run.all();
    Picture shot;
    ASSERT_TRUE(testPictureFormats().readFile((game.path() / "s.bmp").string(), shot)) << run.all();
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    auto rgb = [&](int x, int y) {
        const uint8_t* p = shot.row(y) + x * (shot.bitsPerPixel / 8);
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    };
    EXPECT_EQ(rgb(205, 155), 0x00FF00u);  // inside the pointer
    EXPECT_EQ(rgb(215, 165), 0x00FF00u);
    EXPECT_NE(rgb(200, 150), 0xFF00FFu);  // its key pixel is not drawn
    EXPECT_NE(rgb(190, 140), 0x00FF00u);  // the backdrop around it
    EXPECT_NE(rgb(217, 167), 0x00FF00u);
}

}  // namespace

namespace {

// The runner needs no display and no sound device, whatever SDL is told to use.
TEST(HeadlessPlatform, RunsWithNoDisplayAndNoSoundDevice) {
    headless_test::GameFolder game;
    game.write("init.scn", headless_test::viewFile("NONE", {}));
    game.write("input.txt", "frames 3\nconsole beep\nstate\n");
    std::string command = "cd '" + game.path().string() +
                          "' && env -u DISPLAY SDL_VIDEODRIVER=none SDL_AUDIODRIVER=none '" +
                          (headless_test::buildDir() / "engine-headless").string() +
                          "' input.txt >out.txt 2>err.txt";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream out(game.path() / "out.txt");
    std::string text((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("S end"), std::string::npos) << text;
}

// A first picture smaller than the screen leaves the rest black, as after a view change:
// the pointer's earlier frames must not stay behind there.
TEST(HeadlessStartUp, ASmallFirstPictureLeavesNoPointerTrails) {
    GameFolder game;
    game.writeBmp("small.bmp", 320, 240, 0x808080);
    // A white pointer; its top-left pixel's colour is the transparent one.
    writeBmp24((game.path() / "pointidle.bmp").string(), paintedPicture(32, 32, [](int x, int y) {
                   return x == 0 && y == 0 ? 0xFF00FFu : 0xFFFFFFu;
               }));
    game.write("init.scn", viewFile("small.bmp", {}));
    RunResult run = runHeadless(game,
                                "move 500 400\nframes 2\nmove 600 20\nframes 2\nmove 100 100\n"
                                "frames 2\nshot screen.bmp\n");
    ASSERT_EQ(run.status, 0) << run.all();
    Picture shot;
    ASSERT_TRUE(corePictureFormats().readFile((game.path() / "screen.bmp").string(), shot));
    auto pixel = [&](int x, int y) {
        const uint8_t* p = shot.row(y) + x * 3;
        return (p[2] << 16) | (p[1] << 8) | p[0];
    };
    // Inside the picture, and where the pointer was (its top-left corner and a little in).
    EXPECT_NE(pixel(300, 220), 0);
    for (auto [x, y] :
         {std::pair{500, 400}, {505, 405}, {600, 20}, {605, 25}, {639, 479}, {320, 0}})
        EXPECT_EQ(pixel(x, y), 0) << x << "," << y;
}

}  // namespace
