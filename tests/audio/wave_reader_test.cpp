// The wave reader: the layouts it takes, the conversion to the mix format, and every
// malformed file refused with its reason — each limit at n and n+1.
#include "media/wave_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "audio/audio_fixtures.h"
#include "media/audio_stream.h"

namespace {

std::string refusal(const Bytes& file) {
    WaveSound sound;
    std::string error;
    if (readWave(file.data(), file.size(), sound, error)) return "accepted";
    EXPECT_TRUE(sound.mix.empty());
    return error;
}

WaveSound accepted(const Bytes& file) {
    WaveSound sound;
    std::string error;
    EXPECT_TRUE(readWave(file.data(), file.size(), sound, error)) << error;
    return sound;
}

const Bytes kFmt = chunk("fmt ", formatBody(1, 2, kMixRate, 16));
const Bytes kData = chunk("data", le16({100, -100, 200, -200}));

TEST(WaveLayout, StereoAtTheMixRateIsTakenAsItIs) {
    WaveSound s = accepted(riff({kFmt, kData}));
    EXPECT_EQ(s.mix, (std::vector<int16_t>{100, -100, 200, -200}));
    EXPECT_EQ(s.format.rate, 44100u);
}

TEST(WaveLayout, ChunksBeforeDataAreSkippedWithTheirPadding) {
    Bytes fact = chunk("fact", {2, 0, 0, 0});
    Bytes list = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});  // odd: one pad byte follows
    EXPECT_EQ(accepted(riff({kFmt, fact, kData})).frames(), 2u);
    EXPECT_EQ(accepted(riff({kFmt, list, kData})).mix[0], 100);
    EXPECT_EQ(accepted(riff({kFmt, fact, list, fact, kData})).mix[3], -200);
    // Without the pad byte the next chunk is not where RIFF says it is.
    EXPECT_EQ(refusal(riff({kFmt, chunk("LIST", {1, 2, 3}, false), kData})), "no data chunk");
    // An odd format chunk is padded too.
    Bytes fmt17 = formatBody(1, 2, kMixRate, 16);
    fmt17.push_back(0);
    EXPECT_EQ(accepted(riff({chunk("fmt ", fmt17), kData})).frames(), 2u);
    // Chunks after the data are not looked at.
    EXPECT_EQ(accepted(riff({kFmt, kData, chunk("LIST", {9})})).frames(), 2u);
}

TEST(WaveLayout, EightBitAndMonoBecomeSixteenBitStereo) {
    WaveSound s = accepted(pcmWave(1, kMixRate, 8, {0, 128, 255}));
    EXPECT_EQ(s.mix, (std::vector<int16_t>{-32768, -32768, 0, 0, 32512, 32512}));
    s = accepted(pcmWave(2, kMixRate, 8, {0, 255}));
    EXPECT_EQ(s.mix, (std::vector<int16_t>{-32768, 32512}));
    s = accepted(pcmWave(1, kMixRate, 16, le16({-5, 7})));
    EXPECT_EQ(s.mix, (std::vector<int16_t>{-5, -5, 7, 7}));
}

TEST(WaveLayout, OtherRatesAreResampledLinearly) {
    // Half the mix rate: every second frame lies halfway between two of the file's.
    WaveSound s = accepted(pcmWave(1, kMixRate / 2, 16, le16({0, 1000, -1000})));
    EXPECT_EQ(s.mix,
              (std::vector<int16_t>{0, 0, 500, 500, 1000, 1000, 0, 0, -1000, -1000, -1000, -1000}));
    // Twice the mix rate keeps every second frame.
    s = accepted(pcmWave(2, kMixRate * 2, 16, le16({1, 2, 3, 4, 5, 6, 7, 8})));
    EXPECT_EQ(s.mix, (std::vector<int16_t>{1, 2, 5, 6}));
    // An odd rate: one second stays one second.
    s = accepted(pcmWave(1, 8000, 8, Bytes(8000, 128)));
    EXPECT_EQ(s.frames(), 44100u);
}

TEST(WaveLayout, APartFrameAtTheEndIsLeftOut) {
    EXPECT_EQ(accepted(pcmWave(2, kMixRate, 16, {1, 0, 2, 0, 3})).frames(), 1u);
    EXPECT_EQ(accepted(pcmWave(2, kMixRate, 16, {})).frames(), 0u);
}

TEST(WaveRefusal, NotARiffWave) {
    Bytes file = riff({kFmt, kData});
    Bytes bad = file;
    bad[0] = 'X';
    EXPECT_EQ(refusal(bad), "not a RIFF WAVE file");
    bad = file;
    bad[11] = 'X';
    EXPECT_EQ(refusal(bad), "not a RIFF WAVE file");
    EXPECT_EQ(refusal(Bytes(file.begin(), file.begin() + 19)), "not a RIFF WAVE file");
    EXPECT_EQ(refusal({}), "not a RIFF WAVE file");
}

