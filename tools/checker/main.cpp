// vorlen-check: finds the problems of a game folder before a player does. It reads the
// files the engine reads, with the engine's own readers, and changes nothing.
#include <cstdio>
#include <cstring>
#include <string>

#include "media/ffmpeg/ffmpeg_logging.h"
#include "tools/checker/game_check.h"
#include "tools/checker/media_readers.h"

namespace {

const char* const kUsage =
    "usage: vorlen-check [--json] [--werror] [--view FILE] [GAME-FOLDER]\n"
    "Checks the game in GAME-FOLDER (default: the current folder) from init.scn along\n"
    "every view its scripts load, then every other view file, and the files the engine\n"
    "reads by fixed names. Each problem is one line FILE:LINE: error|warning: text.\n"
    "  --json        one JSON object per problem instead\n"
    "  --werror      count warnings as errors\n"
    "  --view FILE   check only the view FILE of the folder and the files it names\n"
    "Exit status: 0 no error, 1 errors, 2 the folder cannot be read.\n";

}  // namespace

int main(int argc, char** argv) {
    bool json = false, werror = false;
    std::string folder, view;
    bool haveView = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--werror") {
            werror = true;
        } else if (arg == "--view" && i + 1 < argc) {
            view = argv[++i];
            haveView = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "vorlen-check: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else if (folder.empty()) {
            folder = arg;
        } else {
            std::fprintf(stderr, "vorlen-check: one game folder at a time\n%s", kUsage);
            return 2;
        }
    }
    // FFmpeg's own messages about files it cannot read would only repeat the checker's.
    silenceFfmpegLogging();

    EngineReaders engineReaders;
    const GameFolder gameFolder(folder);
    GameCheck check(gameFolder, engineReaders.readers());
    std::string error;
    const bool read = haveView ? check.checkView(view, error) : check.checkGame(error);
    if (!read) {
        std::fprintf(stderr, "vorlen-check: %s\n", error.c_str());
        return 2;
    }
    for (Diagnostic d : check.diagnostics()) {
        if (werror) d.severity = Severity::Error;
        const std::string line = json ? formatJson(d) : formatCompilerStyle(d);
        std::fprintf(stdout, "%s\n", line.c_str());
    }
    const int errors = check.errorCount(), warnings = check.warningCount();
    std::fprintf(stderr, "vorlen-check: %zu view%s, %d error%s, %d warning%s\n",
                 check.views().size(), check.views().size() == 1 ? "" : "s", errors,
                 errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
    return errors > 0 || (werror && warnings > 0) ? 1 : 0;
}
