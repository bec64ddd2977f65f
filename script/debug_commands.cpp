// Commands for the interpreter's own output, debugging aids, volume, screenshots and
// ending the game.
#include <algorithm>

#include "engine/console.h"
#include "engine/engine.h"
#include "engine/game_state.h"
#include "engine/screenshot.h"
#include "script/commands.h"
#include "script/evaluator.h"
#include "script/numbers.h"

namespace {

CommandResult quitCommand(CommandContext&) {
    showEnding();
    return CommandResult::Continue;  // the script still runs to its end
}

CommandResult debugCommand(CommandContext&) {
    GameState& g = game();
    consolePrint(g.debugMode ? "Debug mode OFF" : "Debug mode ON", kWhite);
    g.debugMode = !g.debugMode;
    return CommandResult::Continue;
}

CommandResult echoCommand(CommandContext& ctx) {
    if (ctx.words.size() < 2) {
        for (const auto& [name, value] : game().variables)
            consolePrint(name + " = " + std::to_string(value), kWhite);
        return CommandResult::Continue;
    }
    bool error = false;
    int32_t value = evaluateExpression(joinWords(ctx.words, 1), error);
    if (error)
        reportCommandError(ctx.line, "Could not parse expression");
    else
        consolePrint(std::to_string(value), kWhite);
    return CommandResult::Continue;
}

CommandResult setvolCommand(CommandContext& ctx) {
    if (ctx.words.size() < 2) {
        reportCommandError(ctx.line, "Too few arguments");
        return CommandResult::Continue;
    }
    int32_t percent = std::clamp<int32_t>(leadingInteger(ctx.words[1]), 0, 100);
    if (Mixer* mixer = game().mixer.get())
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

CommandResult screenshotCommand(CommandContext& ctx) {
    GameState& g = game();
    if (!g.screen) {
        reportCommandError(ctx.line, "No screen to capture");
        return CommandResult::Continue;
    }
    takeScreenshot(g.screen->back(), ctx.words.size() >= 2 ? screenshotName(ctx.words[1]) : "");
    return CommandResult::Continue;
}

CommandResult beepCommand(CommandContext&) {
    if (Mixer* mixer = game().mixer.get()) mixer->beep();
    return CommandResult::Continue;
}

}  // namespace

void registerDebugCommands() {
    registerCommand("quit", quitCommand);
    registerCommand("debug", debugCommand);
    registerCommand("echo", echoCommand);
    registerCommand("echoon", [](CommandContext&) {
        setEchoLines(true);
        return CommandResult::Continue;
    });
    registerCommand("echooff", [](CommandContext&) {
        setEchoLines(false);
        return CommandResult::Continue;
    });
    registerCommand("setvol", setvolCommand);
    registerCommand("screenshot", screenshotCommand);
    registerCommand("beep", beepCommand);
}
