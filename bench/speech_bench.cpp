// Speech: synthesising one label (the counter "audio_share" is the synthesis time as a
// share of the spoken length), how long a label takes to start sounding, a frame's mix
// with an utterance queued against one without, and whole windowed frames of the demo
// while labels are being synthesised against the same frames with speech off.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "engine/engine.h"
#include "engine/main/standard_services.h"
#include "media/mixer.h"
#include "media/speech_stream.h"
#include "platform/headless/headless_host.h"
#include "platform/sdl/sdl_display.h"
#include "platform/speech/espeak_voice.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double threadMillis() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

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

// From asking for a label to its first samples in the stream, with synthesis on its own
// thread as in the windowed engine: how long the player waits to hear it.
void BM_FirstSoundOfALabel(benchmark::State& state) {
    SpeechStream stream;
    auto voice = EspeakVoice::create(stream, EspeakVoice::Mode::Threaded);
    if (!voice) {
        state.SkipWithError("espeak-ng could not start");
        return;
    }
    for (auto _ : state) {
        voice->speak("the house door, go forward");
        while (stream.pending() == 0) std::this_thread::yield();
    }
}
BENCHMARK(BM_FirstSoundOfALabel)->Unit(benchmark::kMillisecond)->UseRealTime();

// The windowed engine's speech: espeak-ng on a thread of its own (no speech-dispatcher).
class WindowedSpeechHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    std::unique_ptr<SpeechVoice> createSpeechVoice(SpeechStream& stream) override {
        return EspeakVoice::create(stream, EspeakVoice::Mode::Threaded);
    }
};

fs::path demoGame() {
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "demo-game";
}

// Whole frames of the demo's first view, shown in a window at twice the picture's size on
// SDL's dummy video driver, with Tab pressed every tenth frame: in blocks of 50 frames
// with speech on (each label synthesised while the frames go on, the next interrupting
// it) and with speech off (V between them). Wall-clock time, so the synthesis thread's
// share of the machine counts: "x_without" is the ratio of the two; "cpu_x_without" the
// same for the frame's own thread time.
void BM_WindowedFrameWhileSpeaking(benchmark::State& state) {
    if (!fs::exists(demoGame() / "init.scn")) {
        state.SkipWithError("the demo game is not built (target demo-data)");
        return;
    }
    const fs::path config =
        fs::temp_directory_path() / ("vorlen-speech-bench-" + std::to_string(getpid()));
    fs::create_directories(config / "vorlen");
    std::ofstream(config / "vorlen" / "settings.txt") << "speech = off\n";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    {
        StandardServices standard;
        WindowedSpeechHost host(standard.services());
        Engine engine(host, GameFolder(demoGame().string()));
        int code = 0;
        engine.start(code);
        engine.runLoopPass(code);
        VirtualClock clock;
        auto owned = std::make_unique<SdlDisplay>();
        SdlDisplay* display = owned.get();
        Screen window(std::move(owned), clock);
        window.createWindowed(640, 480);
        SDL_SetWindowSize(display->window(), 1280, 960);
        Surface& composed = engine.services().screen->back();

        double millis[2] = {0, 0}, cpu[2] = {0, 0};
        int64_t frames[2] = {0, 0};
        bool speaking = false;
        int n = 0;
        for (auto _ : state) {
            if (n % 50 == 0) {  // V: speech on or off, outside the timed frames
                host.setKey('v', true);
                engine.runLoopPass(code);
                host.setKey('v', false);
                engine.runLoopPass(code);
                speaking = !speaking;
            }
            host.setKey(KeyCode::Tab, n % 10 == 0);
            const auto start = Clock::now();
            const double cpuStart = threadMillis();
            engine.runLoopPass(code);
            display->show(composed, false, true);
            millis[speaking] += millisSince(start);
            cpu[speaking] += threadMillis() - cpuStart;
            ++frames[speaking];
            ++n;
        }
        const double with = frames[1] ? millis[1] / frames[1] : 0;
        const double without = frames[0] ? millis[0] / frames[0] : 0;
        state.counters["with_us"] = with * 1000;
        state.counters["without_us"] = without * 1000;
        state.counters["x_without"] = without > 0 ? with / without : 0;
        // The frame's own work on its thread, whatever else the machine runs.
        state.counters["cpu_x_without"] =
            frames[0] && frames[1] && cpu[0] > 0 ? (cpu[1] / frames[1]) / (cpu[0] / frames[0]) : 0;
    }
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(config);
}
BENCHMARK(BM_WindowedFrameWhileSpeaking)->Iterations(6000)->Unit(benchmark::kMicrosecond);

}  // namespace
