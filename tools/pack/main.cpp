// vorlen-pack: turns a checked game folder into what an author ships — a folder and a
// .tar.gz with the game, a launcher, a desktop entry and a README for players, and on
// request a Debian package of the game that depends on Vorlen.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "media/ffmpeg/ffmpeg_logging.h"
#include "platform/file_bytes.h"
#include "tools/checker/game_check.h"
#include "tools/checker/media_readers.h"
#include "tools/common/standard_options.h"
#include "tools/pack/game_info.h"
#include "tools/pack/package_texts.h"
#include "tools/play/player_folder.h"
#include "vorlen_version.h"

namespace fs = std::filesystem;

namespace {

const ProgramInfo kProgram{
    "vorlen-pack",
    "Usage: vorlen-pack GAME-FOLDER -o OUT [--force] [--deb]\n"
    "Checks the game with vorlen-check, then writes the folder OUT and the archive\n"
    "OUT.tar.gz for players: the game, a launcher script 'play', a desktop entry and a\n"
    "README. Title, version, author and icon come from an optional game.txt in the game\n"
    "folder ('title: ...', 'version: ...', 'author: ...', 'icon: FILE.png').\n"
    "\n"
    "  -o OUT        where to write (OUT must not exist yet, or be an empty folder)\n"
    "  --force       pack even when the checker finds errors\n"
    "  --deb         also write a Debian package of the game beside OUT\n"
    "  -h, --help    show this help and exit\n"
    "      --version show the version and exit\n"
    "\n"
    "Exit status: 0 packed, 1 refused for the checker's errors, 2 anything else.\n"};

int fail(const std::string& what) {
    std::fprintf(stderr, "vorlen-pack: %s\n", what.c_str());
    return 2;
}

// Runs a program with its arguments (no shell); true when it exits 0.
bool run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        execvp(argv[0], argv.data());
        std::fprintf(stderr, "vorlen-pack: cannot run %s\n", argv[0]);
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool writeText(const fs::path& file, const std::string& text, bool executable = false) {
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) return false;
    }
    return ::chmod(file.c_str(), executable ? 0755 : 0644) == 0;
}

// Files of the game that ship: everything but the author's own saves and screenshots
// and hidden files. Folders are copied whole, links as the files they point to.
bool copyGame(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || player_folder::isPlayerFile(name)) continue;
        std::error_code copy;
        fs::copy(it->path(), to / name, fs::copy_options::recursive, copy);
        if (copy) {
            error = "cannot copy " + it->path().string() + ": " + copy.message();
            return false;
        }
    }
    if (ec) error = "cannot read " + from.string() + ": " + ec.message();
    return !ec;
}

// Every file 0644 (0755 for folders and the launcher), whatever the umask or the
// author's own modes were: players and the package need them readable.
void normaliseModes(const fs::path& root) {
    std::error_code ec;
    ::chmod(root.c_str(), 0755);
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        const bool folder = it->is_directory(kind);
        const bool launcher = it->path().filename() == "play" && it.depth() == 0;
        ::chmod(it->path().c_str(), folder || launcher ? 0755 : 0644);
    }
}

unsigned long sizeKiB(const fs::path& root) {
    unsigned long long bytes = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (it->is_regular_file(kind)) bytes += (it->file_size(kind) + 1023) / 1024 * 1024;
    }
    return static_cast<unsigned long>(bytes / 1024);
}

// The game's facts from game.txt, with what is missing made up from the folder.
PackedGame describe(const fs::path& game) {
    GameInfo info;
    std::string text;
    const fs::path file = game / "game.txt";
    std::error_code ec;
    if (fs::exists(file, ec)) {
        if (readFileBytes(file.string(), kMaxGameInfoBytes, text) == FileRead::Ok)
            info = readGameInfo(text);
        else
            info.problems.push_back({0, "cannot be read, or is larger than 64 KiB; ignored"});
    }
    for (const GameInfo::Problem& p : info.problems) {
        if (p.line > 0)
            std::fprintf(stderr, "game.txt:%d: warning: %s\n", p.line, p.text.c_str());
        else
            std::fprintf(stderr, "game.txt: warning: %s\n", p.text.c_str());
    }
    PackedGame packed;
    const std::string folderName = player_folder::gameId(game);
    packed.title = info.title.empty() ? folderName : info.title;
    packed.slug = slugFromTitle(packed.title);
    if (packed.slug.empty()) packed.slug = slugFromTitle(folderName);
    if (packed.slug.empty()) packed.slug = "vorlen-game";
    packed.version = info.version.empty() ? "1.0" : info.version;
    packed.author = info.author;
    packed.icon = "vorlen";
    if (!info.icon.empty()) {
        if (fs::is_regular_file(game / info.icon, ec))
            packed.icon = info.icon;
        else
            std::fprintf(stderr, "game.txt: warning: the icon '%s' is not in the game folder\n",
                         info.icon.c_str());
    }
    return packed;
}

std::string iconFileName(const PackedGame& game) {
    return "vorlen-" + game.slug + fs::path(game.icon).extension().string();
}

