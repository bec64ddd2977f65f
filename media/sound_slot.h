#pragma once
// One of the five sound-effect slots.
#include <memory>
#include <string>

#include "media/sound.h"

struct SoundSlot {
    std::string name;              // the file name "playsound" was given
    std::unique_ptr<Sound> sound;  // none until something is loaded here
    int playCount = 0;             // requests since it was loaded into the slot
};
