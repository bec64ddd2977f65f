// Saves made by the demo, checked against the demo as it was and as it is after an
// update that renames a hotspot, deletes a view and stops using a variable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "game/save_file.h"
#include "support/headless_run.h"
#include "tools/checker/diagnostics.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

struct CheckRun {
    int status = -1;
    std::vector<std::string> lines;
};

CheckRun checkSaves(const fs::path& saves, const fs::path& game, const std::string& options = "") {
    const std::string program = (headless_test::buildDir() / "vorlen-check").string();
    FILE* pipe = popen(("'" + program + "' " + options + " --saves '" + saves.string() + "' '" +
                        game.string() + "' 2>/dev/null")
                           .c_str(),
                       "r");
    CheckRun run;
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
        text.replace(at, from.size(), to);
    return text;
}

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SavesAcrossVersions : public ::testing::Test {
protected:
    void SetUp() override {
        release.copyFrom(headless_test::buildDir() / "demo-game");
        // Slot 1 in the courtyard with a variable and the horse; slot 2 in the hall.
        const std::string clickSlot1 = "move 100 150\nframes 2\ntap MOUSE LEFT\nframes 2\n";
        const std::string clickSlot2 = "move 320 150\nframes 2\ntap MOUSE LEFT\nframes 2\n";
        const std::string leave = "move 600 460\nframes 2\ntap MOUSE LEFT\nframes 30\n";
        const auto run = headless_test::runHeadless(
            release,
            "frames 2\nconsole load court.scn\nframes 30\nconsole let have_horse=1\n"
            "console addinv inv_horse\ntap F5\nframes 1\n" +
                clickSlot1 + leave + "console load hall.scn\nframes 30\ntap F5\n" + "frames 1\n" +
                clickSlot2 + "close\n");
        ASSERT_EQ(run.status, 0) << run.all();
        fs::create_directories(saves.path());
        for (const char* slot : {"slot1.sav", "slot2.sav"}) {
            ASSERT_TRUE(fs::exists(release.path() / slot)) << slot << "\n" << run.all();
            fs::copy_file(release.path() / slot, saves.path() / slot);
        }
        // A slot that carries an item the engine's table does not hold.
        SavedGame odd;
        odd.view = "init.scn";
        odd.hotspots = {{"gateway", true}};
        odd.inventory = {1, 7};
        saves.write("slot3.sav", writeSaveText(odd));
    }

    headless_test::GameFolder release, update, saves;
};

TEST_F(SavesAcrossVersions, TheReleaseTheyCameFromLosesNothing) {
    const CheckRun run = checkSaves(saves.path(), release.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.lines,
                ElementsAre("slot3.sav:8: warning: item 7 is not in the item table: "
                            "the player loses it",
                            "slot1.sav: loads, nothing lost", "slot2.sav: loads, nothing lost",
                            "slot3.sav: loads, 1 thing lost"));
}

TEST_F(SavesAcrossVersions, AnUpdateShowsWhatEachSlotLoses) {
    update.copyFrom(release.path());
    // The well gets a new hotspot name, the hall goes, and the garden keeps the taken
    // horse in a variable of another name.
    update.write("court.scn", replaced(slurp(release.path() / "court.scn"), "HOTSPOTSTART well",
                                       "HOTSPOTSTART wellhead"));
    fs::remove(update.path() / "hall.scn");
    update.write("garden.scn",
                 replaced(slurp(release.path() / "garden.scn"), "have_horse", "horse_taken"));
    const CheckRun run = checkSaves(saves.path(), update.path());
    EXPECT_EQ(run.status, 1);  // slot 2 no longer loads
    const std::string all = ::testing::PrintToString(run.lines);
    ASSERT_EQ(run.lines.size(), 7u) << all;  // the hall's slot says nothing of have_horse
    EXPECT_THAT(run.lines[0],
                ::testing::MatchesRegex("slot1.sav:[0-9]+: warning: hotspot 'well' is no longer in "
                                        "'court.scn': that it was on is lost"));
    EXPECT_THAT(run.lines[1], ::testing::MatchesRegex(
                                  "slot1.sav:[0-9]+: warning: variable 'have_horse' \\(1\\) is "
                                  "used nowhere in the game any more: its value is lost"));
    EXPECT_EQ(run.lines[2],
              "slot2.sav:2: error: the view 'hall.scn' no longer exists: the player cannot "
              "load this slot");
    EXPECT_THAT(run.lines[3], HasSubstr("slot3.sav:8: warning: item 7"));
    EXPECT_EQ(run.lines[4], "slot1.sav: loads, 2 things lost");
    EXPECT_EQ(run.lines[5], "slot2.sav: does not load");
    EXPECT_EQ(run.lines[6], "slot3.sav: loads, 1 thing lost");
}

TEST_F(SavesAcrossVersions, AViewThatNoLongerReadsAndASaveThatDoesNot) {
    update.copyFrom(release.path());
    update.write("hall.scn", "VIEW hall\nBASEIMAGE hall.jpg\nHOTSPOTSTART\n");
    saves.write("slot4.sav", "2026-01-01 00:00:00\ninit.scn\n");
    const CheckRun run = checkSaves(saves.path(), update.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.lines, ::testing::Contains(::testing::MatchesRegex(
                               "slot2.sav:2: error: the view 'hall.scn' no longer reads \\(.+\\): "
                               "the player cannot load this slot")));
    EXPECT_THAT(run.lines, ::testing::Contains(::testing::StartsWith(
                               "slot4.sav: error: does not read (the file ends before")));
}

TEST_F(SavesAcrossVersions, AFolderWithoutSavesIsNotAPass) {
    headless_test::GameFolder empty;
    EXPECT_EQ(checkSaves(empty.path(), release.path()).status, 2);
    EXPECT_EQ(checkSaves("/nonexistent/saves", release.path()).status, 2);
}

TEST_F(SavesAcrossVersions, JsonLinesAndStrictness) {
    const CheckRun json = checkSaves(saves.path(), release.path(), "--json");
    EXPECT_EQ(json.status, 0);
    ASSERT_EQ(json.lines.size(), 1u);  // no summaries in JSON
    Diagnostic d;
    ASSERT_TRUE(parseJsonDiagnostic(json.lines[0], d)) << json.lines[0];
    EXPECT_EQ(d.file, "slot3.sav");
    EXPECT_EQ(d.line, 8);
    EXPECT_EQ(checkSaves(saves.path(), release.path(), "--werror").status, 1);
    EXPECT_EQ(checkSaves(saves.path(), release.path(), "--view init.scn").status, 2);
}

}  // namespace
