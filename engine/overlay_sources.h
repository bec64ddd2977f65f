#pragma once
// Which file each overlay picture and animation of the view was made from, and where, so
// a changed file can be read into it again.
#include <map>
#include <string>

#include "media/frame_animation.h"

struct OverlaySources {
    struct Image {
        std::string file;
        int x = 0, y = 0, depth = 0;
    };
    struct Anim {
        std::string file;
        int x = 0, y = 0;
        AnimationSettings settings;
    };
    // By overlay name; an entry may outlive its overlay (the overlay is looked up first).
    std::map<std::string, Image> images;
    std::map<std::string, Anim> anims;
};
