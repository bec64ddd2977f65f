// Commands for debugging aids, volume, screenshots and ending the game.
#include <algorithm>

#include "engine/commands/engine_commands.h"
#include "engine/scene.h"
#include "engine/screenshots.h"
#include "media/mixer.h"
#include "platform/screen.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

CommandResult quitCommand(Scene& scene) {
    scene.showEnding();
    return CommandResult::Continue;  // the script still runs to its end
}

CommandResult debugCommand(bool& debug, CommandContext& ctx) {
    ctx.print(debug ? "Debug mode OFF" : "Debug mode ON", kWhite);
    debug = !debug;
    return CommandResult::Continue;
}

CommandResult setvolCommand(const std::unique_ptr<Mixer>& slot, CommandContext& ctx) {
    int32_t percent = std::clamp<int32_t>(leadingInteger(ctx.words[1]), 0, 100);
    if (Mixer* mixer = slot.get())
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

CommandResult screenshotCommand(Screenshots& screenshots, const std::unique_ptr<Screen>& slot,
                                CommandContext& ctx) {
    Screen* screen = slot.get();
    if (!screen) {
        ctx.reportError("No screen to capture");
        return CommandResult::Continue;
    }
    screenshots.take(screen->back(), ctx.words.size() >= 2 ? screenshotName(ctx.words[1]) : "");
    return CommandResult::Continue;
}

CommandResult beepCommand(const std::unique_ptr<Mixer>& mixer) {
    if (mixer) mixer->beep();
    return CommandResult::Continue;
}

}  // namespace

void registerDebugCommands(Interpreter& interpreter, Scene& scene, Screenshots& screenshots,
                           const std::unique_ptr<Screen>& screen,
                           const std::unique_ptr<Mixer>& mixer, bool& debugMode) {
    interpreter.registerCommand("quit", [&scene](CommandContext&) { return quitCommand(scene); });
    interpreter.registerCommand(
        "debug", [&debugMode](CommandContext& ctx) { return debugCommand(debugMode, ctx); });
    interpreter.registerCommand(
        "setvol", [&mixer](CommandContext& ctx) { return setvolCommand(mixer, ctx); });
    interpreter.registerCommand("screenshot", [&screenshots, &screen](CommandContext& ctx) {
        return screenshotCommand(screenshots, screen, ctx);
    });
    interpreter.registerCommand("beep", [&mixer](CommandContext&) { return beepCommand(mixer); });
}
