#include "platform/game_folder.h"

#include <sys/stat.h>

GameFolder::GameFolder(std::string root) : root_(std::move(root)) {
    if (!root_.empty() && root_.back() != '/') root_ += '/';
}

std::string GameFolder::path(const std::string& name) const {
    if (root_.empty() || (!name.empty() && name[0] == '/')) return name;
    return root_ + name;
}

bool GameFolder::exists(const std::string& name) const {
    struct stat info;
    // An empty name is tested as the folder itself would be by the engine's rule: "".
    if (name.empty()) return stat("", &info) == 0;
    return stat(path(name).c_str(), &info) == 0;
}
