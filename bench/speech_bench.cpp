// Speech: synthesising one label (the counter "audio_share" is the synthesis time as a
// share of the spoken length), and a frame's mix with an utterance queued against one
// without.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "media/mixer.h"
#include "media/speech_stream.h"
#include "platform/speech/espeak_voice.h"

namespace {

void BM_SynthesiseOneLabel(benchmark::State& state) {
    SpeechStream stream;
    auto voice = EspeakVoice::create(stream, EspeakVoice::Mode::Synchronous);
    if (!voice) {
        state.SkipWithError("espeak-ng could not start");
        return;
    }
    double synthesis = 0, spoken = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        voice->speak("the house door, go forward");
        synthesis +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        spoken += static_cast<double>(stream.pending()) / kMixRate;
    }
    state.counters["audio_share"] = spoken > 0 ? synthesis / spoken : 0;
}
BENCHMARK(BM_SynthesiseOneLabel)->Unit(benchmark::kMillisecond);

// One 10 ms frame of the mix (441 frames) with and without speech in it.
void BM_MixFrame(benchmark::State& state) {
    Mixer mixer;
    SpeechStream stream;
    auto voice = EspeakVoice::create(stream, EspeakVoice::Mode::Synchronous);
    MixerInput input;
    if (state.range(0) && voice) input = mixer.add(stream);
    std::vector<int16_t> out(441 * kMixChannels);
    for (auto _ : state) {
        if (state.range(0) && stream.pending() < 441) voice->speak("the brass horse, take");
        mixer.mix(out.data(), 441);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_MixFrame)->Arg(0)->Arg(1);

}  // namespace
