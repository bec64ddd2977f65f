#pragma once
// "game.txt", the optional description of a game for its package: one "key: value" a
// line (title, version, author, icon), "#" comments and blank lines. Everything it says
// is checked before it is used, for it ends up in desktop entries, scripts and package
// fields: values are UTF-8 without control characters and of bounded length, the
// version is one a Debian package may carry, the icon a bare PNG, SVG or XPM file name.
// What is wrong is dropped with a note; the reader never refuses the game.
#include <string>
#include <string_view>
#include <vector>

struct GameInfo {
    std::string title, version, author, icon;

    struct Problem {
        int line;  // from 1; 0 for the file as a whole
        std::string text;
    };
    std::vector<Problem> problems;
};

constexpr size_t kMaxGameInfoBytes = 64 * 1024;
constexpr size_t kMaxGameInfoValue = 200;  // bytes of one value

GameInfo readGameInfo(std::string_view text);

// True when `text` is whole UTF-8 with no control character (tab neither).
bool plainUtf8(std::string_view text);
// A package and folder name made from a title: lower-case letters and digits, words
// joined by '-', at most 40 bytes; empty when the title has no letter or digit.
std::string slugFromTitle(std::string_view title);
