// Random scripts: lines of words run through the interpreter with a view loaded.
// Everything must end, report on the console, and leave no jump pending.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "platform/headless/headless_host.h"

namespace {

// A small game folder so "load", hotspot commands and conditions have something to act on.
const std::string& folder() {
    static std::string path;
    if (!path.empty()) return path;
    path = "/tmp/vorlen-interp-fuzz-" + std::to_string(getpid());
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return path;
    FILE* file = std::fopen((path + "/a.scn").c_str(), "wb");
    if (!file) return path;
    if (!file) return path;
    std::fputs(
        "VIEW a BASEIMAGE a.jpg ONLOADSTART\nlet n=n+1\nif n>3\ngoto b\nendif\nONLOADEND\n"
        "HOTSPOTSTART h CURSOR 7 COORD (0,0),(9,0),(9,9) ONCONDITION (n==1) ONCLICKSTART\n"
        "load a.scn\nONCLICKEND\nHOTSPOTEND\n",
        file);
    std::fclose(file);
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProgramServices none;  // scripts only: no text, pictures or sound files are read
    HeadlessHost host(none);
    Engine engine(host, GameFolder(folder()));
    const GameServices& game = engine.services();
    game.inventory.itemTable["inv_horse"] = 1;
    game.scene.setView(std::make_unique<View>(engine.interpreter().variables(), engine.console()));
    Script script;
    std::string line;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            if (!line.empty()) script.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(data[i]);
        }
    }
    engine.interpreter().runScript(script, 0, size > 0 && data[0] == 'C');
    if (!engine.interpreter().pendingLabel().empty()) __builtin_trap();
    return 0;
}
