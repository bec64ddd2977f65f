// View files of any content: reading ends with success or an error text, never a crash.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/game_folder.h"
#include "view/view.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorlen-view-fuzz-" + std::to_string(getpid()) + ".scn";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    Variables variables;
    SilentSink output;
    View view(variables, output);
    std::string error;
    bool ok = view.load(path, GameFolder(), error);
    if (ok != error.empty()) __builtin_trap();
    for (size_t i = 0; i < view.hotspotCount(); ++i) {
        view.hotspot(i).contains(100, 100);
        for (const std::string& line : view.hotspotClickScript(static_cast<int>(i)))
            if (line.size() > View::kMaxScriptLine) __builtin_trap();
    }
    view.hotspotAt(320, 240);
    return 0;
}
