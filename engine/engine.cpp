#include "engine/engine.h"

#include <sys/stat.h>

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Placeholders until the main loop lands.
void showEnding() {}
void restoreView() {}
bool loadImageInto(const std::string&, Surface&) { return false; }
