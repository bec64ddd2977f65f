#pragma once
// The folder a game's files are read from and written to. Games name their files
// relative to it ("init.scn", "door.wav"); the programs run in the game folder and use
// the working directory, while tests and tools give each engine a folder of its own, so
// two engines in one process never share files by accident.
#include <string>

class GameFolder {
public:
    GameFolder() = default;  // the working directory
    explicit GameFolder(std::string root);

    // Where to open the file the game calls `name`. Absolute names stay as they are.
    std::string path(const std::string& name) const;
    // True when a status query on the file succeeds.
    bool exists(const std::string& name) const;
    const std::string& root() const { return root_; }

private:
    std::string root_;  // empty, or ending in '/'
};
