// Sound: mixing and music decoding, each for one second of sound, as a share of one
// second of one core (the "share" counter), beside copying one second of the mix.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/audio_fixtures.h"
#include "media/ffmpeg/ffmpeg_music_decoder.h"
#include "media/mixer.h"
#include "media/mixer_voice.h"
#include "platform/null_audio_output.h"

namespace {

// The device asks for this many frames at a time.
constexpr size_t kCallbackFrames = 1024;

// CPU seconds per second of sound.
benchmark::Counter share() {
    return benchmark::Counter(
        1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Decoded music held in memory, played round and round.
class LoopStream : public AudioStream {
public:
    explicit LoopStream(std::vector<int16_t> samples) : samples_(std::move(samples)) {}
    size_t read(int16_t* out, size_t frames) override {
        for (size_t done = 0; done < frames;) {
            size_t n = std::min(frames - done, samples_.size() / 2 - at_);
            std::memcpy(out + 2 * done, samples_.data() + 2 * at_, n * 4);
            done += n;
            at_ = (at_ + n) % (samples_.size() / 2);
        }
        return frames;
    }

private:
    std::vector<int16_t> samples_;
    size_t at_ = 0;
};

// The peer: one second of the mix copied in device-sized pieces.
void BM_CopyOneSecondOfMix(benchmark::State& state) {
    std::vector<int16_t> from(kMixRate * 2, 100), to(kMixRate * 2);
    for (auto _ : state) {
        for (size_t at = 0; at < static_cast<size_t>(kMixRate); at += kCallbackFrames) {
            size_t n = std::min(kCallbackFrames, kMixRate - at);
            std::memcpy(to.data() + 2 * at, from.data() + 2 * at, n * 4);
        }
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["share"] = share();
}
BENCHMARK(BM_CopyOneSecondOfMix);

// Every voice of the five slots sounding, with music.
void BM_MixOneSecond25VoicesAndMusic(benchmark::State& state) {
    Mixer mixer;
    mixer.create(std::make_unique<NullAudioOutput>());
    std::vector<MixerVoice> voices;
    for (int s = 0; s < 5; ++s) {
        auto effect = std::make_shared<const std::vector<int16_t>>(
            tone(kMixRate, 2, 3 * kMixRate, 200 + 100 * s, 2000));
        for (int v = 0; v < 5; ++v) voices.emplace_back(mixer, effect);
    }
    LoopStream music(tone(kMixRate, 2, kMixRate, 440, 8000));
    MixerInput musicInput = mixer.add(music);
    mixer.setVolume(80, 80);
    std::vector<int16_t> out(kCallbackFrames * 2);
    for (auto _ : state) {
        state.PauseTiming();
        for (MixerVoice& v : voices) {
            v.stop();
            v.start();
        }
        state.ResumeTiming();
        for (size_t at = 0; at < static_cast<size_t>(kMixRate); at += kCallbackFrames) {
            size_t n = std::min(kCallbackFrames, kMixRate - at);
            mixer.mix(out.data(), n);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["share"] = share();
}
BENCHMARK(BM_MixOneSecond25VoicesAndMusic);

// One second of music decoded and resampled to the mix format, from a 20-second file
// made with FFmpeg's encoder.
void decodeOneSecond(benchmark::State& state, const char* encoder, const char* container,
                     const char* extension, int rate) {
    ScratchFolder dir("bench");
    std::string path = dir / (std::string("music.") + extension), error;
    std::vector<int16_t> samples = tone(rate, 2, 20 * rate, 440, 8000);
    // Some noise, so the codec has work to do.
    uint32_t seed = 1;
    for (int16_t& s : samples) {
        seed = seed * 1103515245u + 12345u;
        s = static_cast<int16_t>(s + static_cast<int16_t>(seed >> 20) - 2048);
    }
    if (!encodeMusic(path, encoder, container, samples, rate, 2, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    FfmpegMusicDecoders decoders;
    std::unique_ptr<MusicDecoder> decoder = decoders.open(path, error);
    std::vector<int16_t> out(kCallbackFrames * 2);
    for (auto _ : state) {
        for (size_t at = 0; at < static_cast<size_t>(kMixRate); at += kCallbackFrames) {
            size_t n = std::min(kCallbackFrames, kMixRate - at);
            if (decoder->read(out.data(), n) < n) {
                state.PauseTiming();
                decoder = decoders.open(path, error);
                state.ResumeTiming();
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["share"] = share();
}

void BM_DecodeOneSecondVorbis(benchmark::State& state) {
    decodeOneSecond(state, "libvorbis", "ogg", "ogg", 44100);
}
void BM_DecodeOneSecondMp3(benchmark::State& state) {
    decodeOneSecond(state, "libmp3lame", "mp3", "mp3", 44100);
}
void BM_DecodeOneSecondOpus(benchmark::State& state) {
    decodeOneSecond(state, "libopus", "ogg", "opus", 48000);
}
void BM_DecodeOneSecondFlac(benchmark::State& state) {
    decodeOneSecond(state, "flac", "flac", "flac", 44100);
}
BENCHMARK(BM_DecodeOneSecondVorbis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOneSecondMp3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOneSecondOpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOneSecondFlac)->Unit(benchmark::kMillisecond);

}  // namespace
