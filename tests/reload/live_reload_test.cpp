// Live reload through engine-headless: the view file written between frames shows in
// `state` at once, with the game's own state kept.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

#include "platform/image/bmp_writer.h"
#include "support/headless_run.h"
#include "support/painted_picture.h"

namespace {

using headless_test::Area;
using headless_test::GameFolder;
using headless_test::viewFile;
namespace fs = std::filesystem;

// engine-headless fed one batch of commands at a time; every batch ends with `state`,
// and its lines are read up to "S end", so the test knows the engine is done with it.
class LiveRun {
public:
    explicit LiveRun(const fs::path& folder) {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) return;
        fs::path program = headless_test::buildDir() / "engine-headless";
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            if (chdir(folder.c_str()) != 0) _exit(127);
            setenv("VORLEN_LIVE", "1", 1);
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        to_ = fdopen(in[1], "w");
        from_ = fdopen(out[0], "r");
    }
    ~LiveRun() { finish(); }

    // Runs the commands and `state`; the lines printed meanwhile.
    std::vector<std::string> send(const std::string& commands) {
        std::vector<std::string> lines;
        if (!to_ || !from_) return lines;
        std::fputs((commands + "state\n").c_str(), to_);
        std::fflush(to_);
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, from_)) {
            std::string line(buffer);
            if (!line.empty() && line.back() == '\n') line.pop_back();
            if (line == "S end") break;
            lines.push_back(line);
        }
        return lines;
    }

    int finish() {
        if (to_) {
            std::fclose(to_);
            to_ = nullptr;
        }
        if (from_) {
            std::fclose(from_);
            from_ = nullptr;
        }
        int status = -1;
        if (pid_ > 0) {
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    FILE* to_ = nullptr;
    FILE* from_ = nullptr;
};

std::vector<std::string> starting(const std::vector<std::string>& lines, const std::string& head) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.rfind(head, 0) == 0) out.push_back(l);
    return out;
}

// The variables a script set (the pointer's own "cursor" variables follow the frame).
std::vector<std::string> scriptVariables(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : starting(lines, "S var="))
        if (l.rfind("S var=cursor", 0) != 0) out.push_back(l);
    return out;
}

bool endsWith(const std::vector<std::string>& lines, const std::string& tail) {
    for (const std::string& l : lines)
        if (l.size() >= tail.size() && l.compare(l.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    return false;
}

// Writes in place, or as editors that save a copy and rename it over the file.
void save(const GameFolder& game, const std::string& name, const std::string& text, bool rename) {
    fs::path target = game.path() / name;
    fs::path written = rename ? game.path() / (name + ".tmp") : target;
    std::ofstream(written, std::ios::binary) << text;
    if (rename) fs::rename(written, target);
}

const Area kDoor{"door", 2, 10, 10, 100, 100, "let clicked=1\r\n"};
const Area kWell{"well", 6, 300, 300, 400, 400, ""};

TEST(LiveReload, EachChangeToTheViewShowsAtOnceWithTheGameKept) {
    GameFolder game;
    game.writeBmp("base.bmp", 640, 480, 0x203040);
    game.write("init.scn", viewFile("base.bmp", {kDoor, kWell}, "let loads=loads+1\r\n"));
    LiveRun run(game.path());
    auto before = run.send(
        "console addinv inv_horse\nconsole let kept=7\n"
        "console disablehs well\nmove 150 150\nframes 1\n");
    ASSERT_EQ(starting(before, "S hotspot="),
              (std::vector<std::string>{"S hotspot=door 1 1 2", "S hotspot=well 0 1 6"}));
    const std::vector<std::string> variables = scriptVariables(before);
    ASSERT_EQ(variables, (std::vector<std::string>{"S var=kept=7", "S var=loads=1"}));

    Area moved = kDoor;
    moved.x2 = moved.y2 = 200;
    Area renamed = moved;
    renamed.name = "gate";
    Area clicks = renamed;
    clicks.click = "let clicked=2\r\n";
    struct Case {
        const char* what;
        std::vector<Area> areas;
        bool rename;
        std::vector<std::string> hotspots;
        const char* cursor;  // under the pointer at (150, 150)
    };
    const Case cases[] = {
        {"moved", {moved, kWell}, false, {"S hotspot=door 1 1 2", "S hotspot=well 0 1 6"}, "2"},
        {"renamed", {renamed, kWell}, true, {"S hotspot=gate 1 1 2", "S hotspot=well 0 1 6"}, "2"},
        {"added",
         {renamed, kWell, kDoor},
         false,
         {"S hotspot=gate 1 1 2", "S hotspot=well 0 1 6", "S hotspot=door 1 1 2"},
         "2"},
        {"deleted", {kWell}, true, {"S hotspot=well 0 1 6"}, "-1"},
        {"script changed",
         {clicks, kWell},
         false,
         {"S hotspot=gate 1 1 2", "S hotspot=well 0 1 6"},
         "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        save(game, "init.scn", viewFile("base.bmp", c.areas, "let loads=loads+1\r\n"), c.rename);
        auto after = run.send("frames 1\n");
        EXPECT_TRUE(endsWith(after, "Reloaded init.scn"));
        EXPECT_EQ(starting(after, "S hotspot="), c.hotspots);
        EXPECT_EQ(scriptVariables(after), variables);
        EXPECT_EQ(starting(after, "S inventory="), (std::vector<std::string>{"S inventory=1"}));
        EXPECT_EQ(starting(after, "S var=cursor="),
                  (std::vector<std::string>{std::string("S var=cursor=") + c.cursor}));
    }
    // The changed click script is the one that runs.
    auto clicked = run.send("tap MOUSE LEFT\n");
    EXPECT_EQ(starting(clicked, "S var=clicked="), (std::vector<std::string>{"S var=clicked=2"}));
    EXPECT_EQ(run.finish(), 0);
}

TEST(LiveReload, AFileThatDoesNotReadKeepsTheViewAndQuickWritesEndWithTheLast) {
    GameFolder game;
    game.writeBmp("base.bmp", 640, 480, 0x203040);
    game.write("init.scn", viewFile("base.bmp", {kDoor}));
    LiveRun run(game.path());
    run.send("frames 1\n");

    game.write("init.scn", "VIEW broken\r\nBASEIMAGE base.bmp\r\nHOTSPOTSTART x\r\n");
    auto broken = run.send("frames 1\n");
    EXPECT_TRUE(std::find(broken.begin(), broken.end(), "S hotspot=door 1 1 2") != broken.end());
    EXPECT_FALSE(endsWith(broken, "Reloaded init.scn"));
    EXPECT_FALSE(starting(broken, "R ").empty());

    // 100 versions written while the engine runs frames: some reads may catch a file half
    // written (a red line, the view kept); the last version is the one that stays.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 100; ++i) {
            Area a = kDoor;
            a.name = "v" + std::to_string(i);
            save(game, "init.scn", viewFile("base.bmp", {a, kWell}), i % 2 == 1);
        }
        done = true;
    });
    while (!done) run.send("frames 5\n");
    writer.join();
    auto last = run.send("frames 1\n");
    EXPECT_EQ(starting(last, "S hotspot="),
              (std::vector<std::string>{"S hotspot=v99 1 1 2", "S hotspot=well 1 1 6"}));
    EXPECT_EQ(run.finish(), 0);
}

