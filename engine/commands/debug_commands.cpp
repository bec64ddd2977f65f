// Commands for debugging aids, volume, screenshots and ending the game.
#include <algorithm>

#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

CommandResult quitCommand(Engine& engine, CommandContext&) {
    engine.scene().showEnding();
    return CommandResult::Continue;  // the script still runs to its end
}

CommandResult debugCommand(Engine& engine, CommandContext& ctx) {
    bool& debug = engine.state().debugMode;
    ctx.print(debug ? "Debug mode OFF" : "Debug mode ON", kWhite);
    debug = !debug;
    return CommandResult::Continue;
}

CommandResult setvolCommand(Engine& engine, CommandContext& ctx) {
    int32_t percent = std::clamp<int32_t>(leadingInteger(ctx.words[1]), 0, 100);
    if (Mixer* mixer = engine.state().mixer.get())
        mixer->setVolume(static_cast<uint8_t>(percent), static_cast<uint8_t>(percent));
    return CommandResult::Continue;
}

// "room" and ".jpg" get ".jpg" appended; "room.JpG" is kept as it is.
std::string screenshotName(const std::string& name) {
    if (name.size() > 4) {
        std::string tail = name.substr(name.size() - 4);
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (tail == ".JPG") return name;
    }
    return name + ".jpg";
}

CommandResult screenshotCommand(Engine& engine, CommandContext& ctx) {
    Screen* screen = engine.state().screen.get();
    if (!screen) {
        ctx.reportError("No screen to capture");
        return CommandResult::Continue;
    }
    engine.screenshots().take(screen->back(),
                              ctx.words.size() >= 2 ? screenshotName(ctx.words[1]) : "");
    return CommandResult::Continue;
}

CommandResult beepCommand(Engine& engine, CommandContext&) {
    if (Mixer* mixer = engine.state().mixer.get()) mixer->beep();
    return CommandResult::Continue;
}

}  // namespace

void registerDebugCommands(Engine& engine) {
    Interpreter& interpreter = engine.interpreter();
    interpreter.registerCommand("quit", bindEngine(engine, quitCommand));
    interpreter.registerCommand("debug", bindEngine(engine, debugCommand));
    interpreter.registerCommand("setvol", bindEngine(engine, setvolCommand));
    interpreter.registerCommand("screenshot", bindEngine(engine, screenshotCommand));
    interpreter.registerCommand("beep", bindEngine(engine, beepCommand));
}
