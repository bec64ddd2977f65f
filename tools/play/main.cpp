// vorlen-play: how a player starts a game. The engine runs in the player's own folder
// for the game, which shows the game's files and keeps the saves and screenshots, so an
// installed game that nobody may write to plays like any other.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tools/common/standard_options.h"
#include "tools/play/player_folder.h"

namespace fs = std::filesystem;

namespace {

const ProgramInfo kProgram{
    "vorlen-play",
    "Usage: vorlen-play [--fullscreen] [--list] [GAME]\n"
    "Plays the Vorlen game GAME: a game folder, or the name of a game installed under\n"
    "share/vorlen/games (default: the current folder). The game's files are shown in a\n"
    "folder of your own, where your saved games and screenshots are kept; the game's\n"
    "folder is never written.\n"
    "\n"
    "  --fullscreen  play on the whole screen instead of in a window\n"
    "  --list        list your saved games of GAME with their dates, and play nothing\n"
    "  -h, --help    show this help and exit\n"
    "      --version show the version and exit\n"
    "\n"
    "Your folders: $XDG_DATA_HOME/vorlen/games/NAME (~/.local/share/vorlen/games/NAME).\n"
    "VORLEN_ENGINE names another program to run in place of the engine.\n"
    "Exit status: the engine's; 2 when the game cannot be found or prepared.\n"};

// The folder of this program, for the engines and games installed beside it.
fs::path programFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

std::vector<fs::path> installedGameFolders() {
    std::vector<fs::path> roots;
    if (!programFolder().empty()) roots.push_back(programFolder() / ".." / "share");
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && home[0] == '/') roots.emplace_back(home);
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs && dirs[0] ? dirs : "/usr/local/share:/usr/share";
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        if (end > start && list[start] == '/') roots.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    for (fs::path& root : roots) root = root / "vorlen" / "games";
    return roots;
}

// The game folder GAME names, absolute; empty (with `error`) when there is none.
fs::path findGame(const std::string& game, std::string& error) {
    std::error_code ec;
    fs::path folder = game.empty() ? fs::current_path(ec) : fs::path(game);
    if (!game.empty() && !fs::is_directory(folder, ec) && game.find('/') == std::string::npos) {
        for (const fs::path& root : installedGameFolders()) {
            if (fs::is_directory(root / game, ec)) {
                folder = root / game;
                break;
            }
        }
    }
    if (!fs::is_directory(folder, ec)) {
        error = "no game folder or installed game named '" + game + "'";
        return {};
    }
    folder = fs::canonical(folder, ec);
    if (ec || !fs::exists(folder / "init.scn", ec)) {
        error = "'" + folder.string() + "' is not a game folder: it has no init.scn";
        return {};
    }
    return folder;
}

// VORLEN_ENGINE, else the engine beside this program, else the one on the PATH.
std::string enginePath(bool fullscreen) {
    if (const char* chosen = std::getenv("VORLEN_ENGINE"); chosen && chosen[0]) return chosen;
    const std::string name = fullscreen ? "engine" : "engine-windowed";
    std::error_code ec;
    if (!programFolder().empty() && fs::exists(programFolder() / name, ec))
        return (programFolder() / name).string();
    return name;
}

// Runs the engine in `folder` with no arguments; its exit status, 128 + the signal that
// ended it, or 127 when it could not be started.
int runEngine(const std::string& program, const fs::path& folder) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("vorlen-play: cannot start the engine");
        return 127;
    }
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
        execvp(program.c_str(), argv);
        std::fprintf(stderr, "vorlen-play: cannot run %s\n", program.c_str());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return 127;
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

int listSaves(const std::string& id, const fs::path& playerDir) {
    const std::vector<player_folder::SavedSlot> slots = player_folder::savedSlots(playerDir);
    if (slots.empty()) {
        std::printf("No saved games of %s yet (%s)\n", id.c_str(), playerDir.c_str());
        return 0;
    }
    std::printf("Saved games of %s in %s:\n", id.c_str(), playerDir.c_str());
    for (const player_folder::SavedSlot& s : slots) {
        if (s.date.empty())
            std::printf("  slot %2d  (does not read)\n", s.slot);
        else
            std::printf("  slot %2d  %s %s\n", s.slot, s.date.c_str(), s.time.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool fullscreen = false, list = false;
    std::string game;
    bool haveGame = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (answerStandardOption(arg, kProgram)) return 0;
        if (arg == "--fullscreen") {
            fullscreen = true;
        } else if (arg == "--list") {
            list = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError(kProgram, "unknown option " + arg);
        } else if (haveGame) {
            return usageError(kProgram, "one game at a time");
        } else {
            game = arg;
            haveGame = true;
        }
    }
    std::string error;
    const fs::path folder = findGame(game, error);
    if (folder.empty()) {
        std::fprintf(stderr, "vorlen-play: %s\n", error.c_str());
        return 2;
    }
    const fs::path root = player_folder::gamesRoot();
    if (root.empty()) {
        std::fprintf(stderr, "vorlen-play: neither XDG_DATA_HOME nor HOME is set\n");
        return 2;
    }
    const std::string id = player_folder::gameId(folder);
    const fs::path playerDir = root / id;
    if (list) return listSaves(id, playerDir);

    // Started from inside the player's folder itself: it already shows the game, and
    // linking it to itself would replace every link by a loop.
    std::error_code same;
    const bool inPlayerFolder = fs::equivalent(folder, playerDir, same);
    if (!inPlayerFolder && !player_folder::linkGame(folder, playerDir, error)) {
        std::fprintf(stderr, "vorlen-play: %s\n", error.c_str());
        return 2;
    }
    std::fprintf(stderr, "vorlen-play: saved games and screenshots of %s are kept in %s\n",
                 id.c_str(), playerDir.c_str());
    return runEngine(enginePath(fullscreen), playerDir);
}
