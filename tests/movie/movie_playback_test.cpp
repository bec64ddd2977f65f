// Playing a movie into a surface on a virtual clock: which picture shows when, the end,
// positions, stretching and the stream controls.
#include <gtest/gtest.h>

#include "movie/movie_test_support.h"

namespace {

// Every picture in order, each for its 40 ms (four presents), then the end.
TEST(MoviePlayback, ShowsEveryPictureForItsTimeThenReportsTheEnd) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    std::vector<int> shown = rig.playRange(-1, -1);
    ASSERT_EQ(shown.size(), size_t{kFixtureFrames} * 4);
    for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], static_cast<int>(i / 4)) << i;
    EXPECT_FALSE(rig.movie.renderFrame());
    EXPECT_FALSE(rig.movie.playing());
}

TEST(MoviePlayback, StartAndStopTimesShowOnlyThatPart) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    std::vector<int> shown = rig.playRange(5 * kSecond, 10 * kSecond);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 125);
    EXPECT_EQ(shown.back(), 249);
    for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], 125 + static_cast<int>(i / 4));
    EXPECT_EQ(shown.size(), 125u * 4);
    // The sound heard is the same stretch: the tone of seconds 5 to 9.
    ASSERT_EQ(rig.heard.size(), shown.size() * (kMixRate / 100) * kMixChannels);
    EXPECT_EQ(toneSecondIn(rig.heard.data() + 100 * kMixChannels, kMixRate / 10), 5);
    const size_t lastFifth = rig.heard.size() - kMixRate / 5 * kMixChannels;
    EXPECT_EQ(toneSecondIn(rig.heard.data() + lastFifth, kMixRate / 10), 9);
}

TEST(MoviePlayback, AStopPastTheEndPlaysToTheEnd) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    std::vector<int> shown = rig.playRange(11 * kSecond, 30 * kSecond);
    ASSERT_EQ(shown.size(), 25u * 4);
    EXPECT_EQ(shown.front(), 275);
    EXPECT_EQ(shown.back(), kFixtureFrames - 1);
}

TEST(MoviePlayback, PositionIsInHundredNanosecondUnits) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    ASSERT_TRUE(rig.movie.play());
    for (int i = 0; i < 120; ++i) {
        ASSERT_TRUE(rig.movie.renderFrame());
        rig.present();
    }
    EXPECT_EQ(rig.movie.getPosition(), 12000000);
    EXPECT_EQ(rig.movie.getPosition() / 1000000, 12);  // the debug line's tenths
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 30);
    // Past 2147 tenths: 64-bit times all the way.
    ASSERT_TRUE(rig.movie.seek(int64_t{3000} * 1000000));
    EXPECT_EQ(rig.movie.getPosition(), int64_t{3000} * 1000000);
    EXPECT_FALSE(rig.movie.renderFrame());
}

TEST(MoviePlayback, StretchesASmallMovieOverTheWholeTarget) {
    MovieRig rig(640, 480);
    const uint32_t marker = rig.target.format().map(255, 0, 255);
    rig.target.fill(marker);
    ASSERT_TRUE(rig.open("mpeg"));
    ASSERT_TRUE(rig.movie.play());
    rig.clock.advanceMillis(1000 * 203 / 25);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 203);
    int left = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) left += rig.target.getPixel(x, y) == marker;
    }
    EXPECT_EQ(left, 0);
    // Picture 203 = cells 0, 1, 3, 6, 7 white: the bottom-right corner cell (11) is black,
    // the top-left one white.
    EXPECT_EQ(rig.target.getPixel(639, 479), 0u);
    EXPECT_EQ(rig.target.getPixel(0, 0), rig.target.format().map(255, 255, 255));
}

TEST(MoviePlayback, DrawsInFifteenBitTargetsAndRefusesOthers) {
    MovieRig fifteen(320, 240, 15);
    ASSERT_TRUE(fifteen.open("h264"));
    ASSERT_TRUE(fifteen.movie.play());
    fifteen.clock.advanceMillis(2000);
    ASSERT_TRUE(fifteen.movie.renderFrame());
    EXPECT_EQ(fifteen.shown(), 50);

    MovieRig palette(320, 240, 8);
    EXPECT_FALSE(palette.open("mpeg"));
    EXPECT_EQ(palette.movie.error(), MovieError::kBadTarget);
    EXPECT_FALSE(palette.movie.opened());

    MovieRig none(0, 0);
    EXPECT_FALSE(none.open("mpeg"));
    EXPECT_EQ(none.movie.error(), MovieError::kBadTarget);
}

