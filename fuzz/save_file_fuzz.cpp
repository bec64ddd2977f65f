// State files of any content: the reader accepts or refuses with a reason, never
// crashes; what it accepts writes back to a text it reads the same way.
#include <cstdint>
#include <string>

#include "game/save_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    SavedGame game;
    std::string why;
    bool ok = readSaveText(text, game, why);
    if (ok == !why.empty()) __builtin_trap();
    std::string date, time;
    readSaveStamp(text, date, time);
    if (!ok) return 0;
    std::string written = writeSaveText(game);
    SavedGame again;
    if (!readSaveText(written, again, why) || writeSaveText(again) != written) __builtin_trap();
    return 0;
}
