// Looping overlay movies: the commands, the per-frame update onto the back buffer, the
// restart at the end, and their sound in the mix.
#include "scene_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class OverlayMovies : public SceneTest {};

TEST_F(OverlayMovies, NameInUseIsReportedWithoutTheAddingLine) {
    writeMovie("m.mpg", 10);
    run({"addoverlaymovie m m.mpg 0 0 160 120", "addoverlaymovie m m.mpg 0 0 160 120"});
    EXPECT_THAT(texts(),
                ElementsAre("Adding looped overlay movie: m.mpg",
                            "Error in Cmd: addoverlaymovie m m.mpg 0 0 160 120", "Name in use"));
    EXPECT_THAT(scene().overlays().movieNames(), ElementsAre("m"));
}

TEST_F(OverlayMovies, ChecksAndDeletion) {
    writeMovie("m.mpg", 10);
    run({"addoverlaymovie m m.mpg 0 0 160", "addoverlaymovie m gone.mpg 0 0 160 120",
         "deloverlaymovie nothere", "deloverlaymovie", "addoverlaymovie b m.mpg 0 0 16 12",
         "addoverlaymovie a m.mpg 0 0 16 12"});
    EXPECT_THAT(
        texts(),
        ElementsAre("Error in Cmd: addoverlaymovie m m.mpg 0 0 160", "Too few arguments",
                    "Error in Cmd: addoverlaymovie m gone.mpg 0 0 160 120", "Cannot find file",
                    "Error in Cmd: deloverlaymovie nothere", "Movie not found",
                    "Error in Cmd: deloverlaymovie", "Too few arguments",
                    "Adding looped overlay movie: m.mpg", "Adding looped overlay movie: m.mpg"));
    EXPECT_THAT(scene().overlays().movieNames(), ElementsAre("a", "b"));
    lines.clear();
    run({"deloverlaymovie b"});
    EXPECT_THAT(texts(), ElementsAre("Deleting overlay movie: b"));
    EXPECT_THAT(scene().overlays().movieNames(), ElementsAre("a"));
}

TEST_F(OverlayMovies, AFileThatIsNoMovieIsNamedAndStillTakesItsName) {
    write("junk.mpg", std::string(4000, 'x'));
    run({"addoverlaymovie j junk.mpg 0 0 64 48"});
    EXPECT_THAT(texts(), ElementsAre("Adding looped overlay movie: junk.mpg",
                                     "Could not play junk.mpg: Not a movie file"));
    EXPECT_THAT(scene().overlays().movieNames(), ElementsAre("j"));
    g().screen->back().fill(pixel(0x0000FF));
    scene().overlays().updateMovies(g().screen->back());
    EXPECT_EQ(at(10, 10), pixel(0x0000FF));  // it draws nothing
    run({"deloverlaymovie j"});
    EXPECT_THAT(scene().overlays().movieNames(), IsEmpty());
}

// Each Play frame draws the picture due at (x, y), scaled, over the backdrop and under
// the images; after its last picture the movie starts again at its first.
TEST_F(OverlayMovies, EveryFrameShowsThePictureDueAndTheMovieLoops) {
    writeMovie("m.mpg", 25);  // one second
    writePicture("red.bmp", 20, 20, 0xC02020);
    run({"addoverlaymovie m m.mpg 100 50 320 240", "addoverlayimage r red.bmp 90 40 0"});
    std::vector<int> shown;
    for (int i = 0; i < 150; ++i) {
        playFrame();
        shown.push_back(numberIn(100, 50, 320, 240));
        EXPECT_EQ(at(95, 45), pixel(0xC02020));
    }
    // 10 ms frames: the picture changes every 40 ms.
    for (int i = 0; i < 100; ++i) EXPECT_EQ(shown[i], i / 4) << i;
    EXPECT_EQ(shown[99], 24);
    EXPECT_EQ(shown[100], 0);
    EXPECT_EQ(shown[104], 1);
    EXPECT_EQ(at(99, 300), 0u);  // nothing outside its rectangle
}

