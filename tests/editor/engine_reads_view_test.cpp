// A view written by the editor, read by the engine: no reading error, clicks land on
// the hotspots where they were drawn, and the editor warns about exactly the script
// lines the engine rejects.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/view_file.h"
#include "platform/image/file_writer.h"
#include "support/headless_run.h"

namespace fs = std::filesystem;

namespace {

std::string runCapture(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

shape makeShape(const std::string& name, int cursor, const std::string& script,
                std::initializer_list<std::pair<int, int>> pts) {
    shape s;
    s.makeshape();
    s.setName(name);
    s.setCursor(static_cast<int16_t>(cursor));
    s.setScript(script);
    for (auto [x, y] : pts) s.addPoint(static_cast<int16_t>(x), static_cast<int16_t>(y));
    return s;
}

TEST(EngineReadsEditorView, HotspotsWhereDrawn) {
    const char* buildDir = std::getenv("VORLEN_BUILD_DIR");
    const fs::path engine =
        fs::path(buildDir ? buildDir : VORLEN_BUILD_DIR_DEFAULT) / "engine-headless";
    if (!fs::exists(engine)) GTEST_SKIP() << "engine-headless is not built";

    const fs::path dir = fs::temp_directory_path() / ("pandrel-engine-" + std::to_string(getpid()));
    fs::create_directories(dir);
    EditorModel model;
    model.viewname = "Hall";
    model.onloadscript = "let loaded=1";
    model.shapes.push_back(
        makeShape("Door", 5, "let door=1", {{100, 50}, {300, 50}, {300, 200}, {100, 200}}));
    model.shapes.push_back(
        makeShape("Window", 1, "let window=1", {{400, 300}, {500, 300}, {450, 400}}));
    std::string error;
    ASSERT_TRUE(writeFileAtomically((dir / "init.scn").string(), viewfile::write(model), &error));
    std::ofstream(dir / "input.txt") << "frames 2\nstate\nmove 200 120\ntap MOUSE LEFT\n"
                                        "move 20 20\ntap MOUSE LEFT\nstate\nclose\n";

    const std::string out = runCapture(
        "cd '" + dir.string() + "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 '" +
        engine.string() + "' input.txt 2>&1");
    fs::remove_all(dir);
    if (out.find("\nS end") == std::string::npos && out.find("BOX ") != std::string::npos)
        GTEST_SKIP() << "the engine stopped at start-up without its game files:\n" << out;

    std::istringstream lines(out);
    std::string line;
    std::vector<std::string> hotspots;
    bool doorClicked = false, windowClicked = false, loaded = false;
    while (std::getline(lines, line)) {
        if (line.rfind("R ", 0) == 0) {
            EXPECT_EQ(line.find("Expected"), std::string::npos) << line;
            EXPECT_EQ(line.find("init.scn"), std::string::npos) << line;
        }
        if (line.rfind("S hotspot=", 0) == 0) hotspots.push_back(line.substr(10));
        if (line == "S var=door=1") doorClicked = true;
        if (line.rfind("S var=window=", 0) == 0) windowClicked = true;
        if (line == "S var=loaded=1") loaded = true;
    }
    ASSERT_GE(hotspots.size(), 2u) << out;
    EXPECT_EQ(hotspots[0], "Door 1 1 6");
    EXPECT_EQ(hotspots[1], "Window 1 1 2");
    EXPECT_TRUE(loaded) << out;
    EXPECT_TRUE(doorClicked) << out;
    EXPECT_FALSE(windowClicked) << out;
}

// A line of 99 characters is read whole, one of 100 breaks the view, counted on the
// line as it stands in the file: indentation counts, the CR LF line end does not.
TEST(EngineReadsEditorView, ScriptLineLimitIsTheEngines) {
    if (!fs::exists(headless_test::buildDir() / "engine-headless"))
        GTEST_SKIP() << "engine-headless is not built";
    for (const int indent : {0, 4}) {
        for (const size_t length : {99u, 100u}) {
            SCOPED_TRACE("indent " + std::to_string(indent) + ", length " + std::to_string(length));
            std::string line = std::string(indent, ' ') + "let ok=1";
            line.resize(length, ' ');
            EditorModel model;
            model.onloadscript = "let first=1\r\n" + line + "\r\nlet last=1";
            model.shapes.push_back(makeShape("Door", 1, line, {{1, 1}, {50, 1}, {50, 50}}));
            const std::string text = viewfile::write(model);
            ASSERT_NE(text.find("\r\n" + line + "\r\n"), std::string::npos);

            headless_test::GameFolder game;
            std::string error;
            ASSERT_TRUE(writeFileAtomically((game.path() / "init.scn").string(), text, &error))
                << error;
            const headless_test::RunResult run =
                headless_test::runHeadless(game, "frames 2\nstate\nclose\n");
            const bool engineRejects = run.printed("Script line too long");
            EXPECT_EQ(engineRejects, length > 99) << run.all();
            EXPECT_EQ(run.has("S var=ok=1"), length <= 99) << run.all();
            EXPECT_EQ(!viewfile::engineProblems(model).empty(), engineRejects);
        }
    }
}

}  // namespace
