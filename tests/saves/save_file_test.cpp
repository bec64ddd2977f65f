// The state file's layout, and the reader that checks a whole file before it is used.
#include "game/save_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

SavedGame sample() {
    SavedGame game;
    game.date = "2026-07-05";
    game.time = "09:03:01";
    game.view = "hall.scn";
    game.music = "theme.ogg";
    game.musicPlaying = true;
    game.hotspots = {{"door", true}, {"lamp", false}, {"door", false}};
    game.variables = {{"a", -5}, {"b", 2147483647}, {"c", -2147483647 - 1}};
    game.inventory = {1, 0, 1};
    return game;
}

const char* const kSampleText =
    "2026-07-05 09:03:01\n"
    "hall.scn\n"
    "theme.ogg 1\n"
    "door 1\n"
    "lamp 0\n"
    "door 0\n"
    "3\n"
    "a -5\n"
    "b 2147483647\n"
    "c -2147483648\n"
    "3\n"
    "1\n"
    "0\n"
    "1\n";

TEST(SaveFile, WritesTheLayoutByteForByte) {
    EXPECT_EQ(writeSaveText(sample()), kSampleText);
    SavedGame empty;
    empty.date = "0005-01-01";
    empty.time = "00:00:00";
    empty.view = "init.scn";
    EXPECT_EQ(writeSaveText(empty), "0005-01-01 00:00:00\ninit.scn\nNONE 0\n0\n0\n");
}

TEST(SaveFile, TimeStampsHaveFixedWidths) {
    std::tm t{};
    t.tm_year = 5 - 1900;
    t.tm_mon = 6;
    t.tm_mday = 9;
    t.tm_hour = 7;
    t.tm_min = 0;
    t.tm_sec = 5;
    std::string date, time;
    saveTimeStamp(t, date, time);
    EXPECT_EQ(date, "0005-07-09");
    EXPECT_EQ(time, "07:00:05");
}

TEST(SaveFile, ReadsWhatItWritesAndHandWrittenFiles) {
    SavedGame read;
    std::string why;
    ASSERT_TRUE(readSaveText(kSampleText, read, why)) << why;
    EXPECT_EQ(writeSaveText(read), kSampleText);
    EXPECT_THAT(read.hotspots,
                ElementsAre(Pair("door", true), Pair("lamp", false), Pair("door", false)));

    // CR LF line ends, blank lines, tabs and repeated blanks, no hotspot records.
    ASSERT_TRUE(
        readSaveText("2026-01-02  03:04:05\r\n\r\nroom.scn\r\nNONE\t0\r\n1\r\nx 7\r\n"
                     "0\r\n\r\n",
                     read, why))
        << why;
    EXPECT_EQ(read.view, "room.scn");
    EXPECT_TRUE(read.hotspots.empty());
    EXPECT_THAT(read.variables, ElementsAre(Pair("x", 7)));
    EXPECT_TRUE(read.inventory.empty());
}

struct BadFile {
    const char* text;
    const char* why;
};

