// Random scripts: lines of words run through the interpreter with a view loaded.
// Everything must end, report on the console, and leave no jump pending.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/game_state.h"
#include "script/interpreter.h"

namespace {

// A small game folder so "load", hotspot commands and conditions have something to act on.
void setUpFolder() {
    static bool done = false;
    if (done) return;
    done = true;
    std::string folder = "/tmp/vorlen-interp-fuzz-" + std::to_string(getpid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (chdir(folder.c_str()) != 0) return;
    FILE* file = std::fopen("a.scn", "wb");
    if (!file) return;
    std::fputs(
        "VIEW a BASEIMAGE a.jpg ONLOADSTART\nlet n=n+1\nif n>3\ngoto b\nendif\nONLOADEND\n"
        "HOTSPOTSTART h CURSOR 7 COORD (0,0),(9,0),(9,9) ONCONDITION (n==1) ONCLICKSTART\n"
        "load a.scn\nONCLICKEND\nHOTSPOTEND\n",
        file);
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setUpFolder();
    resetGame();
    resetInterpreter();
    game().inventoryItems["inv_horse"] = 1;
    game().currentView = std::make_unique<View>();
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
    runScript(script, 0, size > 0 && data[0] == 'C');
    if (!pendingLabel().empty()) __builtin_trap();
    return 0;
}
