#pragma once
// A fresh engine state with the console captured, in a scratch folder of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/console.h"
#include "engine/game_state.h"
#include "script/interpreter.h"

class ScriptTest : public ::testing::Test {
protected:
    struct Line {
        std::string text;
        uint32_t colour;
    };

    void SetUp() override {
        char pattern[] = "/tmp/vorlen-script-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous_ = cwd;
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        resetGame();
        resetInterpreter();
        setEchoLines(false);
        game().currentView = std::make_unique<View>();
        game().consoleListener = [this](const std::string& line, uint32_t colour) {
            size_t colon = line.find(": ");
            lines.push_back({colon == std::string::npos ? line : line.substr(colon + 2), colour});
        };
    }

    void TearDown() override {
        resetGame();
        resetInterpreter();
        if (chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

    void write(const std::string& name, const std::string& content) {
        std::ofstream(name, std::ios::binary) << content;
    }

    void run(const Script& script, bool fromConsole = false) { runScript(script, 0, fromConsole); }

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
    int32_t var(const std::string& name) { return game().variables[name]; }
    bool hasVar(const std::string& name) const { return game().variables.count(name) != 0; }

    std::vector<Line> lines;
    std::string folder_, previous_;
};
