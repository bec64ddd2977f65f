// A slot's two files as a crash may leave them, and what start-up makes of them; a save
// that cannot be written leaves nothing behind.
#include "engine/slot_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string kOld = "2020-01-01 00:00:00\ninit.scn\nNONE 0\n0\n0\n";
const std::string kNew = "2026-01-01 00:00:00\ninit.scn\nNONE 0\n0\n0\n";

class SlotFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vorlen-slot-files-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    // Every file of the folder with its content.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> out;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream s;
            s << in.rdbuf();
            out[entry.path().filename().string()] = s.str();
        }
        return out;
    }
    fs::path dir;
};

TEST_F(SlotFiles, StartUpCompletesOrRollsBackWhatACrashLeft) {
    using Files = std::map<std::string, std::string>;
    struct Case {
        const char* what;
        Files before, after;
    };
    const Case cases[] = {
        {"killed while writing: the old pair stands",
         {{"slot1.sav", kOld},
          {"slot1.jpg", "old"},
          {"slot1.jpg.tmp", "ne"},
          {"slot1.sav.tmp", "2"}},
         {{"slot1.sav", kOld}, {"slot1.jpg", "old"}}},
        {"killed between the renames: the state file follows its picture",
         {{"slot1.sav", kOld}, {"slot1.jpg", "new"}, {"slot1.sav.tmp", kNew}},
         {{"slot1.sav", kNew}, {"slot1.jpg", "new"}}},
        {"a first save killed between the renames",
         {{"slot2.jpg", "new"}, {"slot2.sav.tmp", kNew}},
         {{"slot2.sav", kNew}, {"slot2.jpg", "new"}}},
        {"an older writer's complete state file is taken",
         {{"slot3.sav", kOld}, {"slot3.jpg", "new"}, {"slot3.sav.77-0badf00d.tmp", kNew}},
         {{"slot3.sav", kNew}, {"slot3.jpg", "new"}}},
        {"an older writer's cut state file: its picture goes, the old state stays",
         {{"slot3.sav", kOld}, {"slot3.jpg", "new"}, {"slot3.sav.77-0badf00d.tmp", "2026-01"}},
         {{"slot3.sav", kOld}}},
        {"an older writer's picture temporary",
         {{"slot4.sav", kOld}, {"slot4.jpg", "old"}, {"slot4.jpg.5-1.tmp", "n"}},
         {{"slot4.sav", kOld}, {"slot4.jpg", "old"}}},
        {"other files stay",
         {{"slot1.sav.keep", "a"},
          {"notes.tmp", "b"},
          {"slot0.sav.tmp", "c"},
          {"slotx.sav.tmp", "d"}},
         {{"slot1.sav.keep", "a"},
          {"notes.tmp", "b"},
          {"slot0.sav.tmp", "c"},
          {"slotx.sav.tmp", "d"}}},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& [name, text] : c.before) write(name, text);
        recoverAllSlots(GameFolder(dir.string()));
        EXPECT_EQ(files(), c.after) << c.what;
    }
}

TEST_F(SlotFiles, ACommittedPairReplacesTheOldOneAndAFailureLeavesNothing) {
    const GameFolder folder(dir.string());
    write("slot5.sav", kOld);
    write("slot5.jpg", "old");
    PreparedSlot prepared;
    std::string why;
    ASSERT_TRUE(writeSlotTemporaries(folder, 5, kNew, {'j', 'p', 'g'}, prepared, why)) << why;
    ASSERT_TRUE(commitSlot(prepared, why)) << why;
    EXPECT_EQ(files(),
              (std::map<std::string, std::string>{{"slot5.sav", kNew}, {"slot5.jpg", "jpg"}}));

    // A folder where the picture should go: refused before anything is renamed.
    fs::create_directory(dir / "slot6.jpg");
    write("slot6.sav", kOld);
    EXPECT_FALSE(writeSlotTemporaries(folder, 6, kNew, {'j'}, prepared, why));
    EXPECT_EQ(why, "cannot write slot6.jpg: Is a directory");
    fs::create_directory(dir / "slot7.sav");
    EXPECT_FALSE(writeSlotTemporaries(folder, 7, kNew, {'j'}, prepared, why));
    EXPECT_EQ(why, "cannot write slot7.sav: Is a directory");
    for (const auto& [name, text] : files())
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

}  // namespace
