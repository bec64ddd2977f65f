#pragma once
// The one mix: effect voices and streams (music, a movie's sound track) added into 16-bit
// stereo with saturation, then scaled by the master volume. Every output — the SDL
// device, the headless pull, nothing at all — plays exactly this.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/audio_stream.h"
#include "platform/audio_output.h"

class Mixer : public AudioSource {
public:
    Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;
    // Closes the output first, so nothing mixes while the voices go.
    ~Mixer() override;

    // Opens `output` at the mix rate with this mixer as its source and keeps it. False
    // (and silent) when there is no output or it does not open.
    bool create(std::unique_ptr<AudioOutput> output);
    // True until an output has opened; voices then do not start.
    bool silent() const { return output_ == nullptr; }
    AudioOutput* output() const { return output_.get(); }

    // Master volume: left channel in the low 16 bits, right in the high 16 bits; 0xFFFF
    // leaves a channel as mixed.
    void setVolume(uint32_t volume);
    // Both channels as percentages; each becomes percent * 65535 / 100, masked to 16 bits.
    // Returns 0.
    int setVolume(uint8_t leftPercent, uint8_t rightPercent);
    uint32_t getVolume() const { return volume_.load(std::memory_order_relaxed); }
    // 80 ms of an 880 Hz square wave; nothing when silent.
    void beep();

    // Voices play frames already in the mix format. The caller keeps the samples alive
    // and unchanged until it closes the voice. openVoice returns the voice's number.
    int openVoice(const int16_t* samples, size_t frames);
    void closeVoice(int voice);
    // Plays from the voice's position; a voice that reached its end starts again at 0.
    void startVoice(int voice);
    // Stops the voice and rewinds it to 0.
    void stopVoice(int voice);
    bool voicePlaying(int voice) const;

    // Streams are read while added; the caller removes one before destroying it.
    void addStream(AudioStream* stream);
    void removeStream(AudioStream* stream);

    // Holds the output's lock: what the mix reads stays whole while it is held. Not
    // recursive; the mixer's own calls above take it themselves.
    class Lock {
    public:
        explicit Lock(const Mixer& mixer) : output_(mixer.output_.get()) {
            if (output_) output_->lock();
        }
        ~Lock() {
            if (output_) output_->unlock();
        }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        AudioOutput* output_;
    };

    void mix(int16_t* out, size_t frames) override;

private:
    struct Voice {
        const int16_t* samples = nullptr;
        size_t frames = 0;
        size_t position = 0;
        bool playing = false;
        bool open = false;
    };
    // Frames mixed at once; the scratch buffers hold one block.
    static constexpr size_t kBlockFrames = 512;

    bool valid(int voice) const {
        return voice >= 0 && static_cast<size_t>(voice) < voices_.size() &&
               voices_[static_cast<size_t>(voice)].open;
    }

    std::unique_ptr<AudioOutput> output_;
    std::atomic<uint32_t> volume_{0xFFFFFFFFu};
    std::vector<Voice> voices_;
    std::vector<int> freeVoices_;
    std::vector<AudioStream*> streams_;
    std::vector<int16_t> beepSamples_;
    int beepVoice_ = -1;
    std::array<int32_t, kBlockFrames * kMixChannels> sum_{};
    std::array<int16_t, kBlockFrames * kMixChannels> streamBlock_{};
};
