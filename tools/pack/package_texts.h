#pragma once
// The small texts a packed game carries beside its folder: the launcher script, the
// desktop entry, the players' README and the Debian control file. Every value in them
// comes from game.txt through readGameInfo, so it is plain UTF-8 without control
// characters.
#include <string>

struct PackedGame {
    std::string slug;     // folder, package and icon name: [a-z0-9-]
    std::string title;    // shown to players
    std::string version;  // a Debian upstream version
    std::string author;   // may be empty
    std::string icon;     // icon name for the desktop entry ("vorlen" when the game has none)
};

// A POSIX shell script placed beside the game folder `slug`: it runs vorlen-play on that
// folder, wherever the archive was unpacked (blanks in the path included).
std::string launcherScript(const PackedGame& game);
// The desktop entry of the installed game ("vorlen-play SLUG").
std::string desktopEntry(const PackedGame& game);
// README.txt for players.
std::string playerReadme(const PackedGame& game);
// DEBIAN/control of the game's package, which depends on Vorlen `vorlenVersion` or later.
std::string debianControl(const PackedGame& game, const std::string& vorlenVersion,
                          unsigned long installedKiB);
// A value as a desktop entry's string may hold it (backslashes doubled).
std::string desktopValue(const std::string& text);
