#include "tools/pack/package_texts.h"

std::string desktopValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string launcherScript(const PackedGame& game) {
    return "#!/bin/sh\n"
           "# Plays the game in the folder beside this script with Vorlen's vorlen-play.\n"
           "# Options: --fullscreen (the whole screen), --list (your saved games).\n"
           "here=$(CDPATH= cd -- \"$(dirname -- \"$0\")\" && pwd) || exit 2\n"
           "if ! command -v vorlen-play >/dev/null 2>&1; then\n"
           "    echo \"This game needs Vorlen: install the vorlen package, then run it again.\" "
           ">&2\n"
           "    exit 127\n"
           "fi\n"
           "exec vorlen-play \"$@\" \"$here/" +
           game.slug + "\"\n";
}

std::string desktopEntry(const PackedGame& game) {
    std::string comment = "An adventure game played with Vorlen";
    if (!game.author.empty()) comment += ", by " + game.author;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           desktopValue(game.title) + "\nComment=" + desktopValue(comment) + "\nExec=vorlen-play " +
           game.slug + "\nIcon=" + game.icon + "\nTerminal=false\nCategories=Game;AdventureGame;\n";
}

std::string playerReadme(const PackedGame& game) {
    std::string by = game.author.empty() ? std::string() : " by " + game.author;
    return game.title + " " + game.version + by +
           "\n\n"
           "How to play\n"
           "-----------\n"
           "The game is played with Vorlen: install its package (vorlen) first. Then run\n"
           "\n"
           "    ./play                 in a window\n"
           "    ./play --fullscreen    on the whole screen\n"
           "    ./play --list          your saved games and their dates\n"
           "\n"
           "from this folder, or choose the game in your desktop's menu if you installed its\n"
           "Debian package (then: vorlen-play " +
           game.slug +
           ").\n"
           "\n"
           "Your saved games and screenshots are kept in\n"
           "~/.local/share/vorlen/games/" +
           game.slug +
           " (under $XDG_DATA_HOME when it is set);\n"
           "the game's own folder is never written.\n"
           "\n"
           "Controls\n"
           "--------\n"
           "Left click: walk, use, take, put. Right click: cycle through what you carry.\n"
           "F5: save. F6: load. F9: screenshot. Alt+Enter: window or whole screen.\n"
           "Escape: end the game.\n";
}

std::string debianControl(const PackedGame& game, const std::string& vorlenVersion,
                          unsigned long installedKiB) {
    const std::string maintainer = game.author.empty() ? "Unknown author" : game.author;
    return "Package: " + game.slug + "\nVersion: " + game.version +
           "\nArchitecture: all\nMaintainer: " + maintainer +
           "\nInstalled-Size: " + std::to_string(installedKiB) +
           "\nDepends: vorlen (>= " + vorlenVersion +
           ")\nSection: games\nPriority: optional\nDescription: " + game.title +
           "\n An adventure game played with the Vorlen engine. Start it from the desktop's\n"
           " menu or with: vorlen-play " +
           game.slug + "\n";
}
