// The wave reader: the layouts it takes, the conversion to the mix format, and every
// malformed file refused with its reason — each limit at n and n+1.
#include "media/wave_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

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

// Each header value at its limits: the rule broken is named, and nothing divides or
// allocates by a value no sound has (0 channels, 0 bits, a 0 block, rate 0).
TEST(WaveRefusal, EachFormatRuleIsNamed) {
    auto withBlock = [](Bytes fmt, int block) {
        fmt[12] = static_cast<uint8_t>(block);
        return fmt;
    };
    Bytes shortExtensible = extensibleFormatBody(2, kMixRate, 16, 16);
    shortExtensible.resize(39);
    Bytes cb21 = extensibleFormatBody(2, kMixRate, 16, 16);
    cb21[16] = 21;
    const uint8_t kFloat[16] = {0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    struct Case {
        Bytes fmt;
        const char* why;
    } cases[] = {
        {formatBody(3, 2, kMixRate, 32), "not a PCM wave file (format tag 3)"},
        {formatBody(0, 2, kMixRate, 16), "not a PCM wave file (format tag 0)"},
        {formatBody(0xFFFE, 2, kMixRate, 16), "extensible format chunk too short"},
        {shortExtensible, "extensible format chunk too short"},
        {cb21, "extensible format chunk too short"},
        {extensibleFormatBody(2, kMixRate, 16, 16, kFloat),
         "not a PCM wave file (extensible format of other samples)"},
        {extensibleFormatBody(2, kMixRate, 16, 17), "valid bits 17 exceed the 16 bits a sample"},
        {extensibleFormatBody(0, kMixRate, 16, 16), "0 channels: only mono or stereo plays"},
        {formatBody(1, 0, kMixRate, 16), "0 channels: only mono or stereo plays"},
        {withBlock(formatBody(1, 0, kMixRate, 16), 4), "0 channels: only mono or stereo plays"},
        {formatBody(1, 3, kMixRate, 16), "3 channels: only mono or stereo plays"},
        {formatBody(1, 2, kMixRate, 0), "0 bits a sample: only 8 or 16 play"},
        {formatBody(1, 2, kMixRate, 24), "24 bits a sample: only 8 or 16 play"},
        {formatBody(1, 2, kMixRate, 17), "17 bits a sample: only 8 or 16 play"},
        {withBlock(formatBody(1, 2, kMixRate, 16), 2),
         "block size 2 does not match 2 channels of 16 bits (4)"},
        {withBlock(formatBody(1, 2, kMixRate, 16), 0),
         "block size 0 does not match 2 channels of 16 bits (4)"},
        {formatBody(1, 2, 0, 16), "sample rate 0"},
        {extensibleFormatBody(1, 0, 8, 8), "sample rate 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(refusal(riff({chunk("fmt ", c.fmt), kData})), c.why);
    // And at their last accepted values.
    EXPECT_EQ(accepted(riff({chunk("fmt ", formatBody(1, 1, 1, 8)), kData})).frames(),
              8u * kMixRate);
    EXPECT_EQ(
        accepted(riff({chunk("fmt ", extensibleFormatBody(2, kMixRate, 16, 16)), kData})).frames(),
        2u);
    EXPECT_EQ(
        accepted(riff({chunk("fmt ", extensibleFormatBody(2, kMixRate, 16, 0)), kData})).frames(),
        2u);
}

TEST(WaveLayout, TheFormatChunkMayLieAnywhere) {
    const Bytes list = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});
    EXPECT_EQ(accepted(riff({list, kFmt, kData})).mix, accepted(riff({kFmt, kData})).mix);
    EXPECT_EQ(accepted(riff({kData, list, kFmt})).mix, accepted(riff({kFmt, kData})).mix);
    // The first "fmt " counts; a file with none takes its first chunk, whatever its id.
    Bytes mono = chunk("fmt ", formatBody(1, 1, kMixRate, 16));
    EXPECT_EQ(accepted(riff({kData, kFmt, mono})).frames(), 2u);
    EXPECT_EQ(accepted(riff({chunk("abcd", formatBody(1, 1, kMixRate, 16)), kData})).frames(), 4u);
    EXPECT_EQ(refusal(riff({kData, list})), "no format chunk");
    EXPECT_EQ(refusal(riff({list, kFmt})), "no data chunk");
}

// Files as editors write them, decoded sample for sample as FFmpeg decodes them. FFmpeg
// gives the file's own channels: mono is compared with each side of the mix.
TEST(WaveLayout, ExtensibleAndReorderedFilesDecodeAsFfmpegDoes) {
    ScratchFolder dir("ffmpeg");
    const Bytes stereo = le16(twoTones(kMixRate, 2000, 440, 20000));
    const Bytes mono = le16(tone(kMixRate, 1, 2000, 330, 15000));
    Bytes eight(3000);
    for (size_t i = 0; i < eight.size(); ++i) eight[i] = static_cast<uint8_t>(i * 37);
    const Bytes list = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});
    struct Case {
        const char* name;
        int channels;
        Bytes file;
    } cases[] = {
        {"extensible-stereo", 2,
         riff({chunk("fmt ", extensibleFormatBody(2, kMixRate, 16, 16)), chunk("data", stereo)})},
        {"extensible-12-bits", 1,
         riff({chunk("fmt ", extensibleFormatBody(1, kMixRate, 16, 12)), chunk("data", mono)})},
        {"extensible-8-bits", 2,
         riff({chunk("fmt ", extensibleFormatBody(2, kMixRate, 8, 8)), chunk("data", eight)})},
        {"list-first", 2,
         riff({list, chunk("fmt ", formatBody(1, 2, kMixRate, 16)), chunk("data", stereo)})},
        {"data-first", 1,
         riff({chunk("data", mono), list, chunk("fmt ", formatBody(1, 1, kMixRate, 16))})},
        {"extensible-last", 2,
         riff({chunk("data", stereo), chunk("fmt ", extensibleFormatBody(2, kMixRate, 16, 16))})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string wav = dir / (std::string(c.name) + ".wav");
        const std::string raw = dir / (std::string(c.name) + ".raw");
        ASSERT_TRUE(writeFile(wav, c.file));
        const std::string command =
            "ffmpeg -nostdin -v error -y -i '" + wav + "' -f s16le -acodec pcm_s16le '" + raw + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        Bytes decoded = readFile(raw);
        WaveSound ours = accepted(c.file);
        ASSERT_EQ(ours.frames() * c.channels * 2, decoded.size());
        for (size_t i = 0; i < ours.mix.size(); ++i) {
            size_t at = c.channels == 2 ? i : i / 2;
            auto theirs = static_cast<int16_t>(decoded[2 * at] | decoded[2 * at + 1] << 8);
            ASSERT_EQ(ours.mix[i], theirs) << "sample " << i;
        }
    }
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
    // A folder is said to be one, whatever its size.
    EXPECT_FALSE(readWaveFile(dir.path, sound, error));
    EXPECT_EQ(error, "a folder, not a regular file");
}

TEST(WaveLimits, ConvertedLength) {
    // A quarter of the mix rate, 8-bit mono: four frames out for every byte in.
    const size_t in = kMaxWaveFrames / 4;
    EXPECT_EQ(accepted(pcmWave(1, kMixRate / 4, 8, Bytes(in, 128))).frames(), kMaxWaveFrames);
    EXPECT_EQ(refusal(pcmWave(1, kMixRate / 4, 8, Bytes(in + 1, 128))), "longer than 25 minutes");
}

}  // namespace
