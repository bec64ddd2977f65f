// Files that are no playable movie: missing, empty, garbage, sound only, cut short or
// damaged. Each either fails to open with a reason or plays and ends early; none crashes
// or hangs.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "movie/movie_test_support.h"

namespace {

std::vector<char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string writeAll(const std::string& name, const std::vector<char>& bytes) {
    std::string path = scratchPath(name);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

MovieError openError(const std::string& path) {
    MovieRig rig;
    EXPECT_FALSE(rig.movie.open(path, rig.target));
    EXPECT_FALSE(rig.movie.opened());
    EXPECT_FALSE(rig.movie.play());
    EXPECT_FALSE(rig.movie.renderFrame());
    return rig.movie.error();
}

// Plays to the end; returns the highest picture number read (-1 for none; a damaged
// picture may not read at all).
int playToTheEnd(const std::string& path) {
    MovieRig rig;
    if (!rig.movie.open(path, rig.target)) return -2;
    int last = -1;
    EXPECT_TRUE(rig.movie.play());
    for (int i = 0; i < 2000 && rig.movie.renderFrame(); ++i) {
        last = std::max(last, rig.shown());
        rig.present();
    }
    EXPECT_FALSE(rig.movie.renderFrame());
    return last;
}

TEST(MovieFailure, FilesThatAreNoMovieFailToOpenWithTheirReason) {
    EXPECT_EQ(openError(scratchPath("not-there.mpg")), MovieError::kNotFound);
    EXPECT_EQ(openError(writeAll("empty.mpg", {})), MovieError::kUnreadable);
    std::vector<char> text(3000, 'x');
    EXPECT_EQ(openError(writeAll("text.mpg", text)), MovieError::kUnreadable);
    EXPECT_EQ(openError(fixtureMovie("sound-only")), MovieError::kNoVideo);
    // A container whose header is there but whose pictures are gone.
    std::vector<char> bytes = readAll(fixtureMovie("h264"));
    ASSERT_GT(bytes.size(), 4000u);
    bytes.resize(600);
    MovieError cut = openError(writeAll("header-only.mp4", bytes));
    EXPECT_TRUE(cut == MovieError::kUnreadable || cut == MovieError::kUndecodable)
        << movieErrorText(cut);
    EXPECT_STREQ(movieErrorText(MovieError::kNotFound), "Cannot find file");
}

// Cut at half its length: plays the first half (minus what the cut damages) and ends.
TEST(MovieFailure, ATruncatedMovieEndsEarly) {
    for (std::string name : {"mpeg", "vp8", "theora"}) {
        std::vector<char> bytes = readAll(fixtureMovie(name));
        bytes.resize(bytes.size() / 2);
        int last = playToTheEnd(writeAll(
            "half-" + fixtureMovie(name).substr(fixtureMovie(name).rfind('/') + 1), bytes));
        EXPECT_GT(last, 60) << name;
        EXPECT_LT(last, kFixtureFrames - 60) << name;
    }
}

// Random bytes over parts of the file: whatever plays, the movie ends and nothing breaks.
TEST(MovieFailure, ADamagedMovieStillEnds) {
    std::mt19937 random(7);
    for (std::string name : {"mpeg", "h264", "vp9", "theora", "mpeg4"}) {
        std::vector<char> bytes = readAll(fixtureMovie(name));
        for (int patch = 0; patch < 6; ++patch) {
            size_t at = random() % bytes.size();
            for (size_t i = at; i < std::min(bytes.size(), at + 200); ++i) {
                bytes[i] = static_cast<char>(random());
            }
        }
        std::string path = writeAll(
            "damaged-" + fixtureMovie(name).substr(fixtureMovie(name).rfind('/') + 1), bytes);
        int last = playToTheEnd(path);
        EXPECT_GE(last, -2) << name;
        // And seeking about in it.
        MovieRig rig;
        if (rig.movie.open(path, rig.target)) {
            for (int64_t t : {5 * kSecond, kSecond, 11 * kSecond, int64_t{0}}) {
                rig.movie.seek(t);
                rig.movie.renderFrame();
            }
        }
    }
}

}  // namespace
