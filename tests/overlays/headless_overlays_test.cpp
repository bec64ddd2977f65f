// engine-headless with movies and overlays: the title movie before the first view, the
// overlay names in the state report, and shots during a looping movie that are the same
// on every run.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "movie/movie_fixtures.h"
#include "platform/surface.h"
#include "support/headless_run.h"
#include "support/test_pictures.h"

namespace {

using namespace headless_test;

void writeMovie(const GameFolder& game, const std::string& name, int frames, bool sound) {
    TestMovie m;
    m.frames = frames;
    m.width = 160;
    m.height = 120;
    if (!sound) m.sound.clear();
    ASSERT_EQ(writeTestMovie((game.path() / name).string(), m), "");
}

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The picture number a shot shows in a rectangle, or -1.
int numberInShot(const std::filesystem::path& file, int x, int y, int width, int height) {
    Picture shot;
    if (!testPictureFormats().readFile(file.string(), shot)) return -2;
    Surface whole, part;
    if (whole.fromPicture(shot, PixelFormat::ofType(16)) < 0) return -2;
    part.create(PixelFormat::ofType(16), width, height);
    Rect r{x, y, x + width, y + height};
    whole.draw(part, 0, 0, &r);
    return frameNumberIn(part);
}

TEST(HeadlessMovies, TheTitleMoviePlaysBeforeTheFirstView) {
    GameFolder game;
    writeMovie(game, "nivoktit.mpg", 50, true);
    game.writeBmp("back.bmp", 640, 480, 0xFFFFFF);
    game.write("init.scn", viewFile("back.bmp", {}, "echo startedview"));
    RunResult run = runHeadless(game, "frames 1\nshot a.bmp\nstate\n");
    ASSERT_EQ(run.status, 0) << run.all();
    int title = -1, view = -1;
    for (size_t i = 0; i < run.lines.size(); ++i) {
        if (run.lines[i].find("Playing movie: nivoktit.mpg") != std::string::npos) title = int(i);
        if (run.lines[i].find("startedview") != std::string::npos && view < 0) view = int(i);
    }
    ASSERT_GE(title, 0) << run.all();
    EXPECT_LT(title, view);
    EXPECT_FALSE(run.printed("Cannot find file")) << run.all();
    EXPECT_FALSE(run.printed("Could not play nivoktit.mpg: Not a movie file"));
    // The view (all white: every cell lit, a number the movie never shows) once the movie
    // is over.
    EXPECT_EQ(numberInShot(game.path() / "a.bmp", 0, 0, 640, 480), 4095);
}

TEST(HeadlessMovies, TheStateNamesTheOverlaysInDrawingOrder) {
    GameFolder game;
    writeMovie(game, "m.mpg", 10, false);
    game.writeBmp("p.bmp", 16, 16, 0x808080);
    game.write(
        "init.scn",
        viewFile("p.bmp", {},
                 "addoverlayimage a p.bmp 0 0 5\r\naddoverlayimage b p.bmp 0 0 1\r\n"
                 "addoverlayimage c p.bmp 0 0 5\r\naddoverlayanim x p.bmp 0 0 8 8 0 10 2\r\n"
                 "addoverlayanim y p.bmp 0 0 8 8 0 10 1\r\n"
                 "addoverlaymovie zed m.mpg 0 0 16 16\r\naddoverlaymovie alf m.mpg 0 0 16 16"));
    RunResult run = runHeadless(game, "state\nconsole deloverlaymovie zed\nstate\n");
    ASSERT_EQ(run.status, 0) << run.all();
    EXPECT_TRUE(run.has("S images=c,a,b")) << run.all();
    EXPECT_TRUE(run.has("S anims=x,y"));
    EXPECT_TRUE(run.has("S movies=alf,zed"));
    EXPECT_TRUE(run.has("S movies=alf"));
}

TEST(HeadlessMovies, ShotsDuringAnOverlayMovieAreTheSameOnEveryRun) {
    GameFolder game;
    writeMovie(game, "m.mpg", 50, true);
    game.writeBmp("back.bmp", 640, 480, 0x203040);
    game.writeBmp("p.bmp", 20, 20, 0xC00000);
    game.write("init.scn", viewFile("back.bmp", {},
                                    "addoverlaymovie m m.mpg 100 100 320 240\r\n"
                                    "addoverlayimage p p.bmp 80 80 0"));
    const std::string input =
        "move 639 479\nframes 23\nshot a.bmp\nframes 40\nshot b.bmp\nwait 1000\nframes 1\n"
        "shot c.bmp\n";
    RunResult first = runHeadless(game, input);
    ASSERT_EQ(first.status, 0) << first.all();
    std::string a = bytesOf(game.path() / "a.bmp"), b = bytesOf(game.path() / "b.bmp");
    std::string c = bytesOf(game.path() / "c.bmp");
    RunResult second = runHeadless(game, input);
    ASSERT_EQ(second.status, 0);
    EXPECT_EQ(bytesOf(game.path() / "a.bmp"), a);
    EXPECT_EQ(bytesOf(game.path() / "b.bmp"), b);
    EXPECT_EQ(bytesOf(game.path() / "c.bmp"), c);
    // Frames 10 ms apart from the first one after start-up (at 0 ms).
    EXPECT_EQ(numberInShot(game.path() / "a.bmp", 100, 100, 320, 240), 22 / 4);
    EXPECT_EQ(numberInShot(game.path() / "b.bmp", 100, 100, 320, 240), 62 / 4);
    // A wait runs the mix on, but the movie keeps to the sound it has decoded ahead.
    EXPECT_GT(numberInShot(game.path() / "c.bmp", 100, 100, 320, 240), 62 / 4);
}

}  // namespace
