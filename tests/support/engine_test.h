#pragma once
// A fresh engine in a game folder of its own (a temporary directory), on the headless
// runner's platform: a virtual clock, scripted input, a queue of window messages. The
// engine is not started; tests add the pieces they need (screen, input) and drive its
// subsystems directly. Every console line is captured.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/game_files.h"
#include "engine/main/standard_services.h"
#include "platform/headless/headless_host.h"
#include "platform/image/bmp_writer.h"
#include "platform/key_names.h"
#include "support/engine_test_access.h"

class EngineTest : public ::testing::Test {
protected:
    struct Line {
        std::string text;  // without its number
        uint32_t colour;
    };

    void SetUp() override {
        char pattern[] = "/tmp/vorlen-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        engine = std::make_unique<Engine>(host, GameFolder(dir.string()));
        engine->console().listener = [this](const std::string& line, uint32_t colour) {
            size_t colon = line.find(": ");
            lines.push_back({colon == std::string::npos ? line : line.substr(colon + 2), colour});
        };
        g().events = host.createEvents();
        events = host.queue();
        // Tests compare what scripts print, not the echo of every line.
        interpreter().setEchoLines(false);
    }

    void TearDown() override {
        engine.reset();
        std::error_code error;
        std::filesystem::remove_all(dir, error);
    }

    GameState& g() { return EngineTestAccess::state(*engine); }
    Scene& scene() { return EngineTestAccess::scene(*engine); }
    TextRenderer* text() { return standard.services().text; }
    const PictureFormats* pictures() { return standard.services().pictures; }
    VirtualClock& clock() { return host.virtualClock(); }
    Interpreter& interpreter() { return engine->interpreter(); }

    // A 640x480 screen whose every present moves the clock on by 10 ms.
    void addScreen() {
        g().screen =
            std::make_unique<Screen>(host.createDisplay(), host.clock(), text(), pictures());
        ASSERT_EQ(g().screen->createWindowed(640, 480), 0);
        engine->assets().setScreen(g().screen.get());
    }
    // The scripted keyboard, mouse and joystick.
    void addInput() {
        g().input = std::make_unique<InputDevice>(host.clock());
        g().input->create(host.createInput());
    }
    void setKey(const char* name, bool down) { host.setKey(keyCodeForName(name), down); }
    // One poll with the key down, as a frame would see it.
    void pollWith(const char* name) {
        setKey(name, true);
        g().input->poll();
    }
    void poll() { g().input->poll(); }

    // A file of the game folder.
    std::string path(const std::string& name) const { return (dir / name).string(); }
    void write(const std::string& name, const std::string& content) {
        std::ofstream(path(name), std::ios::binary) << content;
    }
    // Runs a script as a click or on-load script does (or as a console line).
    void run(const Script& script, bool fromConsole = false) {
        interpreter().runScript(script, 0, fromConsole);
    }

    // The console's frame while it is shown.
    void runConsole() {
        g().console.runFrame(g().input.get(), g().screen ? &g().screen->back() : nullptr,
                             [this](const std::string& line) { engine->runConsoleLine(line); });
    }
    // The pointer's frame for the cursor kind under it.
    void drawPointer(int kind, int x, int y) {
        g().pointer.draw(kind, x, y, g().screen->back(), g().inventory, engine->assets());
    }
    void cycleInventory() {
        g().inventory.cycle([this] {
            return engine->assets().sheet(game_files::kHeldKnight.file,
                                          game_files::kHeldKnight.settings());
        });
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Line& l : lines) out.push_back(l.text);
        return out;
    }
    std::vector<std::string> reds() const {
        std::vector<std::string> out;
        for (const Line& l : lines)
            if (l.colour == kRed) out.push_back(l.text);
        return out;
    }
    int32_t var(const std::string& name) { return g().variables[name]; }
    bool hasVar(const std::string& name) { return g().variables.count(name) != 0; }

    StandardServices standard;
    HeadlessHost host{standard.services()};
    std::unique_ptr<Engine> engine;
    QueuedEventSource* events = nullptr;
    std::filesystem::path dir;
    std::vector<Line> lines;
};
