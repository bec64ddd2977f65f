// vorlen-check: finds the problems of a game folder before a player does. It reads the
// files the engine reads, with the engine's own readers, and changes nothing.
#include <cstdio>
#include <cstring>
#include <string>

#include "media/ffmpeg/ffmpeg_logging.h"
#include "tools/checker/game_check.h"
#include "tools/checker/media_readers.h"
#include "tools/checker/saves_check.h"
#include "tools/common/standard_options.h"

namespace {

const ProgramInfo kProgram{
    "vorlen-check",
    "Usage: vorlen-check [--json] [--werror] [--view FILE | --saves DIR] [GAME-FOLDER]\n"
    "Checks the game in GAME-FOLDER (default: the current folder) from init.scn along\n"
    "every view its scripts load, then every other view file, and the files the engine\n"
    "reads by fixed names. Each problem is one line FILE:LINE: error|warning: text.\n"
    "\n"
    "  --json        one JSON object per problem instead\n"
    "  --werror      count warnings as errors\n"
    "  --view FILE   check only the view FILE of the folder and the files it names\n"
    "  --saves DIR   load every slotN.sav of DIR against the game and tell, for each,\n"
    "                what a player would lose (errors: the slot does not load)\n"
    "  -h, --help    show this help and exit\n"
    "      --version show the version and exit\n"
    "\n"
    "Exit status: 0 no error, 1 errors, 2 a folder cannot be read.\n"};

void printDiagnostics(const std::vector<Diagnostic>& all, bool json, bool werror) {
    for (Diagnostic d : all) {
        if (werror) d.severity = Severity::Error;
        const std::string line = json ? formatJson(d) : formatCompilerStyle(d);
        std::fprintf(stdout, "%s\n", line.c_str());
    }
}

// The slots of DIR against the game; the game is checked first, quietly, for the
// variables its scripts use.
int checkSaves(GameCheck& game, const GameFolder& folder, const std::string& dir, bool json,
               bool werror) {
    std::string error;
    if (!game.checkGame(error)) {
        std::fprintf(stderr, "vorlen-check: %s\n", error.c_str());
        return 2;
    }
    SavesCheck saves(folder, game.facts());
    if (!saves.checkFolder(dir, error)) {
        std::fprintf(stderr, "vorlen-check: %s\n", error.c_str());
        return 2;
    }
    printDiagnostics(saves.diagnostics(), json, werror);
    int broken = 0, losing = 0;
    for (const SlotSummary& s : saves.slots()) {
        if (!s.loads)
            ++broken;
        else if (s.losses > 0)
            ++losing;
        if (json) continue;
        if (!s.loads)
            std::printf("%s: does not load\n", s.file.c_str());
        else if (s.losses == 0)
            std::printf("%s: loads, nothing lost\n", s.file.c_str());
        else
            std::printf("%s: loads, %d thing%s lost\n", s.file.c_str(), s.losses,
                        s.losses == 1 ? "" : "s");
    }
    const size_t count = saves.slots().size();
    std::fprintf(stderr, "vorlen-check: %zu saved game%s, %d that do%s not load, %d that lose%s\n",
                 count, count == 1 ? "" : "s", broken, broken == 1 ? "es" : "", losing,
                 losing == 1 ? "s something" : " something");
    return broken > 0 || (werror && losing > 0) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false, werror = false;
    std::string folder, view, saves;
    bool haveView = false, haveSaves = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (answerStandardOption(arg, kProgram)) return 0;
        if (arg == "--json") {
            json = true;
        } else if (arg == "--werror") {
            werror = true;
        } else if (arg == "--view" && i + 1 < argc) {
            view = argv[++i];
            haveView = true;
        } else if (arg == "--saves" && i + 1 < argc) {
            saves = argv[++i];
            haveSaves = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(kProgram, "unknown option " + arg);
        } else if (folder.empty()) {
            folder = arg;
        } else {
            return usageError(kProgram, "one game folder at a time");
        }
    }
    if (haveView && haveSaves) return usageError(kProgram, "--view and --saves do not mix");
    // FFmpeg's own messages about files it cannot read would only repeat the checker's.
    silenceFfmpegLogging();

    EngineReaders engineReaders;
    const GameFolder gameFolder(folder);
    GameCheck check(gameFolder, engineReaders.readers());
    if (haveSaves) return checkSaves(check, gameFolder, saves, json, werror);
    std::string error;
    const bool read = haveView ? check.checkView(view, error) : check.checkGame(error);
    if (!read) {
        std::fprintf(stderr, "vorlen-check: %s\n", error.c_str());
        return 2;
    }
    printDiagnostics(check.diagnostics(), json, werror);
    const int errors = check.errorCount(), warnings = check.warningCount();
    std::fprintf(stderr, "vorlen-check: %zu view%s, %d error%s, %d warning%s\n",
                 check.views().size(), check.views().size() == 1 ? "" : "s", errors,
                 errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
    return errors > 0 || (werror && warnings > 0) ? 1 : 0;
}