// The colour (0xRRGGBB) of a pixel of a bottom-up 24-bit BMP as `shot` writes it.
uint32_t pixelOf(const fs::path& file, int x, int y) {
    std::ifstream in(file, std::ios::binary);
    std::string b((std::istreambuf_iterator<char>(in)), {});
    size_t at = 54 + static_cast<size_t>(479 - y) * 640 * 3 + static_cast<size_t>(x) * 3;
    if (b.size() < at + 3) return 0xFFFFFFFF;
    auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(b[i])); };
    return byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at);
}

// An overlay picture: its top-left pixel (the transparent colour) black, the rest `rgb`.
void writeSign(const GameFolder& game, const std::string& name, uint32_t rgb) {
    writeBmp24((game.path() / name).string(),
               paintedPicture(40, 40, [rgb](int x, int y) { return x + y == 0 ? 0u : rgb; }));
}

TEST(LiveReload, TheBaseImageAndOverlayPicturesAreReadAgain) {
    GameFolder game;
    game.writeBmp("base.bmp", 640, 480, 0x0000FF);
    writeSign(game, "sign.bmp", 0x00FF00);
    writeSign(game, "other.bmp", 0x00FF00);
    game.write("init.scn",
               viewFile("base.bmp", {kDoor}, "addoverlayimage sign sign.bmp 200 200 1\r\n"));
    LiveRun run(game.path());
    run.send("frames 1\nshot before.bmp\n");
    game.writeBmp("base.bmp", 640, 480, 0xFF0000);
    writeSign(game, "sign.bmp", 0xFFFF00);
    writeSign(game, "other.bmp", 0xFFFFFF);  // shown nowhere: nothing to do
    auto lines = run.send("frames 1\nshot after.bmp\n");
    EXPECT_TRUE(endsWith(lines, "Reloaded base.bmp"));
    EXPECT_TRUE(endsWith(lines, "Reloaded sign.bmp"));
    EXPECT_FALSE(endsWith(lines, "Reloaded other.bmp"));
    EXPECT_EQ(starting(lines, "S images="), (std::vector<std::string>{"S images=sign"}));
    struct Pixel {
        const char* shot;
        int x, y;
        uint32_t rgb;
    };
    for (const Pixel& p :
         {Pixel{"before.bmp", 10, 400, 0x0000FF}, Pixel{"after.bmp", 10, 400, 0xFF0000},
          Pixel{"before.bmp", 220, 220, 0x00FF00}, Pixel{"after.bmp", 220, 220, 0xFFFF00}}) {
        EXPECT_EQ(pixelOf(game.path() / p.shot, p.x, p.y), p.rgb) << p.shot << " " << p.x;
    }
    EXPECT_EQ(run.finish(), 0);
}

TEST(LiveReload, TheReloadCommandRunsTheOnLoadScriptOnlyWhenAsked) {
    GameFolder game;
    game.writeBmp("base.bmp", 640, 480, 0x203040);
    game.write("init.scn", viewFile("base.bmp", {kDoor}, "let loads=loads+1\r\n"));
    struct Case {
        const char* line;
        const char* loads;
        const char* printed;
    };
    for (const Case& c :
         {Case{"reload", "1", "Reloaded init.scn"}, Case{"reload onload", "2", "Reloaded init.scn"},
          Case{"reload again", "1", "Expected nothing or onload"},
          Case{"reload onload twice", "1", "Expected nothing or onload"}}) {
        SCOPED_TRACE(c.line);
        auto run = headless_test::runHeadless(
            game, std::string("frames 1\nconsole ") + c.line + "\nstate\nclose\n");
        EXPECT_EQ(run.state("var"), std::string("loads=") + c.loads);
        EXPECT_TRUE(run.printed(c.printed)) << run.all();
    }
}

}  // namespace
