// Seeks land exactly on the picture showing at the time asked for, in every container,
// forwards and backwards, on and between picture boundaries and past the end.
#include <gtest/gtest.h>

#include "movie/movie_test_support.h"

namespace {

class MovieSeek : public ::testing::TestWithParam<std::string> {};

TEST_P(MovieSeek, LandsOnThePictureShowingAtTheTime) {
    MovieRig rig;
    ASSERT_TRUE(rig.open(GetParam()));
    ASSERT_TRUE(rig.movie.play());
    // Out of order on purpose: backwards seeks, neighbours of key frames, boundaries.
    const int64_t times[] = {7 * kSecond,
                             1230 * kMediaTicksPerMilli,
                             11960 * kMediaTicksPerMilli,
                             4999 * kMediaTicksPerMilli,
                             0,
                             2 * kSecond + kFrameTicks - 1,
                             9 * kSecond + 1,
                             6 * kSecond - kFrameTicks,
                             3 * kSecond,
                             kFrameTicks};
    for (int64_t t : times) {
        ASSERT_TRUE(rig.movie.seek(t)) << t;
        ASSERT_TRUE(rig.movie.renderFrame()) << t;
        EXPECT_EQ(rig.shown(), static_cast<int>(t / kFrameTicks)) << "at " << t;
        EXPECT_EQ(rig.movie.getPosition(), t);
    }
    // And plays on from there.
    ASSERT_TRUE(rig.movie.seek(8 * kSecond));
    ASSERT_TRUE(rig.movie.resume());
    for (int i = 0; i < 8; ++i) rig.present();
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 202);
}

TEST_P(MovieSeek, PastTheEndIsTheEnd) {
    MovieRig rig;
    ASSERT_TRUE(rig.open(GetParam()));
    ASSERT_TRUE(rig.movie.play());
    // The last picture is due until 12 s; from then on the movie has ended.
    ASSERT_TRUE(rig.movie.seek(12 * kSecond - 1));
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), kFixtureFrames - 1);
    rig.movie.seek(12 * kSecond);
    EXPECT_FALSE(rig.movie.renderFrame());
    rig.movie.seek(60 * kSecond);
    EXPECT_FALSE(rig.movie.renderFrame());
    // Back from beyond the end.
    ASSERT_TRUE(rig.movie.seek(kSecond));
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 25);
}

INSTANTIATE_TEST_SUITE_P(Containers, MovieSeek,
                         ::testing::Values("mpeg", "h264", "vp8", "vp9", "theora", "mpeg4"),
                         [](const auto& info) { return info.param; });

}  // namespace