// Called faster than the picture rate, renderFrame leaves the target alone; slower, it
// skips to the picture due now.
TEST(MoviePlayback, RenderFrameAtAnyRateShowsThePictureDueNow) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    ASSERT_TRUE(rig.movie.play());
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 0);
    rig.target.putPixel(5, 5, 0x1234);
    rig.clock.advanceMillis(39);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.target.getPixel(5, 5), 0x1234u);  // not drawn again
    rig.clock.advanceMillis(1);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 1);
    rig.clock.advanceMillis(3000);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 76);
}

// The picture shown at a virtual time is the same however the calls fall, with or
// without a mix taking the sound.
TEST(MoviePlayback, PicturesAtVirtualTimesAreDeterministic) {
    for (bool mixing : {false, true}) {
        MovieRig rig;
        rig.mixing = mixing;
        ASSERT_TRUE(rig.open("mpeg"));
        ASSERT_TRUE(rig.movie.play());
        int64_t ms = 0;
        unsigned step = 7;
        while (ms < 11000) {
            ASSERT_TRUE(rig.movie.renderFrame()) << ms;
            ASSERT_EQ(rig.shown(), static_cast<int>(ms / 40)) << ms << (mixing ? " mixed" : "");
            // Steps of 10 ms while mixing (the pulled mix's step), uneven otherwise.
            step = mixing ? 10 : (step * 13 + 5) % 97;
            for (unsigned i = 0; i < step / 10; ++i) rig.present();
            rig.clock.advanceMillis(step % 10);
            ms += step;
        }
    }
}

TEST(MoviePlayback, StopResumePlayAndRewind) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    EXPECT_FALSE(rig.movie.primed());
    ASSERT_TRUE(rig.movie.play());
    EXPECT_TRUE(rig.movie.primed());
    EXPECT_TRUE(rig.movie.playing());
    rig.clock.advanceMillis(1000);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 25);

    // Stopped, the clock moves on but the movie does not; resume goes on from there.
    rig.movie.stop();
    rig.clock.advanceMillis(5000);
    EXPECT_EQ(rig.movie.getPosition(), kSecond);
    ASSERT_TRUE(rig.movie.resume());
    rig.clock.advanceMillis(400);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 35);

    // play after a stop starts again from `position`: the last seek (here none, so 0).
    rig.movie.stop();
    ASSERT_TRUE(rig.movie.play());
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 0);
    ASSERT_TRUE(rig.movie.seek(4 * kSecond));
    EXPECT_FALSE(rig.movie.playing());
    EXPECT_EQ(rig.movie.position(), 4 * kSecond);
    ASSERT_TRUE(rig.movie.play());
    rig.clock.advanceMillis(80);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 102);

    // The looping overlay's restart: stop, rewind, resume gives picture 0 again.
    rig.movie.stop();
    ASSERT_TRUE(rig.movie.rewind());
    EXPECT_EQ(rig.movie.position(), 0);
    ASSERT_TRUE(rig.movie.resume());
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 0);

    rig.movie.release();
    EXPECT_FALSE(rig.movie.opened());
    EXPECT_FALSE(rig.movie.renderFrame());
    EXPECT_FALSE(rig.movie.play());
}

// A looping overlay movie: at the end, stop, rewind, resume and render again; the picture
// shown just before the restart is the last.
TEST(MoviePlayback, LoopsBackToTheFirstPictureAfterTheLast) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("vp8"));
    ASSERT_TRUE(rig.movie.play());
    rig.clock.advanceMillis(11990);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), kFixtureFrames - 1);
    rig.present();
    ASSERT_FALSE(rig.movie.renderFrame());
    rig.movie.stop();
    ASSERT_TRUE(rig.movie.rewind());
    ASSERT_TRUE(rig.movie.resume());
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 0);
    rig.present();
    rig.present();
    rig.present();
    rig.present();
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 1);
}

}  // namespace
