// The blocking players: "playmovie" full screen with its start and stop times and the
// debug-mode time line, "playoverlaymovie" composed over the backdrop and the overlays,
// and the sound tracks of both in the mix.
#include "engine/text_output.h"
#include "scene_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MoviePlayers : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        linkLongMovie("intro.mpg");
    }
    // The picture numbers shown full screen at every present while the line runs.
    std::vector<int> shownBy(const std::string& line) {
        std::vector<int> shown;
        onPresent = [this, &shown] { shown.push_back(numberIn(0, 0, 640, 480)); };
        run({line});
        onPresent = nullptr;
        return shown;
    }
    static int first(const std::vector<int>& v) { return v.empty() ? -1 : v.front(); }
    static int last(const std::vector<int>& v) { return v.empty() ? -1 : v.back(); }
    static bool within(const std::vector<int>& v, int lo, int hi) {
        for (int n : v)
            if (n < lo || n > hi) return false;
        return !v.empty();
    }
};

TEST_F(MoviePlayers, StartAndStopTimesShowOnlyThatPart) {
    std::vector<int> part = shownBy("playmovie intro.mpg 50 100");
    EXPECT_EQ(first(part), 125);  // 5 s at 25 pictures a second
    EXPECT_TRUE(within(part, 125, 250));
    EXPECT_GE(last(part), 249);
    EXPECT_EQ(texts().front(), "Playing movie: intro.mpg");
}

TEST_F(MoviePlayers, StartAndEndWordsLeaveATimeOpen) {
    std::vector<int> fromFive = shownBy("playmovie intro.mpg 50 END");
    EXPECT_EQ(first(fromFive), 125);
    EXPECT_EQ(last(fromFive), 299);
    std::vector<int> firstTen = shownBy("playmovie intro.mpg START 100");
    EXPECT_EQ(first(firstTen), 0);
    EXPECT_TRUE(within(firstTen, 0, 250));
    EXPECT_GE(last(firstTen), 249);
    // Times count only with exactly four words: three or five play the whole movie.
    for (const char* line : {"playmovie intro.mpg 50", "playmovie intro.mpg 50 100 200"}) {
        std::vector<int> whole = shownBy(line);
        EXPECT_EQ(first(whole), 0) << line;
        EXPECT_EQ(last(whole), 299) << line;
    }
}

TEST_F(MoviePlayers, AStopPastTheEndPlaysToTheEnd) {
    std::vector<int> shown = shownBy("playmovie intro.mpg START 200");
    EXPECT_EQ(last(shown), 299);
    EXPECT_LE(shown.size(), 1210u);
    // Past 2147 tenths a 32-bit product would turn negative and stop at once.
    shown = shownBy("playmovie intro.mpg START 2200");
    EXPECT_EQ(first(shown), 0);
    EXPECT_EQ(last(shown), 299);
    // Starts past 2^31 and 2^32 milliseconds lie past the end: nothing is shown (a time
    // wrapped to 32 bits would start near the beginning).
    for (const char* line :
         {"playmovie intro.mpg 21474837 END", "playmovie intro.mpg 42949673 END"})
        EXPECT_EQ(shownBy(line), std::vector<int>{}) << line;
}

TEST_F(MoviePlayers, ASmallMovieIsStretchedOverTheScreen) {
    // Picture 264 lights cells 3 and 8; cell 8 is the bottom-left twelfth of the screen.
    int seen = 0;
    onPresent = [&] {
        if (numberIn(0, 0, 640, 480) != 264) return;
        ++seen;
        EXPECT_EQ(at(2, 477), at(150, 330));
        EXPECT_EQ(at(2, 477), at(637, 2));
        EXPECT_NE(at(2, 477), at(637, 477));
    };
    run({"playmovie intro.mpg 105 106"});
    EXPECT_GT(seen, 0);
}

