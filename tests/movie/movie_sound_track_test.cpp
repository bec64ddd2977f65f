// The sound track between decoder and mix: where pushed sound lands, what a read gives.
#include "media/movie_sound_track.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kMs = kMediaTicksPerMilli;

// `count` stereo frames, both channels equal to `value`.
std::vector<int16_t> frames(size_t count, int16_t value) {
    return std::vector<int16_t>(count * kMixChannels, value);
}

std::vector<int16_t> readFrames(MovieSoundTrack& track, size_t count) {
    std::vector<int16_t> out(count * kMixChannels, -1);
    out.resize(track.read(out.data(), count) * kMixChannels);
    return out;
}

// Times on 10 ms steps: 441 frames each.
TEST(MovieSoundTrack, PlacesSoundByItsTime) {
    MovieSoundTrack track;
    track.restart(1000 * kMs);
    track.setRunning(true);
    // Before the start: only the tail that reaches past it is kept.
    auto a = frames(882, 1);
    track.push(990 * kMs, a.data(), 882);
    EXPECT_EQ(track.heldFrames(), 441u);
    // 30 ms later than where the held sound ends: a gap of silence.
    auto b = frames(100, 2);
    track.push(1040 * kMs, b.data(), 100);
    std::vector<int16_t> out = readFrames(track, 1864);
    ASSERT_EQ(out.size(), (441u + 1323u + 100u) * kMixChannels);
    EXPECT_EQ(out[440 * 2], 1);
    EXPECT_EQ(out[441 * 2], 0);
    EXPECT_EQ(out[(441 + 1322) * 2 + 1], 0);
    EXPECT_EQ(out[(441 + 1323) * 2], 2);
    EXPECT_EQ(track.playedTime(), 1000 * kMs + 1864 * kMediaTicksPerSecond / kMixRate);
}

// Within 2 ms of contiguous: joined as is. Up to 20 ms off: joined, unless three pushes
// in a row are off by the same amount, when the timestamps win.
TEST(MovieSoundTrack, JoinsNearlyContiguousPushesAndFollowsPersistentOffsets) {
    MovieSoundTrack track;
    track.restart(0);
    track.setRunning(true);
    auto chunk = frames(441, 5);
    track.push(0, chunk.data(), 441);
    track.push(11 * kMs, chunk.data(), 441);  // 1 ms late: joined
    EXPECT_EQ(track.heldFrames(), 882u);
    track.push(30 * kMs, chunk.data(), 441);  // 10 ms late, once: joined
    track.push(30 * kMs, chunk.data(), 441);  // back in line (0 ms off)
    EXPECT_EQ(track.heldFrames(), 1764u);
    // 10 ms late three times over: the third is placed by its time, after a gap.
    track.push(50 * kMs, chunk.data(), 441);
    track.push(60 * kMs, chunk.data(), 441);
    EXPECT_EQ(track.heldFrames(), 2646u);
    track.push(70 * kMs, chunk.data(), 441);
    EXPECT_EQ(track.heldFrames(), 3087u + 441u);
    // More than 20 ms early: overlapping sound is cut.
    track.push(50 * kMs, chunk.data(), 441);
    EXPECT_EQ(track.heldFrames(), 3528u);
}

TEST(MovieSoundTrack, HoldsAtMostItsCapacity) {
    MovieSoundTrack track;
    track.restart(0);
    track.setRunning(true);
    auto second = frames(kMixRate, 3);
    const int capacitySeconds = MovieSoundTrack::kCapacityFrames / kMixRate;
    for (int s = 0; s < capacitySeconds - 1; ++s) {
        track.push(s * kMediaTicksPerSecond, second.data(), kMixRate);
    }
    // Sound whose gap would not fit is dropped whole; sound that fits is cut at the end.
    track.push(capacitySeconds * kMediaTicksPerSecond, second.data(), kMixRate);
    EXPECT_EQ(track.heldFrames(), MovieSoundTrack::kCapacityFrames - kMixRate);
    track.push((capacitySeconds - 1) * kMediaTicksPerSecond, second.data(), kMixRate);
    track.push(capacitySeconds * kMediaTicksPerSecond, second.data(), kMixRate);
    EXPECT_EQ(track.heldFrames(), MovieSoundTrack::kCapacityFrames);
    // Read out and filled again across the ring's end.
    EXPECT_EQ(readFrames(track, 3 * kMixRate).size(), size_t{3} * kMixRate * kMixChannels);
    track.restart(0);
    track.push(0, second.data(), kMixRate);
    track.push(kMediaTicksPerSecond, second.data(), kMixRate);
    EXPECT_EQ(readFrames(track, 3 * kMixRate).size(), size_t{2} * kMixRate * kMixChannels);
}

TEST(MovieSoundTrack, ReadsGiveNothingPausedClosedOrDry) {
    MovieSoundTrack track;
    EXPECT_FALSE(track.pulled());
    auto chunk = frames(100, 9);
    track.push(0, chunk.data(), 100);
    EXPECT_TRUE(readFrames(track, 50).empty());  // not running
    EXPECT_TRUE(track.pulled());
    track.setRunning(true);
    EXPECT_EQ(readFrames(track, 60).size(), 60u * kMixChannels);
    EXPECT_EQ(readFrames(track, 60).size(), 40u * kMixChannels);  // dry: what there is
    EXPECT_EQ(track.largestRead(), 60 * kMediaTicksPerSecond / kMixRate);
    // The time of what was missing passes all the same; its sound, come late, is dropped.
    EXPECT_EQ(track.playedTime(), 120 * kMediaTicksPerSecond / kMixRate);
    EXPECT_TRUE(readFrames(track, 2000).empty());
    auto late = frames(1500, 5);
    track.push(20 * kMs, late.data(), 1500);  // frames 882 on
    EXPECT_EQ(track.heldFrames(), 1500u - (2120u - 882u));
    EXPECT_EQ(readFrames(track, 1000).size(), 262u * kMixChannels);
    EXPECT_FALSE(track.exhausted());
    track.finish();
    EXPECT_TRUE(track.exhausted());
    // Finished, the track keeps no more time.
    EXPECT_TRUE(readFrames(track, 60).empty());
    EXPECT_EQ(track.playedTime(), 3120 * kMediaTicksPerSecond / kMixRate);
    track.push(100 * kMediaTicksPerSecond / kMixRate, chunk.data(), 100);  // ignored
    EXPECT_EQ(track.heldFrames(), 0u);
    track.restart(0);
    track.push(0, chunk.data(), 100);
    track.close();
    EXPECT_TRUE(readFrames(track, 60).empty());
}

TEST(MovieSoundTrack, DiscardingKeepsAnUnreadTrackInStep) {
    MovieSoundTrack track;
    track.restart(0);
    auto chunk = frames(kMixRate, 4);
    track.push(0, chunk.data(), kMixRate);
    track.discardBefore(500 * kMs);
    EXPECT_EQ(track.heldFrames(), size_t{kMixRate} / 2);
    // Past what is held: sound for the skipped time that comes later is dropped too.
    track.discardBefore(1500 * kMs);
    EXPECT_EQ(track.heldFrames(), 0u);
    track.push(kMediaTicksPerSecond, chunk.data(), kMixRate);
    EXPECT_EQ(track.heldFrames(), size_t{kMixRate} / 2);
    EXPECT_EQ(track.playedTime(), 1500 * kMs);
}

}  // namespace
