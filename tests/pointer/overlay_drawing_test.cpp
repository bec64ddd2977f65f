// What the console panel and debug mode draw over a Play frame.
#include <fstream>

#include "sheet_fixture.h"

namespace {

class OverlayDrawing : public SheetFixture {
protected:
    uint32_t white() { return g().screen->format().map(255, 255, 255); }
    uint32_t at(int x, int y) { return g().screen->back().getPixel(x, y); }
};

TEST_F(OverlayDrawing, ThePanelIsFramedAndShowsAShortLogInItsBottomRows) {
    clearBack();
    for (const char* text : {"first", "second", "third"}) g().console.print(text, kWhite);
    runConsole();
    for (int x : {0, 320, 639}) {
        EXPECT_EQ(at(x, 0), white());
        EXPECT_EQ(at(x, 130), white());
        EXPECT_EQ(at(x, 150), white());
    }
    EXPECT_EQ(at(0, 75), white());
    EXPECT_EQ(at(639, 75), white());
    EXPECT_NE(at(320, 151), white());

    // Rows 0 to 5 (y 5 to 82) stay empty; text shows in the last three rows.
    auto inkIn = [&](int top, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 5; x < 200; ++x) ink += at(x, y) != 0;
        }
        return ink;
    };
    EXPECT_EQ(inkIn(3, 83), 0);
    EXPECT_GT(inkIn(96, 128), 0);
    EXPECT_GT(inkIn(132, 149), 0);  // the input strip's "> |"
}

TEST_F(OverlayDrawing, DebugModeOutlinesHotspotsAndMarksThePointer) {
    write("debug.scn",
          "VIEW d\r\nBASEIMAGE none\r\nONLOADSTART\r\nONLOADEND\r\n"
          "HOTSPOTSTART box\r\nCURSOR 2\r\nCOORD (300,300),(400,300),(400,380),(300,380)\r\n"
          "ONCONDITION ()\r\nONCLICKSTART\r\nONCLICKEND\r\nHOTSPOTEND\r\n");
    scene().setView(std::make_unique<View>(g().variables, g().console));
    std::string error;
    ASSERT_TRUE(scene().view()->load("debug.scn", engine->folder(), error)) << error;
    clearBack();
    scene().drawDebugOverlay(200, 250, debugFigures(g()));
    EXPECT_EQ(at(350, 300), white());  // top edge
    EXPECT_EQ(at(400, 340), white());  // right edge
    EXPECT_EQ(at(300, 340), white());  // closing edge back to the first vertex
    EXPECT_NE(at(350, 340), white());  // not filled
    for (auto [x, y] : {std::pair{200, 250}, {199, 249}, {201, 249}, {199, 251}, {201, 251}}) {
        EXPECT_EQ(at(x, y), white()) << x << "," << y;
    }
    EXPECT_NE(at(200, 249), white());
    // The four red lines start at the left edge.
    int red = 0;
    uint32_t redPixel = g().screen->format().map(255, 0, 0);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 100; ++x) red += at(x, y) == redPixel;
    }
    EXPECT_GT(red, 50);
}

}  // namespace
