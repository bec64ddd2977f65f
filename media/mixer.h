#pragma once
// The one mix: streams (sound effects, music, a movie's sound track, speech) added into
// 16-bit stereo with saturation, then scaled by the master volume. Every output — the
// SDL device, the headless pull, nothing at all — plays exactly this.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/audio_stream.h"
#include "media/sample_stream.h"
#include "platform/audio_output.h"

class Mixer;

// A stream's place in a mix: the mixer reads the stream while this lives, and no longer
// once it is reset or destroyed (under the mixer's lock). Declare it after the stream it
// holds, so it goes first; the mixer must outlive it.
class MixerInput {
public:
    MixerInput() = default;
    MixerInput(MixerInput&& other) noexcept;
    MixerInput& operator=(MixerInput&& other) noexcept;
    ~MixerInput() { reset(); }

    // Takes the stream out of the mix; nothing when it is in none, or the mixer is gone.
    void reset();
    bool inMix() const { return !mixer_.expired(); }

private:
    friend class Mixer;
    MixerInput(std::weak_ptr<Mixer* const> mixer, AudioStream* stream)
        : mixer_(std::move(mixer)), stream_(stream) {}

    // Expires with the mixer, so an input may outlive it.
    std::weak_ptr<Mixer* const> mixer_;
    AudioStream* stream_ = nullptr;
};

class Mixer : public AudioSource {
public:
    Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;
    // Closes the output first, so nothing mixes while the members go.
    ~Mixer() override;

    // Opens `output` at the mix rate with this mixer as its source and keeps it. False
    // (and silent) when there is no output or it does not open.
    bool create(std::unique_ptr<AudioOutput> output);
    // True until an output has opened; sound effects then do not start.
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

    // Puts `stream` in the mix until the returned input goes. A stream already in the
    // mix is not added twice: the input returned then holds nothing.
    [[nodiscard]] MixerInput add(AudioStream& stream);

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
    friend class MixerInput;
    void remove(AudioStream* stream);

    // Frames mixed at once; the scratch buffers hold one block.
    static constexpr size_t kBlockFrames = 512;

    std::unique_ptr<AudioOutput> output_;
    std::atomic<uint32_t> volume_{0xFFFFFFFFu};
    // The beep is always an input; it sounds only when asked.
    SampleStream beep_;
    std::vector<AudioStream*> streams_;
    // What the inputs hold of the mixer.
    std::shared_ptr<Mixer* const> self_ = std::make_shared<Mixer* const>(this);
    std::array<int32_t, kBlockFrames * kMixChannels> sum_{};
    std::array<int16_t, kBlockFrames * kMixChannels> streamBlock_{};
};
