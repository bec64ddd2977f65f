#pragma once
// A sound effect: a wave file's samples in the mix format, and a few voices that play
// them, so the effect can sound over itself.
#include <string>
#include <vector>

#include "media/mixer_voice.h"

class Mixer;

class Sound {
public:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    // The voices leave the mix; the mixer must still exist.
    ~Sound() = default;

    // Reads the wave file and gives it `voices` voices (at least 1) on `mixer`. On failure
    // the sound keeps no voices, plays nothing, and `error` says why. The path is kept
    // either way.
    bool load(Mixer* mixer, const std::string& path, int voices, std::string& error);
    // Plays the effect once. With every voice busy the next voice after the one used last
    // is cut off and restarted. True when a voice started, or when the mixer is silent
    // (nothing to do); false without a mixer or voices, or with one busy voice.
    bool play();
    // Stops every voice and rewinds it.
    void stop();

    int voiceCount() const { return static_cast<int>(voices_.size()); }
    // The voice used last.
    int current() const { return current_; }
    int voicesSounding() const;
    const std::string& path() const { return path_; }

private:
    void release();

    Mixer* mixer_ = nullptr;
    std::vector<MixerVoice> voices_;
    int current_ = 0;
    std::string path_;
};
