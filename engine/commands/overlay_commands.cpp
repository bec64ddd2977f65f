// The overlay commands: "addoverlayimage", "deloverlayimage", "addoverlayanim",
// "deloverlayanim", "addoverlaymovie", "deloverlaymovie". Each runs its checks in order
// and reports the first that fails; a missing file is found before anything is made.
#include <memory>

#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "platform/trim.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

int number(const CommandContext& ctx, size_t index) {
    return leadingInteger(ctx.words[index]);
}

CommandResult addoverlayimageCommand(Engine& engine, CommandContext& ctx) {
    if (!fileFound(engine, ctx, ctx.words[2])) return CommandResult::Continue;
    const std::string& name = ctx.words[1];
    const std::string& file = ctx.words[2];
    Overlays& overlays = engine.scene().overlays();
    if (overlays.hasImage(name)) {
        ctx.reportError("Name in use");
        return CommandResult::Continue;
    }
    auto image = std::make_unique<OverlayImage>(name);
    // One that does not load still takes its name and place; it draws nothing.
    if (!image->load(engine.state().screen.get(), engine.folder().path(file), number(ctx, 3),
                     number(ctx, 4), true, number(ctx, 5)))
        engine.assets().reportCouldNotLoad(file);
    engine.scene().overlaySources().images[name] = {file, number(ctx, 3), number(ctx, 4),
                                                    number(ctx, 5)};
    overlays.addImage(std::move(image));
    return CommandResult::Continue;
}

CommandResult addoverlayanimCommand(Engine& engine, CommandContext& ctx) {
    if (!fileFound(engine, ctx, ctx.words[2])) return CommandResult::Continue;
    const std::vector<std::string>& words = ctx.words;
    const std::string& name = words[1];
    const std::string& file = words[2];
    Overlays& overlays = engine.scene().overlays();
    if (overlays.hasAnim(name)) {
        ctx.reportError("Name in use");
        return CommandResult::Continue;
    }
    AnimationSettings settings;
    settings.frameWidth = number(ctx, 5);
    settings.frameHeight = number(ctx, 6);
    settings.frameCount = number(ctx, 7);
    settings.frameDelay = static_cast<uint16_t>(number(ctx, 8));
    settings.depth = number(ctx, 9);
    // Flags only with exactly one or two of them, in either order; others are ignored.
    if (words.size() == 11 || words.size() == 12) {
        for (size_t i = 10; i < words.size(); ++i) {
            if (words[i] == "REV") settings.reverse = true;
            if (words[i] == "LOOP") settings.looping = true;
        }
    }
    auto anim = std::make_unique<FrameAnimation>();
    if (anim->loadNamed(name, number(ctx, 3), number(ctx, 4), engine.state().screen.get(),
                        engine.folder().path(file), settings) != 1)
        engine.assets().reportCouldNotLoad(file);
    engine.scene().overlaySources().anims[name] = {file, number(ctx, 3), number(ctx, 4), settings};
    overlays.addAnim(std::move(anim));
    return CommandResult::Continue;
}

CommandResult addoverlaymovieCommand(Engine& engine, CommandContext& ctx) {
    if (!fileFound(engine, ctx, ctx.words[2])) return CommandResult::Continue;
    const std::string name = trimmed(ctx.words[1]);
    const std::string& file = ctx.words[2];
    GameState& g = engine.state();
    if (engine.scene().overlays().hasMovie(name)) {
        ctx.reportError("Name in use");
        return CommandResult::Continue;
    }
    ctx.print("Adding looped overlay movie: " + file, kWhite);
    auto movie = std::make_unique<OverlayMovie>(engine.host().clock(),
                                                engine.host().services().movies, g.mixer.get());
    // One that cannot be opened still takes its name; it shows nothing.
    if (movie->load(g.screen.get(), engine.folder().path(file), number(ctx, 3), number(ctx, 4),
                    number(ctx, 5), number(ctx, 6), true)) {
        movie->start();
    } else {
        engine.movies().reportUnplayableMovie(file, movie->error());
    }
    engine.scene().overlays().addMovie(name, std::move(movie));
    return CommandResult::Continue;
}

// "deloverlayimage" and "deloverlayanim".
CommandResult deleteCommand(Engine& engine, CommandContext& ctx, bool image) {
    Overlays& overlays = engine.scene().overlays();
    const std::string& name = ctx.words[1];
    bool removed = image ? overlays.removeImage(name) : overlays.removeAnim(name);
    if (!removed) ctx.reportError("Name not found");
    return CommandResult::Continue;
}

CommandResult deloverlaymovieCommand(Engine& engine, CommandContext& ctx) {
    const std::string name = trimmed(ctx.words[1]);
    if (!engine.scene().overlays().removeMovie(name)) {
        ctx.reportError("Movie not found");
        return CommandResult::Continue;
    }
    ctx.print("Deleting overlay movie: " + name, kWhite);
    return CommandResult::Continue;
}

}  // namespace

void registerOverlayCommands(Engine& engine) {
    Interpreter& interpreter = engine.interpreter();
    interpreter.registerCommand("addoverlayimage", bindEngine(engine, addoverlayimageCommand));
    interpreter.registerCommand("deloverlayimage", [&engine](CommandContext& ctx) {
        return deleteCommand(engine, ctx, true);
    });
    interpreter.registerCommand("addoverlayanim", bindEngine(engine, addoverlayanimCommand));
    interpreter.registerCommand("deloverlayanim", [&engine](CommandContext& ctx) {
        return deleteCommand(engine, ctx, false);
    });
    interpreter.registerCommand("addoverlaymovie", bindEngine(engine, addoverlaymovieCommand));
    interpreter.registerCommand("deloverlaymovie", bindEngine(engine, deloverlaymovieCommand));
}
