#pragma once
// The folder a game's files are read from and written to. Games name their files
// relative to it ("init.scn", "door.wav"); the programs run in the game folder and use
// the working directory, while tests and tools give each engine a folder of its own, so
// two engines in one process never share files by accident.
#include <string>

#include "platform/file_bytes.h"

class GameFolder {
public:
    GameFolder() = default;  // the working directory
    explicit GameFolder(std::string root);

    // Where to open the file the game calls `name`. Absolute names stay as they are.
    std::string path(const std::string& name) const;
    // True when the name is a regular file: only those are ever read. A pipe, device or
    // folder named like a game file counts as missing (reading a pipe would block).
    bool exists(const std::string& name) const;
    // What a status query finds at the name (nothing is opened).
    FileKind kind(const std::string& name) const;
    const std::string& root() const { return root_; }

private:
    std::string root_;  // empty, or ending in '/'
};
