#include "support/headless_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/image/bmp_writer.h"
#include "platform/image/picture.h"
#include "support/painted_picture.h"

namespace fs = std::filesystem;

namespace headless_test {

namespace {
std::atomic<int> folderCounter{0};

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

GameFolder::GameFolder() {
    path_ = fs::temp_directory_path() / ("vorlen-headless-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(folderCounter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

GameFolder::~GameFolder() {
    fs::remove_all(path_);
}

void GameFolder::write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
}

void GameFolder::copyFrom(const fs::path& source) const {
    fs::copy(source, path_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void GameFolder::writeBmp(const std::string& name, int width, int height, uint32_t rgb) const {
    writeBmp24((path_ / name).string(),
               paintedPicture(width, height, [rgb](int, int) { return rgb; }));
}

fs::path buildDir() {
    if (const char* dir = std::getenv("VORLEN_BUILD_DIR")) return dir;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path().parent_path();
}

bool RunResult::has(const std::string& line) const {
    return indexOf(line) >= 0;
}

int RunResult::indexOf(const std::string& line) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) return static_cast<int>(i);
    }
    return -1;
}

std::string RunResult::state(const std::string& key) const {
    std::string prefix = "S " + key + "=", value = "<missing>";
    for (const std::string& l : lines) {
        if (l.compare(0, prefix.size(), prefix) == 0) value = l.substr(prefix.size());
    }
    return value;
}

bool RunResult::printed(const std::string& tail) const {
    for (const std::string& l : lines) {
        if (l.size() >= tail.size() && l.compare(l.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    }
    return false;
}

std::string RunResult::all() const {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out + err;
}

RunResult runHeadless(const fs::path& folder, const std::string& input) {
    RunResult run;
    fs::path inputFile = folder / "input.txt";
    fs::path errFile = folder / "stderr.txt";
    std::ofstream(inputFile) << input;
    fs::path program = buildDir() / "engine-headless";
    std::string command = "cd '" + folder.string() + "' && timeout 60 '" + program.string() +
                          "' input.txt 2>stderr.txt";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    run.err = slurp(errFile);
    return run;
}

std::string viewFile(const std::string& base, const std::vector<Area>& hotspots,
                     const std::string& onLoad) {
    std::string s =
        "VIEW test\r\nBASEIMAGE " + base + "\r\nONLOADSTART\r\n" + onLoad + "ONLOADEND\r\n";
    for (const Area& a : hotspots) {
        s += "HOTSPOTSTART " + a.name + "\r\nCURSOR " + std::to_string(a.cursor) + "\r\n";
        s += "COORD (" + std::to_string(a.x1) + "," + std::to_string(a.y1) + "),(" +
             std::to_string(a.x2) + "," + std::to_string(a.y1) + "),(" + std::to_string(a.x2) +
             "," + std::to_string(a.y2) + "),(" + std::to_string(a.x1) + "," +
             std::to_string(a.y2) + ")\r\n";
        s += "ONCONDITION ()\r\nONCLICKSTART\r\n" + a.click + "ONCLICKEND\r\nHOTSPOTEND\r\n";
    }
    return s;
}

std::vector<std::vector<std::string>> RunResult::stateBlocks() const {
    std::vector<std::vector<std::string>> out;
    bool open = false;
    for (const std::string& line : lines) {
        if (line.rfind("S ", 0) != 0) continue;
        if (!open) out.emplace_back();
        out.back().push_back(line);
        open = line != "S end";
    }
    return out;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace headless_test
