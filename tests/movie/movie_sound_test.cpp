// A movie's sound track as the mix takes it: in step with the pictures, restarted at a
// seek target, silent while stopped, and the pictures go on when it runs out.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "media/movie_sound_track.h"
#include "movie/movie_test_support.h"

namespace {

constexpr size_t kStepFrames = kMixRate / 100;

class MovieSoundInStep : public ::testing::TestWithParam<std::string> {};

// Each present takes 10 ms of sound; the picture drawn just before it and the tone of
// the last 50 ms taken must come from the same second of the movie. A window that
// straddles a second's edge by more than a few milliseconds reads as no clear tone, so
// judging every window that lies inside one second checks the timing closely.
TEST_P(MovieSoundInStep, SoundTakenMatchesThePictureShown) {
    MovieRig rig;
    ASSERT_TRUE(rig.open(GetParam()));
    ASSERT_NE(rig.movie.soundTrack(), nullptr);
    ASSERT_TRUE(rig.movie.play());
    ASSERT_TRUE(rig.movie.seek(3 * kSecond + 500 * kMediaTicksPerMilli));
    ASSERT_TRUE(rig.movie.resume());
    int judged = 0;
    for (int step = 0; step < 400; ++step) {
        ASSERT_TRUE(rig.movie.renderFrame());
        int ms = 3500 + step * 10;
        EXPECT_EQ(rig.shown(), ms / 40);
        rig.present();
        ASSERT_EQ(rig.heard.size(), (step + 1) * kStepFrames * kMixChannels) << "underrun";
        // The window [ms - 40, ms + 10).
        if (step < 4 || (ms - 40) / 1000 != (ms + 9) / 1000) continue;
        const int16_t* window = rig.heard.data() + (step - 4) * kStepFrames * kMixChannels;
        EXPECT_EQ(toneSecondIn(window, 5 * kStepFrames), ms / 1000) << ms;
        ++judged;
    }
    EXPECT_GT(judged, 300);
    // Each side as it is in the file: the right inverted, at half the level of the left.
    double leftPower = 0, rightPower = 0, product = 0;
    for (size_t i = 0; i + 1 < rig.heard.size(); i += 2) {
        leftPower += double(rig.heard[i]) * rig.heard[i];
        rightPower += double(rig.heard[i + 1]) * rig.heard[i + 1];
        product += double(rig.heard[i]) * rig.heard[i + 1];
    }
    EXPECT_NEAR(std::sqrt(rightPower / leftPower), 0.5, 0.05);
    EXPECT_LT(product / std::sqrt(leftPower * rightPower), -0.95);
}

INSTANTIATE_TEST_SUITE_P(Containers, MovieSoundInStep,
                         ::testing::Values("mpeg", "h264", "vp8", "vp9", "theora"),
                         [](const auto& info) { return info.param; });

// The sample where the tone steps from one second's pitch to the next: the first rising
// zero crossing after which the periods are those of `second`'s pitch. -1 if none.
long edgeOf(const std::vector<int16_t>& heard, int second) {
    const double period = kMixRate / toneFrequency(second);
    const double before = kMixRate / toneFrequency(second - 1);
    std::vector<long> rising;
    for (size_t i = 1; i < heard.size() / kMixChannels; ++i) {
        if (heard[2 * (i - 1)] < 0 && heard[2 * i] >= 0) rising.push_back(static_cast<long>(i));
    }
    for (size_t i = 0; i + 3 < rising.size(); ++i) {
        bool ok = true;
        for (size_t k = i; k < i + 3; ++k) {
            ok &= std::abs((rising[k + 1] - rising[k]) - period) < (before - period) / 2;
        }
        if (ok) return rising[i];
    }
    return -1;
}

// After a seek the second's edge must fall at the right sample of the sound taken. (Opus
// in WebM is left out: its encoder delay comes back from FFmpeg 6.5 ms off.)
TEST(MovieSound, SeekRestartsTheSoundAtTheTarget) {
    for (const char* name : {"mpeg", "h264", "vp8", "theora"}) {
        MovieRig rig;
        ASSERT_TRUE(rig.open(name));
        ASSERT_TRUE(rig.movie.play());
        ASSERT_TRUE(rig.movie.seek(2 * kSecond + 700 * kMediaTicksPerMilli));
        ASSERT_TRUE(rig.movie.resume());
        for (int i = 0; i < 50; ++i) {
            rig.movie.renderFrame();
            rig.present();
        }
        ASSERT_EQ(rig.heard.size(), 50 * kStepFrames * kMixChannels);
        EXPECT_NEAR(edgeOf(rig.heard, 3) * 1000.0 / kMixRate, 300.0, 1.0) << name;
    }
}

TEST(MovieSound, StoppedOrReleasedTheTrackGivesNothing) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg"));
    std::shared_ptr<AudioStream> track = rig.movie.soundTrack();
    ASSERT_NE(track, nullptr);
    std::vector<int16_t> buffer(kStepFrames * kMixChannels);
    EXPECT_EQ(track->read(buffer.data(), kStepFrames), 0u);  // opened, not playing
    ASSERT_TRUE(rig.movie.play());
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(track->read(buffer.data(), kStepFrames), kStepFrames);
    rig.movie.stop();
    EXPECT_EQ(track->read(buffer.data(), kStepFrames), 0u);
    rig.movie.resume();
    EXPECT_EQ(track->read(buffer.data(), kStepFrames), kStepFrames);
    // The mix may hold the track past the movie's life.
    rig.movie.release();
    EXPECT_EQ(track->read(buffer.data(), kStepFrames), 0u);
}