TEST(WaveRefusal, OnlyPcmIsPlayed) {
    EXPECT_EQ(refusal(riff({chunk("fmt ", formatBody(3, 2, kMixRate, 32)), kData})),
              "not a PCM wave file");
    EXPECT_EQ(refusal(riff({chunk("fmt ", formatBody(0xFFFE, 2, kMixRate, 16)), kData})),
              "not a PCM wave file");
    EXPECT_EQ(refusal(riff({chunk("fmt ", formatBody(1, 2, kMixRate, 24)), kData})),
              "neither 8 nor 16 bits a sample");
    EXPECT_EQ(refusal(riff({chunk("fmt ", formatBody(1, 3, kMixRate, 16)), kData})),
              "neither mono nor stereo");
    EXPECT_EQ(refusal(riff({chunk("fmt ", formatBody(1, 2, 0, 16)), kData})), "sample rate 0");
    Bytes fmt = formatBody(1, 2, kMixRate, 16);
    fmt[12] = 2;  // block align 2 for 4-byte frames
    EXPECT_EQ(refusal(riff({chunk("fmt ", fmt), kData})), "block size does not match");
}

TEST(WaveRefusal, NoDataChunk) {
    EXPECT_EQ(refusal(riff({kFmt})), "no data chunk");
    EXPECT_EQ(refusal(riff({kFmt, chunk("fact", {0, 0, 0, 0}), chunk("LIST", {1, 2})})),
              "no data chunk");
    // A "data" id with no room left for its size field is not a chunk.
    Bytes file = riff({kFmt});
    file.insert(file.end(), {'d', 'a', 't', 'a', 0, 0, 0});
    EXPECT_EQ(refusal(file), "no data chunk");
}

TEST(WaveRefusal, SizesRunningPastTheEnd) {
    Bytes samples = le16({1, 2, 3, 4});
    // The data chunk's size: up to the last byte, then one more.
    EXPECT_EQ(accepted(riff({kFmt, chunkDeclaring("data", 8, samples)})).frames(), 2u);
    EXPECT_EQ(refusal(riff({kFmt, chunkDeclaring("data", 9, samples)})),
              "data chunk runs past the end");
    EXPECT_EQ(refusal(riff({kFmt, chunkDeclaring("data", 0xFFFFFFFF, samples)})),
              "data chunk runs past the end");
    // A skipped chunk claiming the rest of the file and more hides nothing.
    EXPECT_EQ(refusal(riff({kFmt, chunkDeclaring("LIST", 0xFFFFFFF0, {}), kData})),
              "no data chunk");
    // The format chunk: 16 bytes are the least it holds, and it must fit.
    Bytes fmt16 = formatBody(1, 2, kMixRate, 16);
    EXPECT_EQ(refusal(riff({chunkDeclaring("fmt ", 15, fmt16), kData})), "format chunk too short");
    Bytes head = riff({chunk("fmt ", fmt16)});
    EXPECT_EQ(refusal(head), "no data chunk");
    head[16] = 17;
    EXPECT_EQ(refusal(head), "format chunk runs past the end");
}

TEST(WaveRefusal, EveryShorterPrefixOfAValidFileIsRefused) {
    Bytes file = riff({kFmt, chunk("LIST", {1, 2, 3}), kData});
    for (size_t n = 0; n < file.size(); ++n)
        EXPECT_NE(refusal(Bytes(file.begin(), file.begin() + n)), "accepted") << n;
}

TEST(WaveLimits, SixtyFourMebibytes) {
    // A file of exactly 64 MiB loads; one byte more is refused.
    const size_t header = riff({kFmt, chunk("data", {})}).size();
    Bytes file = riff({kFmt, chunk("data", Bytes(kMaxWaveFileBytes - header, 0))});
    ASSERT_EQ(file.size(), kMaxWaveFileBytes);
    EXPECT_EQ(accepted(file).frames(), (kMaxWaveFileBytes - header) / 4);
    file.push_back(0);
    EXPECT_EQ(refusal(file), "larger than 64 MiB");
}

TEST(WaveLimits, AFileOverTheLimitIsNotRead) {
    ScratchFolder dir("wave-limit");
    std::string path = dir / "big.wav";
    ASSERT_TRUE(writeFile(path, riff({kFmt, kData})));
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kMaxWaveFileBytes) + 1), 0);
    WaveSound sound;
    std::string error;
    EXPECT_FALSE(readWaveFile(path, sound, error));
    EXPECT_EQ(error, "larger than 64 MiB");
    EXPECT_FALSE(readWaveFile(dir / "none.wav", sound, error));
    EXPECT_EQ(error, "cannot open the file");
}

TEST(WaveLimits, ConvertedLength) {
    // A quarter of the mix rate, 8-bit mono: four frames out for every byte in.
    const size_t in = kMaxWaveFrames / 4;
    EXPECT_EQ(accepted(pcmWave(1, kMixRate / 4, 8, Bytes(in, 128))).frames(), kMaxWaveFrames);
    EXPECT_EQ(refusal(pcmWave(1, kMixRate / 4, 8, Bytes(in + 1, 128))), "longer than 25 minutes");
}

}  // namespace
