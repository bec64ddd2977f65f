// The save/load page's face: written with the default face when the game has none, and
// the author told once.
#include <filesystem>

#include "support/engine_test.h"

namespace {

using ::testing::ElementsAre;

class SavePageFont : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        addScreen();
        g().mode = SaveScreen;
    }
    // Pixels of the page's white text.
    int whitePixels() {
        Surface& page = *scene().backdrop();
        const uint32_t white = page.format().map(255, 255, 255);
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) n += page.getPixel(x, y) == white;
        return n;
    }
    // What was said about the face.
    std::vector<std::string> faceLines() {
        std::vector<std::string> said;
        for (const std::string& line : reds())
            if (line.find("pookie") != std::string::npos) said.push_back(line);
        return said;
    }
    static constexpr const char* kMissing =
        "Font face pookie is not available, using the default face";
};

TEST_F(SavePageFont, AMissingFaceIsNamedOnceAndTheDefaultFaceWritesThePage) {
    EngineTestAccess::page(*engine).build();
    EXPECT_GT(whitePixels(), 200);
    EngineTestAccess::page(*engine).build();  // every page turn builds the page again
    EXPECT_THAT(faceLines(), ElementsAre(kMissing));
}

TEST_F(SavePageFont, TheGamesFaceIsUsedWithoutComplaint) {
    std::filesystem::copy_file(kFallbackFontPath, path("pookie.ttf"));
    ASSERT_TRUE(text()->registerFontFile(path("pookie.ttf")));
    EngineTestAccess::page(*engine).build();
    EXPECT_GT(whitePixels(), 200);
    EXPECT_TRUE(faceLines().empty());
}

}  // namespace
