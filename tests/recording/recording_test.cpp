// `record` through engine-headless: each container's duration and rate as ffprobe reads
// them, the lossless file against `shot` and `audio` of the same run, repeatable files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/image/bmp_writer.h"
#include "support/headless_run.h"
#include "support/painted_picture.h"

namespace {

using headless_test::GameFolder;
using headless_test::runHeadless;
namespace fs = std::filesystem;

std::string output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string probe(const fs::path& file, const std::string& entries) {
    return output("ffprobe -v error -select_streams v:0 -show_entries " + entries +
                  " -of default=noprint_wrappers=1:nokey=1 '" + file.string() + "'");
}

// A view whose animation changes the picture every 50 ms, with a tone sounding, so
// pictures and sound both tell the moments apart.
void writeGame(const GameFolder& game) {
    game.writeBmp("base.bmp", 640, 480, 0x336699);
    writeBmp24((game.path() / "anim.bmp").string(), paintedPicture(128, 32, [](int x, int y) {
                   static const uint32_t colours[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
                   return x % 32 == 0 && y == 0 ? 0u : colours[x / 32] ^ (x * 3 + y * 5);
               }));
    std::string samples;
    for (int i = 0; i < 44100; ++i) {
        auto v = static_cast<int16_t>(8000 * std::sin(i * 0.05));
        for (int c = 0; c < 2; ++c)
            samples += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    }
    auto le32 = [](uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    std::string format = std::string("\x01\x00\x02\x00", 4) + le32(44100) + le32(44100 * 4) +
                         std::string("\x04\x00\x10\x00", 4);
    game.write("tone.wav", "RIFF" + le32(36 + samples.size()) + "WAVEfmt " + le32(16) + format +
                               "data" + le32(samples.size()) + samples);
    game.write("init.scn",
               "VIEW init\nBASEIMAGE base.bmp\nONLOADSTART\n"
               "addoverlayanim a anim.bmp 100 100 32 32 0 50 1 1\nplaysound tone.wav\n"
               "ONLOADEND\n");
}

// 24-bit BMP pixels as top-down B,G,R rows.
std::string bmpPixels(const fs::path& file) {
    std::string b = bytesOf(file);
    if (b.size() < 54) return {};
    auto at = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(b[i]) |
                                     static_cast<uint8_t>(b[i + 1]) << 8 |
                                     static_cast<uint8_t>(b[i + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(b[i + 3])) << 24);
    };
    uint32_t offset = at(10);
    auto width = static_cast<int32_t>(at(18)), height = static_cast<int32_t>(at(22));
    size_t row = static_cast<size_t>(width) * 3, stride = (row + 3) / 4 * 4;
    int rows = std::abs(height);
    if (b.size() < offset + stride * rows) return {};
    std::string out;
    for (int y = 0; y < rows; ++y) {
        int from = height > 0 ? rows - 1 - y : y;
        out += b.substr(offset + stride * from, row);
    }
    return out;
}

TEST(Recording, EachContainerLastsTheRunAtTheFrameStepsRate) {
    GameFolder game;
    writeGame(game);
    auto run = runHeadless(game,
                           "record r.mp4\nframes 300\nrecord r.webm\nframes 300\n"
                           "record r.mkv\nstep 25\nframes 120\nclose\n");
    ASSERT_EQ(run.status, 0) << run.all() << run.err;
    EXPECT_EQ(run.err, "");
    struct Case {
        const char* file;
        const char* codec;
        const char* rate;
    };
    // The last file started at a 10 ms step, then ran at 25 ms: the rate it started with.
    for (const Case& c : {Case{"r.mp4", "h264", "100/1"}, Case{"r.webm", "vp9", "100/1"},
                          Case{"r.mkv", "ffv1", "100/1"}}) {
        SCOPED_TRACE(c.file);
        fs::path file = game.path() / c.file;
        EXPECT_EQ(probe(file, "stream=codec_name,r_frame_rate"),
                  std::string(c.codec) + "\n" + c.rate + "\n");
        double seconds = std::atof(probe(file, "format=duration").c_str());
        EXPECT_NEAR(seconds, 3.0, 0.010);
    }
}

TEST(Recording, TheLosslessFileHoldsTheShotsAndTheCapturedSound) {
    GameFolder game;
    writeGame(game);
    auto run = runHeadless(game,
                           "frames 3\naudio a.wav\nrecord r.mkv\nframes 1\nshot s0.bmp\n"
                           "frames 36\nshot s1.bmp\nwait 35\nframes 3\nshot s2.bmp\n"
                           "frames 10\nclose\n");
    ASSERT_EQ(run.status, 0) << run.all() << run.err;
    fs::path file = game.path() / "r.mkv";
    // Frame n is the picture presented n steps after the start; the 35 ms wait holds
    // frame 36 for three more steps.
    struct Moment {
        int frame;
        const char* shot;
    };
    for (const Moment& m :
         {Moment{0, "s0.bmp"}, Moment{36, "s1.bmp"}, Moment{39, "s1.bmp"}, Moment{42, "s2.bmp"}}) {
        SCOPED_TRACE(m.frame);
        std::string decoded =
            output("ffmpeg -v error -i '" + file.string() + "' -vf 'select=eq(n\\," +
                   std::to_string(m.frame) + ")' -frames:v 1 -pix_fmt bgr24 -f rawvideo -");
        std::string shot = bmpPixels(game.path() / m.shot);
        ASSERT_EQ(decoded.size(), 640u * 480 * 3);
        EXPECT_TRUE(decoded == shot);
    }
    EXPECT_EQ(probe(file, "stream=nb_read_frames -count_frames"), "53\n");
    EXPECT_FALSE(bmpPixels(game.path() / "s0.bmp") == bmpPixels(game.path() / "s1.bmp"));

    std::string sound = output("ffmpeg -v error -i '" + file.string() + "' -map 0:a -f s16le -");
    std::string captured = bytesOf(game.path() / "a.wav").substr(44);
    // 50 frames and the wait, 535 ms from 30 ms on: floor(565 * 44.1) - floor(30 * 44.1).
    EXPECT_EQ(sound.size(), (24916u - 1323u) * 4);
    EXPECT_TRUE(sound == captured) << sound.size() << " " << captured.size();
}

TEST(Recording, TwoRunsWriteTheSameFiles) {
    GameFolder game;
    writeGame(game);
    const std::string input = "frames 2\nrecord r.mp4\nframes 30\nrecord r.mkv\nframes 30\n";
    std::string mp4, mkv;
    for (int pass = 0; pass < 2; ++pass) {
        auto run = runHeadless(game, input);
        ASSERT_EQ(run.status, 0) << run.all() << run.err;
        if (pass == 0) {
            mp4 = bytesOf(game.path() / "r.mp4");
            mkv = bytesOf(game.path() / "r.mkv");
            continue;
        }
        EXPECT_TRUE(bytesOf(game.path() / "r.mp4") == mp4);
        EXPECT_TRUE(bytesOf(game.path() / "r.mkv") == mkv);
    }
    EXPECT_GT(mp4.size(), 1000u);
}

TEST(Recording, AFileThatCannotBeWrittenIsNamedAndTheRunGoesOn) {
    GameFolder game;
    writeGame(game);
    for (const char* name : {"r.avi", "r", ".mkv", "missing/r.mkv"}) {
        SCOPED_TRACE(name);
        auto run = runHeadless(game, std::string("record ") + name + "\nframes 2\nstate\nclose\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.has("S view=init.scn")) << run.all();
        EXPECT_NE(run.err.find(std::string("record ") + name + ": "), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(game.path() / name));
    }
}

TEST(Recording, F10RecordsPlayIntoTheNextFreeName) {
    GameFolder game;
    writeGame(game);
    game.write("rec0.mp4", "an earlier recording, kept");
    auto run = runHeadless(game,
                           "frames 2\ntap F10\nframes 58\ntap F10\nframes 1\n"
                           "tap F10\nframes 10\nclose\n");
    ASSERT_EQ(run.status, 0) << run.all();
    EXPECT_TRUE(run.printed("Recording to rec1.mp4 (F10 stops)")) << run.all();
    EXPECT_TRUE(run.printed("Stopped recording rec1.mp4"));
    EXPECT_TRUE(run.printed("Recorded rec1.mp4"));
    // The third press starts rec2.mp4, which the end of the run completes.
    EXPECT_TRUE(run.printed("Recording to rec2.mp4 (F10 stops)"));
    EXPECT_EQ(bytesOf(game.path() / "rec0.mp4"), "an earlier recording, kept");
    // 60 frames of 10 ms from the first press to the second: 0.6 s at 60 a second.
    fs::path file = game.path() / "rec1.mp4";
    EXPECT_EQ(probe(file, "stream=codec_name,r_frame_rate"), "h264\n60/1\n");
    EXPECT_NEAR(std::atof(probe(file, "format=duration").c_str()), 0.6, 1.0 / 60);
    EXPECT_TRUE(fs::exists(game.path() / "rec2.mp4"));
}

}  // namespace
