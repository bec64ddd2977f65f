// State files of any content: the reader accepts or refuses with a reason, never
// crashes; what it accepts writes back to a text it reads the same way. The same bytes,
// cut at line ends into names and values, make a game to save: one the writer accepts
// must read back whole (a slot saved without complaint always loads).
#include <cstdint>
#include <string>
#include <vector>

#include "game/save_file.h"

namespace {

void checkReader(std::string_view text) {
    SavedGame game;
    std::string why;
    bool ok = readSaveText(text, game, why);
    if (ok == !why.empty()) __builtin_trap();
    std::string date, time;
    readSaveStamp(text, date, time);
    if (!ok) return;
    std::string written = writeSaveText(game);
    SavedGame again;
    if (!readSaveText(written, again, why) || writeSaveText(again) != written) __builtin_trap();
}

// Lines: the view, the music, then names that alternate between hotspots and variables;
// flags and values come from the names' bytes.
void checkWriter(std::string_view text) {
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= text.size() && parts.size() < 64) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        parts.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    if (parts.size() < 2) return;
    SavedGame game;
    game.date = "2026-01-02";
    game.time = "03:04:05";
    game.view = parts[0];
    game.music = parts[1];
    game.musicPlaying = !parts[1].empty() && (parts[1][0] & 1);
    for (size_t i = 2; i < parts.size(); ++i) {
        const std::string& name = parts[i];
        const uint32_t seed = name.empty() ? 0 : static_cast<uint8_t>(name.back()) * 16777619u;
        if (i % 2 == 0)
            game.hotspots.emplace_back(name, seed & 1);
        else
            game.variables.emplace_back(name, static_cast<int32_t>(seed ^ 0x80000000u));
    }
    std::string why;
    if (!canSave(game, why)) {
        if (why.empty()) __builtin_trap();
        return;
    }
    SavedGame read;
    const std::string written = writeSaveText(game);
    if (!readSaveText(written, read, why) || read.view != game.view || read.music != game.music ||
        read.musicPlaying != game.musicPlaying || read.hotspots != game.hotspots ||
        read.variables != game.variables)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    checkReader(text);
    checkWriter(text);
    return 0;
}
