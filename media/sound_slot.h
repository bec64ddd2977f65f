#pragma once
// One of the five sound-effect slots. (Filled in with the sound layer.)
#include <string>

struct SoundSlot {
    std::string name;
    int count = 0;
};
