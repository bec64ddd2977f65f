// Whole files read with their size limit, and only regular files at all: a pipe, a
// folder or a missing name is refused at once, by the game folder and by the readers.
#include "platform/file_bytes.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "media/wave_reader.h"
#include "platform/game_folder.h"
#include "platform/image/picture_formats.h"

namespace {

class FileBytes : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vorlen-bytes-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        std::ofstream(dir + "/ten", std::ios::binary) << "0123456789";
        std::filesystem::create_directory(dir + "/folder");
        ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
};

TEST_F(FileBytes, SizeLimitAtTheFileSizeAndOneBelow) {
    std::string text;
    EXPECT_EQ(readFileBytes(dir + "/ten", 10, text), FileRead::Ok);
    EXPECT_EQ(text, "0123456789");
    std::vector<uint8_t> bytes;
    EXPECT_EQ(readFileBytes(dir + "/ten", 9, bytes), FileRead::TooLarge);
    EXPECT_TRUE(bytes.empty());
    std::ofstream(dir + "/empty", std::ios::binary);
    text = "left over";
    EXPECT_EQ(readFileBytes(dir + "/empty", 0, text), FileRead::Ok);
    EXPECT_TRUE(text.empty());
}

TEST_F(FileBytes, OnlyRegularFilesAreThereToRead) {
    const GameFolder folder(dir);
    struct Case {
        const char* name;
        FileKind kind;
        const char* pictureWhy;  // the picture reader's reason
        const char* waveWhy;     // the wave reader's (its own reasons are not held here)
    };
    const Case cases[] = {
        {"ten", FileKind::Regular, "Unsupported Image type.", nullptr},
        {"none", FileKind::Missing, "cannot open file", "cannot open the file"},
        {"folder", FileKind::Other, "not a regular file", "a folder, not a regular file"},
        {"pipe", FileKind::Other, "not a regular file", "not a regular file"},
        {"", FileKind::Missing, nullptr, nullptr},
    };
    const PictureFormats pictures = corePictureFormats();
    for (const Case& c : cases) {
        EXPECT_EQ(folder.kind(c.name), c.kind) << c.name;
        EXPECT_EQ(folder.exists(c.name), c.kind == FileKind::Regular) << c.name;
        if (!c.pictureWhy) continue;
        std::string text;
        FileRead why = FileRead::Ok;
        EXPECT_EQ(readFileBytes(folder.path(c.name), 100, text) == FileRead::Ok,
                  c.kind == FileKind::Regular)
            << c.name;
        const int fd = openRegularFile(folder.path(c.name), why);
        EXPECT_EQ(fd >= 0, c.kind == FileKind::Regular) << c.name;
        if (fd >= 0) close(fd);
        Picture picture;
        std::string error;
        EXPECT_FALSE(pictures.readFile(folder.path(c.name), picture, 0, &error));
        EXPECT_EQ(error, c.pictureWhy) << c.name;
        WaveSound sound;
        EXPECT_FALSE(readWaveFile(folder.path(c.name), sound, error));
        if (c.waveWhy) {
            EXPECT_EQ(error, c.waveWhy) << c.name;
        }
    }
}

}  // namespace
