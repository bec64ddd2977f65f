#pragma once
// Where utterances are heard: a synthesizer the program links (the core links none).
#include <string>

class SpeechVoice {
public:
    virtual ~SpeechVoice() = default;
    // Says `text`, cutting off whatever this voice is still saying.
    virtual void speak(const std::string& text) = 0;
};