TEST(MovieSound, SilentMoviesHaveNoTrackAndRunOnTheEngineClock) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("mpeg4"));
    EXPECT_EQ(rig.movie.soundTrack(), nullptr);
    ASSERT_TRUE(rig.movie.play());
    rig.clock.advanceMillis(2000);
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 50);
}

// A track no mix reads (a silent engine) neither holds the pictures back nor piles up.
TEST(MovieSound, AnUnreadTrackStaysSmallAndInStep) {
    MovieRig rig;
    rig.mixing = false;
    ASSERT_TRUE(rig.open("mpeg"));
    ASSERT_TRUE(rig.movie.play());
    for (int i = 0; i < 600; ++i) {
        ASSERT_TRUE(rig.movie.renderFrame());
        rig.present();
    }
    ASSERT_TRUE(rig.movie.renderFrame());
    EXPECT_EQ(rig.shown(), 150);
    // A mix that starts reading now hears second 6.
    rig.mixing = true;
    for (int i = 0; i < 10; ++i) rig.present();
    EXPECT_EQ(toneSecondIn(rig.heard.data(), 10 * kStepFrames), 6);
}

// The sound of "short-sound" ends after 4 s: the mix hears silence after it, and the
// pictures play on to the end at their pace.
TEST(MovieSound, PicturesGoOnWhenTheSoundRunsOut) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("short-sound"));
    std::vector<int> shown = rig.playRange(-1, -1);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), kFixtureFrames - 1);
    EXPECT_NEAR(static_cast<double>(shown.size()), kFixtureFrames * 4.0, 4.0);
    const size_t frames = rig.heard.size() / kMixChannels;
    ASSERT_GT(frames, size_t{kMixRate} * 5);
    EXPECT_EQ(toneSecondIn(rig.heard.data() + kMixRate * 7 / 2 * kMixChannels, kMixRate / 10), 3);
    for (size_t i = kMixRate * 41 / 10 * kMixChannels; i < rig.heard.size(); ++i) {
        ASSERT_EQ(rig.heard[i], 0) << i;
    }
}

// A stretch without sound at the start (the sound starts at 6 s, say) is silence, not a
// reason to hold the pictures.
TEST(MovieSound, PicturesDoNotWaitForSoundThatComesLater) {
    MovieRig rig;
    ASSERT_TRUE(rig.open("late-sound"));
    ASSERT_TRUE(rig.movie.play());
    for (int i = 0; i < 400; ++i) {
        ASSERT_TRUE(rig.movie.renderFrame());
        ASSERT_EQ(rig.shown(), i / 4);
        rig.present();
    }
    ASSERT_EQ(rig.heard.size(), 400u * kStepFrames * kMixChannels);
    EXPECT_EQ(rig.heard[kMixRate * kMixChannels], 0);
    // And the sound, when it comes, in step.
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(rig.movie.renderFrame());
        rig.present();
    }
    EXPECT_EQ(toneSecondIn(rig.heard.data() + kMixRate * 13 / 2 * kMixChannels, kMixRate / 10), 6);
}

// A mix on its own thread reading while the main thread plays: the pictures follow the
// sound taken, which the engine clock here does not move at all. The mix takes only what
// is there, as a device the engine keeps fed does (a starved one moves the time on).
TEST(MovieSound, PicturesFollowAMixOnAnotherThread) {
    MovieRig rig;
    rig.mixing = false;
    ASSERT_TRUE(rig.open("mpeg"));
    std::shared_ptr<AudioStream> track = rig.movie.soundTrack();
    auto* sound = dynamic_cast<MovieSoundTrack*>(track.get());
    ASSERT_NE(sound, nullptr);
    ASSERT_TRUE(rig.movie.play());
    ASSERT_TRUE(rig.movie.renderFrame());
    std::atomic<size_t> taken{0};
    std::atomic<bool> done{false};
    std::thread mix([&] {
        std::vector<int16_t> buffer(1024 * kMixChannels);
        while (!done && taken < size_t{kMixRate} * 2) {
            if (sound->heldFrames() >= 1024) taken += track->read(buffer.data(), 1024);
            std::this_thread::yield();
        }
    });
    int last = 0;
    for (int i = 0; i < 200000 && taken < size_t{kMixRate} * 2; ++i) {
        ASSERT_TRUE(rig.movie.renderFrame());
        int picture = rig.shown();
        ASSERT_GE(picture, last);
        last = picture;
    }
    done = true;
    mix.join();
    ASSERT_TRUE(rig.movie.renderFrame());
    // The picture follows the sound taken, behind it by at most two reads of the mix.
    const size_t frames = taken;
    EXPECT_LE(rig.shown(), static_cast<int>(frames * 25 / kMixRate));
    EXPECT_GE(rig.shown(), static_cast<int>((frames - 2048) * 25 / kMixRate));
}

}  // namespace
