#pragma once
// Runs the engine programs from the build tree in throwaway game folders.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace demo_test {

std::filesystem::path buildDir();
// A fresh copy of the generated demo game; empty when the demo was not generated.
std::filesystem::path copyDemo(const std::string& testName);

struct Run {
    int status = -1;
    std::string out;
    std::vector<std::string> lines;
    bool has(const std::string& line) const;
    // True when some output line ends with `tail` (console lines carry their numbers).
    bool printed(const std::string& tail) const;
    // The value of a `S key=` line from the last state report.
    std::string state(const std::string& key) const;
};

// engine-headless in `folder` with `input` as its input file.
Run runHeadless(const std::filesystem::path& folder, const std::string& input);

}  // namespace demo_test
