// Writes a seed corpus for wave_reader_fuzz: small valid wave files of every layout the
// reader takes. Usage: wave-fuzz-seeds FOLDER
#include <cstdio>
#include <string>

#include "audio/audio_fixtures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wave-fuzz-seeds FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    Bytes pcm16 = le16(tone(22050, 2, 40, 440, 9000));
    Bytes pcm8(40, 128);
    const Bytes samples[] = {pcm16, pcm8};
    int n = 0;
    auto put = [&](const Bytes& file) {
        writeFile(dir + "/seed" + std::to_string(n++) + ".wav", file);
    };
    put(pcmWave(2, 44100, 16, pcm16));
    put(pcmWave(1, 22050, 16, pcm16));
    put(pcmWave(1, 8000, 8, pcm8));
    put(pcmWave(2, 96000, 8, pcm8));
    Bytes fmt = chunk("fmt ", formatBody(1, 2, 11025, 16));
    put(riff({fmt, chunk("fact", {20, 0, 0, 0}), chunk("data", samples[0])}));
    put(riff({fmt, chunk("LIST", {'I', 'N', 'F', 'O', 'x'}), chunk("data", samples[0])}));
    Bytes fmt18 = formatBody(1, 1, 44100, 8);
    fmt18.insert(fmt18.end(), {0, 0});
    put(riff({chunk("fmt ", fmt18), chunk("data", samples[1])}));
    // Extensible PCM, and the format chunk after other chunks or after the data.
    Bytes extensible = chunk("fmt ", extensibleFormatBody(2, 22050, 16, 16));
    put(riff({extensible, chunk("data", samples[0])}));
    put(riff({chunk("fmt ", extensibleFormatBody(1, 8000, 8, 8)), chunk("data", samples[1])}));
    put(riff({chunk("LIST", {'I', 'N', 'F', 'O', 'x'}), fmt, chunk("data", samples[0])}));
    put(riff({chunk("data", samples[0]), fmt}));
    put(riff({chunk("data", samples[0]), chunk("fact", {20, 0, 0, 0}), extensible}));
    return 0;
}
