#pragma once
// Runs engine-headless from the build tree in a throwaway game folder made by the test.
#include <filesystem>
#include <string>
#include <vector>

namespace headless_test {

class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& content) const;
    // Copies every file of `source` into the folder.
    void copyFrom(const std::filesystem::path& source) const;
    // A 24-bit BMP of one colour, or with a callback choosing each pixel (B,G,R).
    void writeBmp(const std::string& name, int width, int height, uint32_t rgb) const;

private:
    std::filesystem::path path_;
};

// The build folder: VORLEN_BUILD_DIR, or the folder above this test program.
std::filesystem::path buildDir();

struct RunResult {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
    bool has(const std::string& line) const;
    // Index of the first line equal to `line`, or -1.
    int indexOf(const std::string& line) const;
    std::string state(const std::string& key) const;
    // True when some line ends with `tail` (console lines carry their numbers).
    bool printed(const std::string& tail) const;
    std::string all() const;
    // The S lines of every `state` in the output, one block per state.
    std::vector<std::vector<std::string>> stateBlocks() const;
};

// A file's whole content ("" when it cannot be read).
std::string readFile(const std::filesystem::path& path);

RunResult runHeadless(const std::filesystem::path& folder, const std::string& input);
inline RunResult runHeadless(const GameFolder& folder, const std::string& input) {
    return runHeadless(folder.path(), input);
}

// A minimal view file with one hotspot per entry of `hotspots` (name, cursor, x1, y1,
// x2, y2 as a rectangle) and the given on-load lines.
struct Area {
    std::string name;
    int cursor;
    int x1, y1, x2, y2;
    std::string click;
};
std::string viewFile(const std::string& base, const std::vector<Area>& hotspots,
                     const std::string& onLoad = "");

}  // namespace headless_test
