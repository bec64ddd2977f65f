#pragma once
// Where the current view's picture is held in memory as read, so a save's thumbnail need
// not read it again: the backdrop itself, or the backdrop the save/load page put aside.
#include <memory>
#include <string>

#include "platform/surface.h"

struct ViewPictureMemory {
    // True while the backdrop holds `viewBase` as read, with nothing drawn on it.
    bool backdropIsView = false;
    std::string viewBase;
    // That backdrop, kept while the save/load page replaces it.
    std::unique_ptr<Surface> keptScene;
};
