#pragma once
// A generated game in a temporary folder, removed with the object.
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/solver/game_writer.h"

class TestGame {
public:
    explicit TestGame(const std::vector<ViewPlan>& views) {
        char pattern[] = "/tmp/vorlen-solve-XXXXXX";
        if (mkdtemp(pattern)) path_ = pattern;
        writeGame(path_, views);
    }
    ~TestGame() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TestGame(const TestGame&) = delete;
    TestGame& operator=(const TestGame&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
