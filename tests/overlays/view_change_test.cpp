// Overlays across a view change: the outgoing picture keeps the old view's overlays, the
// incoming one shows those its on-load script adds, and the old ones are gone.
#include "scene_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t kOldBase = 0x303030, kNewBase = 0x606060;
constexpr uint32_t kOldOverlay = 0xE00000, kNewOverlay = 0x00E000;

class OverlaysAcrossViews : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        writePicture("old.bmp", 640, 480, kOldBase);
        writePicture("new.bmp", 640, 480, kNewBase);
        writePicture("a.bmp", 40, 40, kOldOverlay);
        writePicture("b.bmp", 40, 40, kNewOverlay);
        writeMovie("m.mpg", 25);
        writePicture("sheet.bmp", 64, 64, kOldOverlay);
        write("next.scn",
              "VIEW next\r\nBASEIMAGE new.bmp\r\nONLOADSTART\r\n"
              "addoverlayimage fresh b.bmp 300 300 0\r\nONLOADEND\r\n");
        engine->assets().drawPictureInto("old.bmp", *scene().backdrop());
        run({"addoverlayimage old a.bmp 100 100 0",
             "addoverlayanim glow sheet.bmp 200 100 64 64 0 10 0",
             "addoverlaymovie m m.mpg 400 100 80 60"});
        lines.clear();
    }
    // The back buffer's colour at two places at every present.
    struct Seen {
        uint32_t oldPlace, newPlace;
    };
    std::vector<Seen> watch() {
        std::vector<Seen> seen;
        onPresent = [this, &seen] { seen.push_back({at(110, 110), at(310, 310)}); };
        run({"load next.scn"});
        onPresent = nullptr;
        return seen;
    }
    // How near a 16-bit pixel is to a colour, per channel on the 8-bit scale.
    bool near(uint32_t got, uint32_t rgb) {
        const PixelFormat& f = g().screen->format();
        auto channel = [got](uint32_t mask, int shift) {
            return static_cast<int>(((got >> shift) & mask) * 255 / mask);
        };
        return std::abs(channel(f.redMask, f.redShift) - int((rgb >> 16) & 0xFF)) < 24 &&
               std::abs(channel(f.greenMask, f.greenShift) - int((rgb >> 8) & 0xFF)) < 24 &&
               std::abs(channel(f.blueMask, f.blueShift) - int(rgb & 0xFF)) < 24;
    }
};

TEST_F(OverlaysAcrossViews, LoadClearsEveryOverlayAndTheNewViewAddsItsOwn) {
    run({"load next.scn"});
    EXPECT_THAT(scene().overlays().imageNames(), ElementsAre("fresh"));
    EXPECT_THAT(scene().overlays().animNames(), IsEmpty());
    EXPECT_THAT(scene().overlays().movieNames(), IsEmpty());
    playFrame();
    EXPECT_EQ(at(110, 110), pixel(kNewBase));
    EXPECT_EQ(at(310, 310), pixel(kNewOverlay));
}

TEST_F(OverlaysAcrossViews, ACrossFadeKeepsTheOldOverlaysOutAndShowsTheNewOnesIn) {
    run({"trans alpha 50"});
    std::vector<Seen> seen = watch();
    ASSERT_EQ(seen.size(), 6u);  // levels 255, 205, 155, 105, 55, 5
    EXPECT_TRUE(near(seen[0].oldPlace, kOldOverlay));
    EXPECT_TRUE(near(seen[0].newPlace, kOldBase));
    EXPECT_TRUE(near(seen[5].oldPlace, kNewBase));
    EXPECT_TRUE(near(seen[5].newPlace, kNewOverlay));
}

TEST_F(OverlaysAcrossViews, AFadeThroughBlackShowsTheNewOverlays) {
    run({"trans black 0"});
    std::vector<Seen> seen = watch();
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(near(seen.back().newPlace, kNewOverlay));
    EXPECT_TRUE(near(seen.back().oldPlace, kNewBase));
}

TEST_F(OverlaysAcrossViews, TheEndingAndShutdownClearThem) {
    scene().showEnding();
    EXPECT_TRUE(scene().overlays().empty());
    run({"addoverlaymovie m m.mpg 400 100 80 60", "addoverlayimage x a.bmp 0 0 0"});
    engine->shutdown();
    EXPECT_TRUE(scene().overlays().empty());
}

// The load and save pages' way back draws images and animations over the rebuilt backdrop.
TEST_F(OverlaysAcrossViews, RestoringTheViewDrawsTheImagesAndAnimations) {
    write("here.scn", "VIEW here\r\nBASEIMAGE old.bmp\r\nONLOADSTART\r\nONLOADEND\r\n");
    scene().setView(std::make_unique<View>(g().variables, g().console));
    std::string error;
    ASSERT_TRUE(scene().view()->load("here.scn", engine->folder(), error)) << error;
    scene().restoreView();
    EXPECT_EQ(at(110, 110), pixel(kOldOverlay));
    EXPECT_EQ(at(210, 110), pixel(kOldOverlay));
    EXPECT_EQ(at(50, 50), pixel(kOldBase));
}

}  // namespace
