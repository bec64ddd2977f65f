#include "media/mixer.h"

// Placeholder until the sound layer lands.
Mixer::~Mixer() = default;
bool Mixer::create() { return false; }
void Mixer::setVolume(uint32_t volume) { volume_ = volume; }
uint32_t Mixer::getVolume() const { return volume_; }
