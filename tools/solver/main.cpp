// vorlen-solve: explores every state a player can reach and says whether the game can
// be finished, where it can no longer be, and the shortest way to the ending.
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/common/standard_options.h"
#include "tools/solver/analysis.h"
#include "tools/solver/charts.h"
#include "tools/solver/solve_report.h"
#include "tools/solver/unread_variables.h"

namespace {

const ProgramInfo kProgram{
    "vorlen-solve",
    "Usage: vorlen-solve [options] [GAME-FOLDER]\n"
    "Plays the game in GAME-FOLDER (default: the current folder) in every way a player\n"
    "can: every click on every hotspot a click reaches, with nothing or each carried item\n"
    "held, from start-up on. Says whether the ending can be reached, the dead ends (where\n"
    "it no longer can, and the mistake that led there), hotspots never clickable, views\n"
    "never reached, items never obtained and the values each variable takes.\n"
    "\n"
    "  --json              the report as one JSON object\n"
    "  --walkthrough FILE  write the shortest way to the ending as engine-headless input\n"
    "  --dot FILE          write the game's structure as a Graphviz chart\n"
    "  --max-states N      stop after N states (default 1000000)\n"
    "  --max-depth N       stop after N actions from the start\n"
    "  -j N                explore with N threads (the same results)\n"
    "  -h, --help          show this help and exit\n"
    "      --version       show the version and exit\n"
    "\n"
    "Exit status: 0 the ending is reachable and there is no dead end; 1 dead ends or no\n"
    "ending; 2 the folder cannot be read; 3 a bound stopped the search.\n"};

bool number(const char* text, long long lo, long long hi, long long& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= lo && value <= hi;
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

size_t peakBytes() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return static_cast<size_t>(usage.ru_maxrss) * 1024;
}

}  // namespace

int main(int argc, char** argv) {
    SolveOptions options;
    bool json = false;
    std::string walkthrough, dot;
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (answerStandardOption(arg, kProgram)) return 0;
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)what;
            return argv[++i];
        };
        long long n = 0;
        if (arg == "--json") {
            json = true;
        } else if (arg == "--walkthrough" || arg == "--dot") {
            const char* file = value(arg.c_str());
            if (!file) return usageError(kProgram, arg + " needs a file name");
            (arg == "--dot" ? dot : walkthrough) = file;
        } else if (arg == "--max-states" || arg == "--max-depth" || arg == "-j") {
            const char* text = value(arg.c_str());
            const long long hi = arg == "-j" ? 256 : 4000000000LL;
            if (!text || !number(text, arg == "--max-depth" ? 0 : 1, hi, n))
                return usageError(kProgram, arg + " needs a number");
            if (arg == "--max-states") options.maxStates = static_cast<size_t>(n);
            if (arg == "--max-depth") options.maxDepth = static_cast<int>(std::min(n, 1LL << 30));
            if (arg == "-j") options.threads = static_cast<int>(n);
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return usageError(kProgram, "unknown option " + arg);
        } else if (folderGiven) {
            return usageError(kProgram, "only one game folder");
        } else {
            options.folder = arg;
            folderGiven = true;
        }
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options.folder, error)) {
        std::fprintf(stderr, "vorlen-solve: %s: not a folder that can be read\n",
                     options.folder.c_str());
        return kUnreadable;
    }
    // Without its first view a folder holds no game to prove anything about.
    if (!std::filesystem::is_regular_file(options.folder + "/init.scn", error)) {
        std::fprintf(stderr, "vorlen-solve: %s: no init.scn\n", options.folder.c_str());
        return kUnreadable;
    }
    findUnreadVariables(options);
    Exploration e;
    if (!explore(options, e)) {
        std::fprintf(stderr, "vorlen-solve: %s: the game did not start\n", options.folder.c_str());
        return kUnreadable;
    }
    const Analysis a = analyse(e, options.folder);
    const ReportFigures figures{peakBytes()};
    const std::string report = json ? reportJson(e, a, figures) : reportText(e, a, figures);
    std::fwrite(report.data(), 1, report.size(), stdout);
    if (!walkthrough.empty()) {
        if (!a.endingReachable)
            std::fprintf(stderr, "vorlen-solve: no way to the ending, %s not written\n",
                         walkthrough.c_str());
        else if (!writeFile(walkthrough, walkthroughInput(e, a.shortestWay)))
            std::fprintf(stderr, "vorlen-solve: cannot write %s\n", walkthrough.c_str());
    }
    if (!dot.empty() && !writeFile(dot, dotChart(e)))
        std::fprintf(stderr, "vorlen-solve: cannot write %s\n", dot.c_str());
    return solveStatus(e, a);
}
