// Random game folders for the checker: the input is cut at NUL bytes into init.scn and
// up to seven more view files (a.scn ... g.scn) that can load one another and name each
// other as pictures, sheets and sounds. The whole-game check and the one-view check end
// with a list of problems, never a crash or a hang, and every problem survives the trip
// through its JSON line.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/jpeg/jpeg_format.h"
#include "tools/checker/game_check.h"

namespace {

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

void roundTrip(const GameCheck& check) {
    for (const Diagnostic& d : check.diagnostics()) {
        Diagnostic back;
        if (!parseJsonDiagnostic(formatJson(d), back)) __builtin_trap();
        if (back.file != d.file || back.line != d.line || back.text != d.text ||
            back.severity != d.severity || back.hotspot != d.hotspot ||
            back.hotspotName != d.hotspotName)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = "/tmp/vorlen-checker-fuzz-" + std::to_string(getpid());
    static const PictureFormats pictures = pictureFormatsWithJpeg();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    std::filesystem::create_directories(root, ec);

    const char* names[] = {"init.scn", "a.scn", "b.scn", "c.scn",
                           "d.scn",    "e.scn", "f.scn", "g.scn"};
    size_t start = 0, file = 0;
    for (size_t i = 0; i <= size && file < 8; ++i) {
        if (i == size || data[i] == 0) {
            writeFile(root + "/" + names[file++], data + start, i - start);
            start = i + 1;
        }
    }

    const GameFolder folder(root);
    MediaReaders readers;
    readers.pictures = &pictures;
    std::string error;
    GameCheck game(folder, readers);
    if (!game.checkGame(error)) __builtin_trap();
    roundTrip(game);
    GameCheck one(folder, readers);
    if (!one.checkView("a.scn", error)) __builtin_trap();
    roundTrip(one);
    return 0;
}