TEST_F(MoviePlayers, DebugModeWritesTheTimeInTenthsAtTheTopLeft) {
    g().debugMode = true;
    auto redMask = [this](Surface& s) {
        uint32_t red = s.format().map(255, 0, 0);
        std::vector<bool> mask;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 160; ++x) mask.push_back(s.getPixel(x, y) == red);
        return mask;
    };
    auto reference = [&](const std::string& text) {
        Surface s;
        s.create(g().screen.get(), 640, 480, kPlacementAny);
        drawTextLine(s, 0, 0, kRed, text);
        return redMask(s);
    };
    std::vector<std::vector<bool>> masks;
    onPresent = [&] { masks.push_back(redMask(g().screen->back())); };
    run({"playmovie intro.mpg START 13"});
    ASSERT_GE(masks.size(), 130u);
    std::vector<bool> twelve = reference("12 /10th sec");
    EXPECT_EQ(std::count(twelve.begin(), twelve.end(), true) > 20, true);
    // Presents 10 ms apart from 0: the one at 1.2 s is the 121st.
    EXPECT_EQ(masks[120], twelve);
    EXPECT_EQ(masks[129], twelve);
    EXPECT_EQ(masks[119], reference("11 /10th sec"));
    EXPECT_NE(masks[119], twelve);
}

// Nothing is read or handled until the movie ends, but the platform is let answer the
// desktop at every picture; what arrived meanwhile is handled afterwards.
TEST_F(MoviePlayers, NoMessageIsHandledUntilTheMovieEnds) {
    struct CountingQueue : QueuedEventSource {
        void keepAlive() override { ++kept; }
        int kept = 0;
    };
    auto queue = std::make_unique<CountingQueue>();
    CountingQueue& q = *queue;
    g().events = std::move(queue);
    q.push({WindowEvent::KeyDown, 27});  // Escape: the ending
    run({"playmovie intro.mpg START 5"});
    EXPECT_EQ(g().mode, Play);
    EXPECT_FALSE(q.empty());
    EXPECT_EQ(q.kept, presents);
    int code = 0;
    engine->pumpMessages(code);
    EXPECT_EQ(g().mode, Ending);
}

TEST_F(MoviePlayers, AMissingFileReturnsAtOnce) {
    run({"playmovie", "playmovie nothere.mpg", "playoverlaymovie intro.mpg 10 20 320",
         "playoverlaymovie nothere.mpg 10 20 320 240"});
    EXPECT_EQ(presents, 0);
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: playmovie", "Too few arguments",
                                     "Error in Cmd: playmovie nothere.mpg", "Cannot find file",
                                     "Error in Cmd: playoverlaymovie intro.mpg 10 20 320",
                                     "Too few arguments",
                                     "Error in Cmd: playoverlaymovie nothere.mpg 10 20 320 240",
                                     "Cannot find file"));
}

TEST_F(MoviePlayers, AFileThatDoesNotPlayIsNamedInRed) {
    write("junk.mpg", std::string(5000, 'j'));
    run({"playmovie junk.mpg", "playoverlaymovie junk.mpg 0 0 100 100",
         "playoverlaymovie intro.mpg 0 0 0 100"});
    EXPECT_EQ(presents, 0);
    EXPECT_THAT(
        texts(),
        ElementsAre("Playing movie: junk.mpg", "Could not play junk.mpg: Not a movie file",
                    "Playing overlay movie: junk.mpg", "Could not play junk.mpg: Not a movie file",
                    "Playing overlay movie: intro.mpg",
                    "Could not play intro.mpg: Cannot draw movie into this surface"));
    EXPECT_FALSE(events->quitPosted());
}