TEST_F(OverlayMovies, MoviesDrawInNameOrderSoTheLastNameIsOnTop) {
    writeMovie("m.mpg", 25);
    run({"addoverlaymovie zz m.mpg 0 0 160 120", "addoverlaymovie aa m.mpg 0 0 320 240"});
    for (int i = 0; i < 30; ++i) playFrame();
    // "zz" covers the top-left quarter of "aa" (whose cells there would read 255).
    EXPECT_EQ(numberIn(0, 0, 160, 120), 7);
    EXPECT_NE(numberIn(0, 0, 320, 240), 7);
}

TEST_F(OverlayMovies, TheSoundTrackIsInTheMixUntilTheMovieIsDeleted) {
    addMixer();
    writeMovie("s.mpg", 50, 160, 120, true);
    run({"addoverlaymovie s s.mpg 0 0 160 120"});
    for (int i = 0; i < 30; ++i) playFrame();
    run({"deloverlaymovie s"});
    for (int i = 0; i < 30; ++i) playFrame();
    std::vector<int16_t> samples = heard();
    ASSERT_EQ(samples.size(), 60u * 441 * 2);
    auto loudest = [&](size_t from, size_t to) {
        int peak = 0;
        for (size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(int(samples[i])));
        return peak;
    };
    EXPECT_GT(loudest(10 * 882, 30 * 882), 8000);  // the tone, at half scale
    EXPECT_EQ(loudest(31 * 882, 60 * 882), 0);
}

// The same frames on the virtual clock give the same pictures, with and without the mix
// taking the movie's sound.
TEST_F(OverlayMovies, PicturesFollowTheClockWhetherOrNotTheMixReadsTheSound) {
    writeMovie("s.mpg", 50, 160, 120, true);
    std::vector<int> quiet, mixed;
    run({"addoverlaymovie s s.mpg 0 0 160 120"});
    for (int i = 0; i < 60; ++i) {
        playFrame();
        quiet.push_back(numberIn(0, 0, 160, 120));
    }
    run({"deloverlaymovie s"});
    addMixer();
    run({"addoverlaymovie s s.mpg 0 0 160 120"});
    for (int i = 0; i < 60; ++i) {
        playFrame();
        mixed.push_back(numberIn(0, 0, 160, 120));
    }
    EXPECT_EQ(quiet, mixed);
}

// A full-screen movie holds the overlay movies, picture and sound, and they go on from
// where they stood; after a wait without frames they show the picture of the clock's time.
TEST_F(OverlayMovies, AFullScreenMovieHoldsThemAndAfterAWaitTheyKeepTheClock) {
    addMixer();
    linkLongMovie("long.mpg");
    writeMovie("full.mpg", 50);  // two seconds, silent
    run({"addoverlaymovie m long.mpg 0 0 320 240"});
    for (int i = 0; i < 100; ++i) playFrame();
    const int before = numberIn(0, 0, 320, 240);
    const int heldFrom = presents;
    run({"playmovie full.mpg"});
    const int heldTo = presents;
    ASSERT_GE(heldTo - heldFrom, 200);
    playFrame();
    const int after = numberIn(0, 0, 320, 240);
    EXPECT_GE(after, before);
    EXPECT_LE(after, before + 1) << "held, not two seconds on";
    for (int i = 0; i < 30; ++i) playFrame();
    std::vector<int16_t> samples = heard();
    int during = 0;
    for (size_t i = size_t(heldFrom) * 882; i < size_t(heldTo) * 882; ++i)
        during = std::max(during, std::abs(int(samples[i])));
    EXPECT_EQ(during, 0) << "the overlay's sound waits too";
    // Its sound goes on with its picture.
    EXPECT_EQ(toneSecondIn(samples.data() + size_t(heldTo + 5) * 882, 441 * 10), after / 25);

    // A wait of three seconds: the next frame shows the picture three seconds on.
    ASSERT_TRUE(host.audio().startCapture(path("mix.wav")));
    const int beforeWait = numberIn(0, 0, 320, 240);
    host.advanceClock(3000);
    playFrame();
    EXPECT_NEAR(numberIn(0, 0, 320, 240), beforeWait + 75, 1);
    for (int i = 0; i < 10; ++i) playFrame();
    samples = heard();
    const int now = numberIn(0, 0, 320, 240);
    EXPECT_EQ(toneSecondIn(samples.data() + samples.size() - 441 * 2 * 5, 441 * 5), now / 25);
}

}  // namespace
