#include "platform/game_folder.h"

GameFolder::GameFolder(std::string root) : root_(std::move(root)) {
    if (!root_.empty() && root_.back() != '/') root_ += '/';
}

std::string GameFolder::path(const std::string& name) const {
    if (root_.empty() || (!name.empty() && name[0] == '/')) return name;
    return root_ + name;
}

bool GameFolder::exists(const std::string& name) const {
    return kind(name) == FileKind::Regular;
}

FileKind GameFolder::kind(const std::string& name) const {
    // An empty name names no file, not the folder itself.
    if (name.empty()) return FileKind::Missing;
    return fileKind(path(name));
}
