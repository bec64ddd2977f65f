#include "run_engine.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace demo_test {

fs::path buildDir() {
    const char* dir = std::getenv("VORLEN_BUILD_DIR");
    return dir ? fs::path(dir) : fs::current_path();
}

fs::path copyDemo(const std::string& testName) {
    fs::path source = buildDir() / "demo-game";
    if (!fs::exists(source / "init.scn")) return {};
    fs::path target =
        fs::temp_directory_path() / ("vorlen-demo-" + testName + "-" + std::to_string(::getpid()));
    fs::remove_all(target);
    fs::copy(source, target, fs::copy_options::recursive);
    return target;
}

bool Run::has(const std::string& line) const {
    for (const std::string& l : lines)
        if (l == line) return true;
    return false;
}

bool Run::printed(const std::string& tail) const {
    for (const std::string& l : lines)
        if (l.size() >= tail.size() && l.compare(l.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    return false;
}

std::string Run::state(const std::string& key) const {
    std::string prefix = "S " + key + "=";
    std::string value;
    bool found = false;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) {
            value = l.substr(prefix.size());
            found = true;
        }
    return found ? value : "<missing>";
}

Run runHeadless(const fs::path& folder, const std::string& input) {
    Run run;
    fs::path inputFile = folder / "headless-input.txt";
    std::ofstream(inputFile) << input;
    std::string command = "cd '" + folder.string() + "' && SDL_AUDIODRIVER=dummy '" +
                          (buildDir() / "engine-headless").string() + "' headless-input.txt";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
}

}  // namespace demo_test