// A file whose one picture is damaged opens, and is then refused: it yields no picture.
TEST_F(MoviePlayers, AMovieThatYieldsNoPictureIsNamedInRed) {
    TestMovie m;
    m.muxer = "matroska";
    m.video = "mpeg4";
    m.sound.clear();
    m.frames = 1;
    m.width = 64;
    m.height = 48;
    ASSERT_EQ(writeTestMovie(path("none.mkv"), m), "");
    std::ifstream in(path("none.mkv"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    size_t picture = bytes.find(std::string("\x00\x00\x01\xB6", 4));  // its start code
    ASSERT_NE(picture, std::string::npos);
    for (size_t i = picture + 4; i < std::min(bytes.size(), picture + 204); ++i) bytes[i] = '\xFF';
    write("none.mkv", bytes);
    run({"playmovie none.mkv", "playoverlaymovie none.mkv 0 0 64 48",
         "addoverlaymovie n none.mkv 0 0 64 48"});
    EXPECT_EQ(presents, 0);
    EXPECT_THAT(texts(), ElementsAre("Playing movie: none.mkv",
                                     "Could not play none.mkv: Cannot decode movie",
                                     "Playing overlay movie: none.mkv",
                                     "Could not play none.mkv: Cannot decode movie",
                                     "Adding looped overlay movie: none.mkv",
                                     "Could not play none.mkv: Cannot decode movie"));
}

TEST_F(MoviePlayers, TheSoundTrackPlaysOnlyWhileTheMovieDoes) {
    addMixer();
    run({"playmovie intro.mpg START 10"});
    int during = presents;
    for (int i = 0; i < 20; ++i) playFrame();
    std::vector<int16_t> samples = heard();
    ASSERT_EQ(samples.size(), size_t(presents) * 882);
    int loud = 0, after = 0;
    for (size_t i = 10 * 882; i < size_t(during) * 882; ++i)
        loud = std::max(loud, std::abs(int(samples[i])));
    for (size_t i = size_t(during + 1) * 882; i < samples.size(); ++i)
        after = std::max(after, std::abs(int(samples[i])));
    EXPECT_GT(loud, 8000);
    EXPECT_EQ(after, 0);
}

// The sound heard is the sound of the picture shown, full screen and in the scene: the
// tone of the 50 ms around a picture from the middle of a second is that second's.
TEST_F(MoviePlayers, TheSoundTrackIsHeardWithItsPictures) {
    addMixer();
    struct Case {
        const char* line;
        int x, y, width, height;
    } cases[] = {{"playmovie intro.mpg 30 80", 0, 0, 640, 480},
                 {"playoverlaymovie intro.mpg 100 50 320 240", 100, 50, 320, 240}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(host.audio().startCapture(path("mix.wav")));
        std::vector<int> shown;
        onPresent = [&] { shown.push_back(numberIn(c.x, c.y, c.width, c.height)); };
        run({c.line});
        onPresent = nullptr;
        std::vector<int16_t> samples = heard();
        ASSERT_EQ(samples.size(), shown.size() * 882);
        int judged = 0;
        for (size_t k = 2; k + 3 < shown.size(); ++k) {
            if (shown[k] % 25 != 12) continue;
            EXPECT_EQ(toneSecondIn(samples.data() + (k - 2) * 882, 5 * 441), shown[k] / 25) << k;
            ++judged;
        }
        EXPECT_GE(judged, 4 * 4);
    }
}

// The in-scene player composes backdrop, images, animations and the movie; the looping
// overlay movies go on underneath, unseen.
TEST_F(MoviePlayers, TheInSceneMovieIsComposedOverTheBackdropAndTheOverlays) {
    writePicture("base.bmp", 640, 480, 0x404040);
    writePicture("red.bmp", 30, 30, 0xC02020);
    writeMovie("loop.mpg", 25);
    engine->assets().drawPictureInto("base.bmp", *scene().backdrop());
    run({"addoverlayimage r red.bmp 20 400 0", "addoverlaymovie l loop.mpg 500 20 100 80"});
    lines.clear();
    int checked = 0;
    onPresent = [&] {
        int n = numberIn(100, 50, 320, 240);
        EXPECT_GE(n, 0);
        EXPECT_EQ(at(30, 410), pixel(0xC02020));
        EXPECT_EQ(at(550, 60), pixel(0x404040));  // the looping movie is not seen
        EXPECT_EQ(at(90, 40), pixel(0x404040));
        ++checked;
    };
    run({"playoverlaymovie intro.mpg 100 50 320 240"});
    onPresent = nullptr;
    EXPECT_GE(checked, 1195);
    EXPECT_THAT(texts(), ElementsAre("Playing overlay movie: intro.mpg"));
    // It went on all along: twelve seconds of a one-second loop.
    ASSERT_NE(scene().overlays().movieNames(), std::vector<std::string>{});
    playFrame();
    EXPECT_GE(numberIn(500, 20, 100, 80), 0);
}

}  // namespace
