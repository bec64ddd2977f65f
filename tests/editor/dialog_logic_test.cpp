#include "editor/dialog_logic.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "editor/picture_pixels.h"
#include "editor/test_view.h"

namespace fs = std::filesystem;

namespace {

TEST(HotspotDialog, CoordinateListAndOkay) {
    shape s;
    s.makeshape();
    s.addPoint(5, 123);
    s.addPoint(120, 7);
    s.addPoint(640, 48);
    const std::vector<std::string> expected = {"005 - 123", "120 - 007", "640 - 048"};
    EXPECT_EQ(dialogs::coordinateList(s), expected);

    dialogs::applyHotspot(s, " Door ", 5, "a==1\nb==2\r\nc", "  go north\nload x.scn  ");
    EXPECT_EQ(s.getName(), " Door ");  // as typed
    EXPECT_EQ(s.getCursor(), 5);
    EXPECT_EQ(s.getCond(), "a==1  b==2  c");
    EXPECT_EQ(s.getScript(), "go north\r\nload x.scn");
    dialogs::applyHotspot(s, "n", -1, "", "");
    EXPECT_EQ(s.getCursor(), -1);  // nothing picked: written as cursor 0
}

TEST(OverlayDialog, LineAndChecks) {
    EXPECT_EQ(dialogs::overlayLine(nullptr), "addoverlayimage ");
    overlay o;
    o.parse("addoverlayimage door {door.bmp} 10 -20 3");
    EXPECT_EQ(dialogs::overlayLine(&o), "addoverlayimage door {door.bmp} 10 -20 3");

    overlay parsed;
    EXPECT_EQ(dialogs::checkOverlayLine("   ", parsed), dialogs::OverlayCheck::Remove);
    EXPECT_EQ(dialogs::checkOverlayLine("addoverlayimage ", parsed),
              dialogs::OverlayCheck::NoHandle);
    EXPECT_EQ(dialogs::checkOverlayLine("addoverlayimage  door x 1 2 3", parsed),
              dialogs::OverlayCheck::NoHandle);
    EXPECT_EQ(dialogs::checkOverlayLine("addoverlayimage h pic.bmp 1 2 3", parsed),
              dialogs::OverlayCheck::Accept);
    EXPECT_EQ(parsed.getFile(), "pic.bmp");
}

TEST(GameFolder, NamesResolveBesideTheView) {
    EXPECT_EQ(dialogs::resolveInGameFolder("/games/castle", "hall.bmp"), "/games/castle/hall.bmp");
    EXPECT_EQ(dialogs::resolveInGameFolder("/games/castle/", "hall.bmp"), "/games/castle/hall.bmp");
    EXPECT_EQ(dialogs::resolveInGameFolder("/games", "/abs/hall.bmp"), "/abs/hall.bmp");
    EXPECT_EQ(dialogs::resolveInGameFolder("/games", ""), "");
    EXPECT_EQ(dialogs::folderOf("/games/castle/hall.scn"), "/games/castle");
    EXPECT_EQ(dialogs::folderOf("/hall.scn"), "/");
    EXPECT_EQ(dialogs::folderOf("hall.scn"), "");
}

TEST(PicturePixels, ConvertsEveryDepthAndRejectsBadLayouts) {
    Picture pal;
    pal.width = 2;
    pal.height = 2;
    pal.bitsPerPixel = 8;
    pal.palette = {0x10, 0x20, 0x30, 0, 0xFF, 0xFF, 0xFF, 0};
    pal.stride = 4;
    pal.pixels = {0, 1, 9, 9, 1, 5, 9, 9};  // index 5 has no palette entry
    pal.topDown = false;
    RgbImage out;
    ASSERT_TRUE(pictureToRgb(pal, out));
    EXPECT_EQ(out.pixels[0], 0xFFFFFFFFu);  // bottom-up: row 0 is the last stored row
    EXPECT_EQ(out.pixels[1], 0xFF000000u);
    EXPECT_EQ(out.pixels[2], 0xFF302010u);

    Picture rgb;
    rgb.width = 1;
    rgb.height = 1;
    rgb.bitsPerPixel = 24;
    rgb.stride = 3;
    rgb.pixels = {1, 2, 3};
    ASSERT_TRUE(pictureToRgb(rgb, out));
    EXPECT_EQ(out.pixels[0], 0xFF030201u);

    Picture shortRows = rgb;
    shortRows.height = 2;  // only one row of bytes
    EXPECT_FALSE(pictureToRgb(shortRows, out));
    Picture narrowStride = rgb;
    narrowStride.stride = 2;
    EXPECT_FALSE(pictureToRgb(narrowStride, out));
    Picture odd = rgb;
    odd.bitsPerPixel = 16;
    EXPECT_FALSE(pictureToRgb(odd, out));
    EXPECT_FALSE(pictureToRgb(Picture(), out));
}

TEST(TestView, SlotsEnvironmentAndRunningEngines) {
    const fs::path game = fs::temp_directory_path() / ("pandrel-slots-" + std::to_string(getpid()));
    fs::create_directories(game / "slot2.sav");  // a folder is no saved slot
    for (const char* name : {"slot1.sav", "slot30.sav", "slot31.sav", "slot0.sav", "slot5.jpg"})
        std::ofstream(game / name) << "x";
    EXPECT_EQ(testview::savedSlots(game.string()), (std::vector<int>{1, 30}));

    using Env = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        int slot;
        Env env;
    };
    for (const Case& c :
         {Case{0, {{"VORLEN_LIVE", "1"}, {"VORLEN_START_VIEW", "a.scn"}}},
          Case{1,
               {{"VORLEN_LIVE", "1"}, {"VORLEN_START_VIEW", "a.scn"}, {"VORLEN_START_SLOT", "1"}}},
          Case{30,
               {{"VORLEN_LIVE", "1"}, {"VORLEN_START_VIEW", "a.scn"}, {"VORLEN_START_SLOT", "30"}}},
          Case{31, {{"VORLEN_LIVE", "1"}, {"VORLEN_START_VIEW", "a.scn"}}}}) {
        EXPECT_EQ(testview::engineEnvironment("a.scn", c.slot), c.env) << c.slot;
    }