// Every damaged file is refused with a reason; nothing is half read.
TEST(SaveFile, RefusesDamagedFiles) {
    const std::string head = "2026-01-02 03:04:05\nv.scn\nNONE 0\n";
    const BadFile cases[] = {
        {"", "the file is empty"},
        {"\n \r\n", "the file is empty"},
        {"2026-01-02\nv.scn\nNONE 0\n0\n0\n", "line 1 is not the time stamp"},
        {"2026-01-02 03:04:05\n", "the file ends before the view file name"},
        {"2026-01-02 03:04:05\r \nv.scn\nNONE 0\n0\n0\n", "the time stamp is not usable"},
        {"2026-01-02 0\x01:04\nv.scn\nNONE 0\n0\n0\n", "the time stamp is not usable"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 2\n0\n0\n", "the music line is malformed"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\ndoor yes\n0\n0\n", "line 4 is not a hotspot record"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n", "the file ends before the variable count"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n-1\n0\n", "the variable count is not a count"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n3\nx 1\n0\n",
         "the variable count is larger than the entries that follow"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n2\nx 1\n0\n", "line 6 is not a variable"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n1\nx 2147483648\n0\n",
         "line 5 is not a variable and its value"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n1\nx -2147483649\n0\n",
         "line 5 is not a variable and its value"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n1\nx 12z\n0\n",
         "line 5 is not a variable and its value"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n0\n", "the file ends before the inventory count"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n0\n2\n1\n",
         "the inventory count is larger than the entries that follow"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n0\n1\n99999999999\n", "line 6 is not an item number"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n0\n0\nextra\n", "line 6 is left over"},
        {"2026-01-02 03:04:05\nv\x01scn\nNONE 0\n0\n0\n", "the view file name is not usable"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n1\nx\x7f 1\n0\n",
         "line 5 is not a variable and its value"},
        // More than ten digits, even with the value in range, and a value that wraps
        // to 7 in 64 bits.
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n1\nx 00000000007\n0\n",
         "line 5 is not a variable and its value"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n1\nx 18446744073709551623\n0\n",
         "line 5 is not a variable and its value"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n00000000000\n0\n",
         "the variable count is not a count"},
        {"2026-01-02 03:04:05\nv.scn\nNONE 0\n0\n1\n-00000000001\n",
         "line 6 is not an item number"},
    };
    for (const BadFile& c : cases) {
        SavedGame read;
        read.view = "untouched";
        std::string why;
        EXPECT_FALSE(readSaveText(c.text, read, why)) << c.text;
        EXPECT_EQ(why, c.why) << c.text;
        EXPECT_EQ(read.view, "untouched");
    }
    // The limits themselves are fine.
    SavedGame read;
    std::string why;
    EXPECT_TRUE(readSaveText(head + "2\nx 2147483647\ny -2147483648\n0\n", read, why)) << why;
    EXPECT_TRUE(readSaveText(head + "1\nx 0000000007\n1\n-0000000001\n", read, why)) << why;
    EXPECT_THAT(read.variables, ElementsAre(Pair("x", 7)));
    EXPECT_THAT(read.inventory, ElementsAre(-1));
    std::string huge(kMaxSaveFileBytes + 1, '\n');
    EXPECT_FALSE(readSaveText(huge, read, why));
    EXPECT_EQ(why, "the file is too large");
}

// Every name the file could not read back is refused before anything is written.
TEST(SaveFile, NamesTheFileCannotHoldAreRefused) {
    struct Case {
        const char* what;
        void (*change)(SavedGame&);
        const char* why;  // empty: savable
    };
    const Case cases[] = {
        {"the sample", [](SavedGame&) {}, ""},
        {"every printable byte",
         [](SavedGame& g) {
             g.variables = {{"!~\x80\xff", 1}};
         },
         ""},
        {"variable tab",
         [](SavedGame& g) {
             g.variables = {{"a\tb", 1}};
         },
         "the variable name \"a\\tb\" cannot be saved"},
        {"variable blank",
         [](SavedGame& g) {
             g.variables = {{"a b", 1}};
         },
         "the variable name \"a b\" cannot be saved"},
        {"variable empty",
         [](SavedGame& g) {
             g.variables = {{"", 1}};
         },
         "the variable name \"\" cannot be saved"},
        {"hotspot control",
         [](SavedGame& g) {
             g.hotspots = {{"a\x01", true}};
         },
         "the hotspot name \"a\\x01\" cannot be saved"},
        {"hotspot delete",
         [](SavedGame& g) {
             g.hotspots = {{"\x7f", true}};
         },
         "the hotspot name \"\\x7F\" cannot be saved"},
        {"view", [](SavedGame& g) { g.view = "a\rb"; },
         "the view file name \"a\\x0Db\" cannot be saved"},
        {"music", [](SavedGame& g) { g.music = "m\n"; },
         "the music name \"m\\x0A\" cannot be saved"},
    };
    for (const Case& c : cases) {
        SavedGame game = sample();
        c.change(game);
        std::string why;
        EXPECT_EQ(canSave(game, why), *c.why == 0) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
        SavedGame read;
        if (*c.why == 0) {
            EXPECT_TRUE(readSaveText(writeSaveText(game), read, why)) << c.what;
        }
    }
}

TEST(SaveFile, StampIsTheFirstTwoWords) {
    std::string date = "XXXX-XX-XX", time = "XX:XX:XX";
    EXPECT_FALSE(readSaveStamp("2026-01-02\r\n", date, time));
    EXPECT_EQ(date, "2026-01-02");
    EXPECT_EQ(time, "XX:XX:XX");  // a missing word keeps its placeholder
    EXPECT_TRUE(readSaveStamp("2026-01-02 03:04:05\r\nv.scn", date, time));
    EXPECT_EQ(time, "03:04:05");
    EXPECT_EQ(slotStateFile(14), "slot14.sav");
    EXPECT_EQ(slotPictureFile(7), "slot7.jpg");
}

}  // namespace
