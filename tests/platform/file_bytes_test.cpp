// Whole files read with their size limit, and only regular files at all.
#include "platform/file_bytes.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

TEST(FileBytes, LimitsAndKindsOfFile) {
    char pattern[] = "/tmp/vorlen-bytes-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    std::ofstream(dir + "/ten", std::ios::binary) << "0123456789";
    std::string text;
    EXPECT_EQ(readFileBytes(dir + "/ten", 10, text), FileRead::Ok);
    EXPECT_EQ(text, "0123456789");
    std::vector<uint8_t> bytes;
    EXPECT_EQ(readFileBytes(dir + "/ten", 9, bytes), FileRead::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(readFileBytes(dir + "/none", 10, text), FileRead::NotAFile);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(readFileBytes(dir, 10, text), FileRead::NotAFile);
    // A pipe would block the reader until someone writes to it.
    ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
    EXPECT_EQ(readFileBytes(dir + "/pipe", 10, text), FileRead::NotAFile);
    std::filesystem::remove_all(dir);
}

}  // namespace