bool writeDeb(const fs::path& game, const PackedGame& packed, const fs::path& stage,
              const fs::path& deb, std::string& error) {
    std::error_code ec;
    fs::remove_all(stage, ec);
    const fs::path share = stage / "usr" / "share";
    if (!copyGame(game, share / "vorlen" / "games" / packed.slug, error)) return false;
    PackedGame installed = packed;
    if (packed.icon != "vorlen") {
        installed.icon = fs::path(iconFileName(packed)).stem().string();
        fs::create_directories(share / "pixmaps", ec);
        fs::copy_file(game / packed.icon, share / "pixmaps" / iconFileName(packed), ec);
    }
    fs::create_directories(share / "applications", ec);
    fs::create_directories(share / "doc" / packed.slug, ec);
    fs::create_directories(stage / "DEBIAN", ec);
    bool ok = !ec &&
              writeText(share / "applications" / ("vorlen-" + packed.slug + ".desktop"),
                        desktopEntry(installed)) &&
              writeText(share / "doc" / packed.slug / "README.txt", playerReadme(installed));
    normaliseModes(stage);
    ok = ok && writeText(stage / "DEBIAN" / "control",
                         debianControl(installed, VORLEN_VERSION, sizeKiB(share)));
    if (!ok) {
        error = "cannot write the package's files in " + stage.string();
        return false;
    }
    if (!run({"dpkg-deb", "--root-owner-group", "-Zxz", "--build", stage.string(), deb.string()})) {
        error = "dpkg-deb could not build " + deb.string();
        fs::remove_all(stage, ec);
        return false;
    }
    fs::remove_all(stage, ec);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string gameArg, outArg;
    bool force = false, deb = false, haveOut = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (answerStandardOption(arg, kProgram)) return 0;
        if (arg == "--force") {
            force = true;
        } else if (arg == "--deb") {
            deb = true;
        } else if (arg == "-o" && i + 1 < argc) {
            outArg = argv[++i];
            haveOut = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError(kProgram, "unknown option " + arg);
        } else if (gameArg.empty()) {
            gameArg = arg;
        } else {
            return usageError(kProgram, "one game folder at a time");
        }
    }
    if (gameArg.empty() || !haveOut || outArg.empty())
        return usageError(kProgram, "a game folder and -o OUT are needed");

    std::error_code ec;
    const fs::path game = fs::canonical(gameArg, ec);
    if (ec || !fs::is_directory(game, ec)) return fail("no game folder " + gameArg);
    fs::path out = fs::absolute(outArg, ec).lexically_normal();
    if (!out.has_filename()) out = out.parent_path();
    // Inside the game, OUT would be copied into itself.
    const auto [gameEnd, outAt] = std::mismatch(game.begin(), game.end(), out.begin(), out.end());
    if (gameEnd == game.end()) return fail("OUT must lie outside the game folder " + game.string());
    if (fs::exists(out, ec) && !(fs::is_directory(out, ec) && fs::is_empty(out, ec)))
        return fail(out.string() + " exists already; choose another OUT or remove it");

    // The checker first: a game with errors would fail its players.
    silenceFfmpegLogging();
    EngineReaders readers;
    const GameFolder folder(game.string() + "/");
    GameCheck check(folder, readers.readers());
    std::string error;
    if (!check.checkGame(error)) return fail(error);
    for (const Diagnostic& d : check.diagnostics())
        std::fprintf(stderr, "%s\n", formatCompilerStyle(d).c_str());
    if (check.errorCount() > 0 && !force) {
        std::fprintf(stderr,
                     "vorlen-pack: the checker found %d error%s; fix %s, or pack anyway with "
                     "--force\n",
                     check.errorCount(), check.errorCount() == 1 ? "" : "s",
                     check.errorCount() == 1 ? "it" : "them");
        return 1;
    }

    const PackedGame packed = describe(game);
    PackedGame shipped = packed;
    if (packed.icon != "vorlen") shipped.icon = iconFileName(packed);
    fs::create_directories(out, ec);
    if (ec) return fail("cannot make " + out.string() + ": " + ec.message());
    if (!copyGame(game, out / packed.slug, error)) return fail(error);
    if (packed.icon != "vorlen") fs::copy_file(game / packed.icon, out / shipped.icon, ec);
    PackedGame entry = packed;
    if (packed.icon != "vorlen") entry.icon = fs::path(shipped.icon).stem().string();
    if (ec || !writeText(out / "play", launcherScript(packed), true) ||
        !writeText(out / ("vorlen-" + packed.slug + ".desktop"), desktopEntry(entry)) ||
        !writeText(out / "README.txt", playerReadme(packed)))
        return fail("cannot write into " + out.string());
    normaliseModes(out);

    const fs::path archive = out.string() + ".tar.gz";
    if (!run({"tar", "--sort=name", "--owner=0", "--group=0", "--numeric-owner", "-czf",
              archive.string(), "-C", out.parent_path().string(), out.filename().string()}))
        return fail("tar could not write " + archive.string());
    std::printf("%s\n%s\n", out.c_str(), archive.c_str());

    if (deb) {
        const fs::path file = out.parent_path() / (packed.slug + "_" + packed.version + "_all.deb");
        if (!writeDeb(game, packed, out.string() + ".deb-stage", file, error)) return fail(error);
        std::printf("%s\n", file.c_str());
    }
    return 0;
}
