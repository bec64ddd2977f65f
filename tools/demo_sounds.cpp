#include "tools/demo_sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/wave_file_writer.h"
#include "tools/encoders/sound_encoder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 44100;

// Deterministic white noise in -1..1 for sample index n.
double noise(int64_t n, uint32_t seed) {
    uint32_t x = static_cast<uint32_t>(n) * 0x9E3779B1u ^ seed * 0x85EBCA77u;
    x ^= x >> 15;
    x *= 0x2C1B3C6Du;
    x ^= x >> 12;
    x *= 0x297A2D39u;
    x ^= x >> 15;
    return (x & 0xFFFFFF) / double(0x7FFFFF) - 1.0;
}

// Noise smoothed over `width` samples: lower, softer than white noise.
double softNoise(double t, double width, uint32_t seed) {
    double pos = t * kRate / width;
    auto n = static_cast<int64_t>(std::floor(pos));
    double f = pos - n;
    f = f * f * (3 - 2 * f);
    return noise(n, seed) * (1 - f) + noise(n + 1, seed) * f;
}

double envelope(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// A bell: inharmonic partials with their own decays.
double bell(double t, double hz) {
    if (t < 0) return 0;
    const double ratios[] = {1.0, 2.76, 5.40, 8.93};
    const double levels[] = {0.5, 0.25, 0.15, 0.08};
    double v = 0;
    for (int i = 0; i < 4; ++i)
        v += levels[i] * std::sin(2 * kPi * hz * ratios[i] * t) * std::exp(-t * (1.2 + i * 1.5));
    return v * std::min(1.0, t * 400);
}

// One footstep: a burst of noise through a crude resonance.
double step(double t, double grit, double ring, uint32_t seed) {
    if (t < 0 || t > 0.25) return 0;
    double body = softNoise(t, grit, seed) * envelope(t, 0.004, 0.05);
    double tone = std::sin(2 * kPi * ring * t) * envelope(t, 0.002, 0.03);
    return 0.6 * body + 0.25 * tone;
}

double steps(double t, double grit, double ring, uint32_t seed) {
    double v = 0;
    for (int i = 0; i < 4; ++i) v += step(t - 0.1 - i * 0.38, grit, ring, seed + i);
    return v;
}

double chord(double t, const std::vector<double>& hz, double level) {
    double v = 0;
    for (size_t i = 0; i < hz.size(); ++i)
        v += std::sin(2 * kPi * hz[i] * t + i) * (1 + 0.15 * std::sin(2 * kPi * 0.3 * t + i));
    return level * v / hz.size();
}

double note(int semitonesFromA) {
    return 440.0 * std::pow(2.0, semitonesFromA / 12.0);
}

// A plucked note: a few harmonics dying away.
double pluck(double t, double hz) {
    if (t < 0) return 0;
    double v = 0;
    for (int h = 1; h <= 4; ++h) v += std::sin(2 * kPi * hz * h * t) / (h * h);
    return v * envelope(t, 0.005, 0.6);
}

// Garden: a pentatonic arpeggio over a soft drone, 16 s, the same at both ends.
double gardenMusic(double t) {
    const int melody[] = {-12, -9, -7, -5, -2, -5, -7, -9, -12, -7, -5, -2, 0, -2, -5, -7};
    double v = chord(t, {note(-24), note(-17)}, 0.18);
    for (int i = 0; i < 32; ++i) {
        double start = i * 0.5;
        double at = t - start;
        if (at < 0) at += 16;  // the tail of the last notes wraps to the start
        v += 0.22 * pluck(at, note(melody[i % 16] + (i >= 16 ? 12 : 0)));
    }
    return v;
}

// House: slow organ-like chords, 16 s.
double houseMusic(double t) {
    const std::vector<std::vector<int>> chords = {
        {-21, -14, -9, -5}, {-19, -12, -7, -4}, {-24, -17, -12, -8}, {-22, -15, -10, -7}};
    int index = static_cast<int>(t / 4) % 4;
    double within = std::fmod(t, 4.0);
    double fade = std::min({1.0, within / 0.3, (4 - within) / 0.3});
    std::vector<double> hz;
    for (int s : chords[static_cast<size_t>(index)]) hz.push_back(note(s));
    double v = 0;
    for (double f : hz)
        for (int h = 1; h <= 3; ++h) v += std::sin(2 * kPi * f * h * t) / (h * 1.7);
    return 0.09 * fade * v;
}

std::vector<int16_t> render(const std::function<double(double)>& voice, double seconds,
                            int channels, double gain) {
    auto frames = static_cast<size_t>(seconds * kRate);
    std::vector<int16_t> out(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        double v = std::clamp(voice(double(i) / kRate) * gain, -1.0, 1.0);
        for (int c = 0; c < channels; ++c)
            out[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
                static_cast<int16_t>(v * 32000);
    }
    return out;
}

bool writeWave(const std::string& path, const std::function<double(double)>& voice,
               double seconds) {
    std::vector<int16_t> samples = render(voice, seconds, 1, 0.9);
    WaveFileWriter writer;
    return writer.open(path, kRate, 1) && writer.write(samples.data(), samples.size()) &&
           writer.close();
}

}  // namespace

double doorSound(double t) {
    // A creak: a sawtooth whose pitch wobbles down, then the latch.
    double creak = 0;
    if (t < 0.9) {
        double hz = 180 - 60 * t + 25 * std::sin(2 * kPi * 7 * t);
        double phase = std::fmod(hz * t, 1.0);
        creak =
            (2 * phase - 1) * 0.35 * std::sin(kPi * t / 0.9) * (0.6 + 0.4 * softNoise(t, 40, 3));
    }
    double latch = 0.7 * softNoise(t, 3, 9) * envelope(t - 0.95, 0.002, 0.04) +
                   0.4 * std::sin(2 * kPi * 95 * t) * envelope(t - 0.95, 0.003, 0.09);
    return creak + latch;
}

double gravelSteps(double t) {
    return 1.2 * steps(t, 2.5, 0, 11) + 0.25 * steps(t - 0.03, 6, 0, 21);
}

double stoneSteps(double t) {
    return steps(t, 5, 420, 31);
}

double bucketSound(double t) {
    double knock = 0.5 * std::sin(2 * kPi * 160 * t) * envelope(t, 0.002, 0.08) +
                   0.3 * std::sin(2 * kPi * 240 * t) * envelope(t - 0.15, 0.002, 0.06);
    double splash = softNoise(t, 1.5, 41) * envelope(t - 0.45, 0.02, 0.25) * 0.6;
    return knock + splash;
}

double chimeSound(double t) {
    return 0.7 * bell(t, 880) + 0.5 * bell(t - 0.18, 1318.5);
}

double titleMusic(double t) {
    double swell = std::min(1.0, t / 2.0) * std::min(1.0, std::max(0.0, (6 - t) / 1.2));
    return chord(t, {note(-12), note(-9), note(-5), note(0)}, 0.35 * swell) +
           0.4 * bell(t - 1.5, 660) + 0.3 * bell(t - 3.0, 880);
}

double trickle(double t) {
    // Two offset noise layers cross-faded over the 2-second period, so the loop has no seam.
    double phase = std::fmod(t, 2.0) / 2.0;
    double a = softNoise(std::fmod(t, 2.0), 2, 51), b = softNoise(std::fmod(t, 2.0) + 2, 2, 51);
    double w = 0.5 - 0.5 * std::cos(2 * kPi * phase);
    return 0.08 * (a * w + b * (1 - w));
}

double sunrise(double t) {
    double swell = std::min(1.0, t / 3.0) * std::min(1.0, std::max(0.0, (4 - t) / 0.5));
    return chord(t, {note(-9), note(-5), note(-2), note(3)}, 0.4 * swell);
}

std::string writeDemoSounds(const std::string& folder) {
    const struct {
        const char* name;
        double (*voice)(double);
        double seconds;
    } effects[] = {{"door.wav", doorSound, 1.2},
                   {"gravel.wav", gravelSteps, 1.6},
                   {"stone.wav", stoneSteps, 1.6},
                   {"bucket.wav", bucketSound, 1.3},
                   {"chime.wav", chimeSound, 2.5}};
    for (const auto& e : effects) {
        if (!writeWave(folder + "/" + e.name, e.voice, e.seconds)) return e.name;
    }
    const struct {
        const char* name;
        double (*voice)(double);
    } loops[] = {{"garden.ogg", gardenMusic}, {"house.ogg", houseMusic}};
    for (const auto& l : loops) {
        std::string error;
        std::vector<int16_t> samples = render(l.voice, 16.0, 2, 0.8);
        if (!encodeMusic(folder + "/" + l.name, "libvorbis", "ogg", samples, kRate, 2, error))
            return std::string(l.name) + ": " + error;
    }
    return "";
}
