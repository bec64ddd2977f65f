// The program: its output formats, options and exit status, and that it needs no
// display library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "checker_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace checker_test;

struct CheckerRun {
    int status = -1;
    std::vector<std::string> lines;
};

CheckerRun runChecker(const std::string& arguments, const std::string& inFolder = "/tmp") {
    const std::string program = (headless_test::buildDir() / "vorlen-check").string();
    const std::string command =
        "cd '" + inFolder + "' && '" + program + "' " + arguments + " 2>/dev/null";
    CheckerRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::string out;
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        run.lines.push_back(out.substr(start, end - start));
        start = end + 1;
    }
    return run;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        writeEngineFiles(game);
        // The demo's title movie, so a clean game checks without a warning.
        std::filesystem::copy_file(headless_test::buildDir() / "demo-game" / "nivoktit.mpg",
                                   game.path() / "nivoktit.mpg");
    }
    std::string folder() const { return "'" + game.path().string() + "'"; }
    headless_test::GameFolder game;
};

TEST_F(Program, ExitStatusSaysWhetherThereIsAnError) {
    game.write("init.scn", view("beep\n"));
    CheckerRun clean = runChecker(folder());
    EXPECT_EQ(clean.status, 0);
    EXPECT_THAT(clean.lines, ElementsAre());

    game.write("init.scn", view("beep twice\n"));
    EXPECT_EQ(runChecker(folder()).status, 0);  // a warning
    CheckerRun strict = runChecker("--werror " + folder());
    EXPECT_EQ(strict.status, 1);
    EXPECT_THAT(strict.lines, ElementsAre("init.scn:4: error: extra words are ignored: 'beep'"));

    game.write("init.scn", view("bleep\n"));
    CheckerRun broken = runChecker(folder());
    EXPECT_EQ(broken.status, 1);
    EXPECT_THAT(broken.lines,
                ElementsAre("init.scn:4: error: unknown command 'bleep'; did you mean 'beep'?"));
}

TEST_F(Program, ChecksTheCurrentFolderByDefault) {
    game.write("init.scn", view("bleep\n"));
    CheckerRun run = runChecker("", game.path().string());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines.size(), 1u);
}

TEST_F(Program, AFolderThatCannotBeReadIsStatusTwo) {
    EXPECT_EQ(runChecker("/nonexistent/game").status, 2);
    EXPECT_EQ(runChecker("--frobnicate " + folder()).status, 2);
    EXPECT_EQ(runChecker(folder() + " " + folder()).status, 2);
}

TEST_F(Program, JsonLinesCarryTheHotspot) {
    game.write("init.scn", view("", hotspot("door\"s", "bleep\n")));
    CheckerRun run = runChecker("--json " + folder());
    EXPECT_EQ(run.status, 1);
    ASSERT_THAT(run.lines,
                ElementsAre("{\"file\":\"init.scn\",\"line\":10,\"severity\":\"error\",\"text\":"
                            "\"unknown command 'bleep'; did you mean 'beep'?\",\"hotspot\":0,"
                            "\"hotspotName\":\"door\\\"s\"}"));
    Diagnostic d;
    ASSERT_TRUE(parseJsonDiagnostic(run.lines[0], d));
    EXPECT_EQ(d.hotspotName, "door\"s");
    EXPECT_EQ(d.line, 10);
}

TEST_F(Program, OneViewWithItsFiles) {
    game.write("init.scn", "broken");
    game.write("room.scn", view("playsound nothere.wav\n"));
    CheckerRun run = runChecker("--view room.scn " + folder());
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.lines, ElementsAre("room.scn:4: error: cannot find sound 'nothere.wav'"));
}

TEST(CheckerProgram, LinksNoDisplayLibrary) {
    const std::string program = (headless_test::buildDir() / "vorlen-check").string();
    FILE* pipe = popen(("ldd '" + program + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    EXPECT_THAT(out, HasSubstr("libavformat"));
    EXPECT_THAT(out, Not(HasSubstr("libSDL")));
    EXPECT_THAT(out, Not(HasSubstr("libQt")));
}

}  // namespace
