// The player's folder: which files are the player's, the folder's name, and the links
// that show the game kept up to date without touching the player's own files.
#include "tools/play/player_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "tools/checker/saves_check.h"
#include "tools/common/standard_options.h"

namespace fs = std::filesystem;
using namespace player_folder;

namespace {

TEST(PlayerFolder, PlayerFilesAreSavesAndScreenshots) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"slot1.sav", true},           {"slot30.jpg", true},    {"shot0.jpg", true},
        {"slot.sav", false},           {"slotx.sav", false},    {"slot1.sav.bak", false},
        {"slot1.sav.12-ab.tmp", true}, {"shot.jpg", false},     {"init.scn", false},
        {"slot1.scn", false},          {"saveload.jpg", false},
    };
    for (const auto& [name, player] : cases) EXPECT_EQ(isPlayerFile(name), player) << name;
}

TEST(PlayerFolder, SlotNumbersOfStateFiles) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"slot1.sav", 1},          {"slot30.sav", 30}, {"slot999999999.sav", 999999999},
        {"slot1000000000.sav", 0}, {"slot.sav", 0},    {"slot1.jpg", 0},
        {"slot-1.sav", 0},         {"sav", 0},         {"", 0},
    };
    for (const auto& [name, slot] : cases) EXPECT_EQ(savedSlotNumber(name), slot) << name;
}

TEST(PlayerFolder, GameIdsAreSafeFolderNames) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/usr/share/vorlen/games/harrow-house", "harrow-house"},
        {"/home/ann/My Game/", "My_Game"},
        {"/tmp/.hidden", "_hidden"},
        {"/tmp/a/..", "tmp"},
        {"/", "game"},
    };
    for (const auto& [folder, id] : cases) EXPECT_EQ(gameId(folder), id) << folder;
}

TEST(PlayerFolder, LinksFollowTheGameAndSpareThePlayersFiles) {
    const fs::path root =
        fs::temp_directory_path() / ("vorlen-player-" + std::to_string(::getpid()));
    const fs::path game = root / "game", other = root / "other", player = root / "player";
    fs::create_directories(game);
    fs::create_directories(other);
    for (const char* name : {"init.scn", "a.jpg", "slot1.sav", "shot0.jpg"})
        std::ofstream(game / name) << name;
    std::string error;
    ASSERT_TRUE(linkGame(game, player, error)) << error;
    EXPECT_EQ(fs::read_symlink(player / "init.scn"), game / "init.scn");
    EXPECT_FALSE(fs::exists(player / "slot1.sav"));  // the author's saves are not shown
    EXPECT_FALSE(fs::exists(player / "shot0.jpg"));

    // The game changes: a file goes, one comes, one link points elsewhere; the player
    // has a save and a file of his own named like a game file.
    fs::remove(game / "a.jpg");
    std::ofstream(game / "b.jpg") << "b";
    fs::remove(player / "init.scn");
    fs::create_symlink(other / "init.scn", player / "init.scn");
    std::ofstream(player / "slot2.sav") << "mine";
    std::ofstream(game / "notes.txt") << "game";
    std::ofstream(player / "notes.txt") << "mine";
    ASSERT_TRUE(linkGame(game, player, error)) << error;
    EXPECT_FALSE(fs::exists(fs::symlink_status(player / "a.jpg")));
    EXPECT_EQ(fs::read_symlink(player / "b.jpg"), game / "b.jpg");
    EXPECT_EQ(fs::read_symlink(player / "init.scn"), game / "init.scn");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(player / "slot2.sav")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(player / "notes.txt")));

    std::ofstream(player / "slot10.sav") << "2026-01-02 03:04:05\n";
    std::ofstream(player / "slot3.sav") << "";
    const std::vector<SavedSlot> slots = savedSlots(player);
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_EQ(slots[0].slot, 2);
    EXPECT_EQ(slots[0].date, "");  // "mine" has no time
    EXPECT_EQ(slots[1].slot, 3);
    EXPECT_EQ(slots[2].slot, 10);
    EXPECT_EQ(slots[2].date + " " + slots[2].time, "2026-01-02 03:04:05");
    fs::remove_all(root);
}

TEST(StandardOptions, VersionLineNamesTheProgram) {
    const ProgramInfo program{"vorlen-x", "usage\n"};
    const std::string version = versionText(program);
    EXPECT_EQ(version.rfind("vorlen-x (Vorlen) ", 0), 0u) << version;
    EXPECT_EQ(version.back(), '\n');
    EXPECT_FALSE(answerStandardOption("--helpme", program));
    EXPECT_FALSE(answerStandardOption("-v", program));
}

}  // namespace
