#pragma once
// The sound device and the master volume. (Filled in with the sound layer.)
class Mixer {
public:
    virtual ~Mixer() = default;
};