    // The last engine on the same folder (however spelt) that still runs.
    std::vector<testview::EngineRun> runs{
        {10, game.string()}, {11, "/"}, {12, game.string() + "/."}};
    auto alive = [](std::vector<long long> pids) {
        return [pids](long long pid) { return std::count(pids.begin(), pids.end(), pid) > 0; };
    };
    EXPECT_EQ(testview::runningEngine(runs, game.string(), alive({10, 11, 12})), 2);
    EXPECT_EQ(testview::runningEngine(runs, game.string(), alive({10, 11})), 0);
    EXPECT_EQ(testview::runningEngine(runs, game.string(), alive({11})), -1);
    EXPECT_EQ(testview::runningEngine({}, game.string(), alive({10})), -1);
    fs::remove_all(game);
}

TEST(TestView, FolderLinksTheGameAndHoldsTheView) {
    const fs::path root = fs::temp_directory_path() / ("pandrel-tv-" + std::to_string(getpid()));
    const fs::path game = root / "game";
    fs::create_directories(game / "sub");
    std::ofstream(game / "hall.bmp") << "picture";
    std::ofstream(game / "init.scn") << "the real first view";
    std::string error;
    const std::string folder =
        testview::prepareFolder(game.string(), root.string(), "VIEW x\r\n", error);
    ASSERT_FALSE(folder.empty()) << error;
    EXPECT_TRUE(fs::is_symlink(fs::path(folder) / "hall.bmp"));
    EXPECT_TRUE(fs::is_directory(fs::path(folder) / "sub"));
    std::string bytes;
    std::ifstream in(fs::path(folder) / "init.scn", std::ios::binary);
    std::getline(in, bytes, '\0');
    EXPECT_EQ(bytes, "VIEW x\r\n");
    std::ifstream real(game / "init.scn");
    std::getline(real, bytes);
    EXPECT_EQ(bytes, "the real first view");
    testview::removeFolder(folder);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(game / "hall.bmp"));  // the game itself is untouched
    EXPECT_TRUE(
        testview::prepareFolder(game.string(), (root / "nope").string(), "", error).empty());
    fs::remove_all(root);
}

}  // namespace
