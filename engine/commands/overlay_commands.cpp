// The overlay commands: "addoverlayimage", "deloverlayimage", "addoverlayanim",
// "deloverlayanim", "addoverlaymovie", "deloverlaymovie". Each runs its checks in order
// and reports the first that fails; a missing file is found before anything is made.
#include <memory>

#include "engine/assets.h"
#include "engine/commands/engine_commands.h"
#include "engine/movie_players.h"
#include "engine/scene.h"
#include "platform/game_folder.h"
#include "platform/screen.h"
#include "platform/trim.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

// The parts the overlay commands use.
struct OverlayParts {
    const GameFolder& folder;
    Assets& assets;
    Scene& scene;
    MoviePlayers& movies;
    const std::unique_ptr<Screen>& screen;
};

int number(const CommandContext& ctx, size_t index) {
    return leadingInteger(ctx.words[index]);
}

CommandResult addoverlayimageCommand(const OverlayParts& parts, CommandContext& ctx) {
    if (!fileFound(parts.folder, ctx, ctx.words[2])) return CommandResult::Continue;
    const std::string& name = ctx.words[1];
    const std::string& file = ctx.words[2];
    Overlays& overlays = parts.scene.overlays();
    if (overlays.hasImage(name)) {
        ctx.reportError("Name in use");
        return CommandResult::Continue;
    }
    auto image = std::make_unique<OverlayImage>(name);
    // One that does not load still takes its name and place; it draws nothing.
    if (!image->load(parts.screen.get(), parts.folder.path(file), number(ctx, 3), number(ctx, 4),
                     true, number(ctx, 5)))
        parts.assets.reportCouldNotLoad(file);
    parts.scene.overlaySources().images[name] = {file, number(ctx, 3), number(ctx, 4),
                                                 number(ctx, 5)};
    overlays.addImage(std::move(image));
    return CommandResult::Continue;
}

CommandResult addoverlayanimCommand(const OverlayParts& parts, CommandContext& ctx) {
    if (!fileFound(parts.folder, ctx, ctx.words[2])) return CommandResult::Continue;
    const std::vector<std::string>& words = ctx.words;
    const std::string& name = words[1];
    const std::string& file = words[2];
    Overlays& overlays = parts.scene.overlays();
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
    if (anim->loadNamed(name, number(ctx, 3), number(ctx, 4), parts.screen.get(),
                        parts.folder.path(file), settings) != 1)
        parts.assets.reportCouldNotLoad(file);
    parts.scene.overlaySources().anims[name] = {file, number(ctx, 3), number(ctx, 4), settings};
    overlays.addAnim(std::move(anim));
    return CommandResult::Continue;
}

CommandResult addoverlaymovieCommand(const OverlayParts& parts, CommandContext& ctx) {
    if (!fileFound(parts.folder, ctx, ctx.words[2])) return CommandResult::Continue;
    const std::string name = trimmed(ctx.words[1]);
    const std::string& file = ctx.words[2];
    if (parts.scene.overlays().hasMovie(name)) {
        ctx.reportError("Name in use");
        return CommandResult::Continue;
    }
    ctx.print("Adding looped overlay movie: " + file, kWhite);
    std::unique_ptr<OverlayMovie> movie = parts.movies.makeOverlayMovie();
    // One that cannot be opened still takes its name; it shows nothing.
    if (movie->load(parts.screen.get(), parts.folder.path(file), number(ctx, 3), number(ctx, 4),
                    number(ctx, 5), number(ctx, 6), true)) {
        movie->start();
    } else {
        parts.movies.reportUnplayableMovie(file, movie->error());
    }
    parts.scene.overlays().addMovie(name, std::move(movie));
    return CommandResult::Continue;
}

// "deloverlayimage" and "deloverlayanim".
CommandResult deleteCommand(Scene& scene, CommandContext& ctx, bool image) {
    Overlays& overlays = scene.overlays();
    const std::string& name = ctx.words[1];
    bool removed = image ? overlays.removeImage(name) : overlays.removeAnim(name);
    if (!removed) ctx.reportError("Name not found");
    return CommandResult::Continue;
}

CommandResult deloverlaymovieCommand(Scene& scene, CommandContext& ctx) {
    const std::string name = trimmed(ctx.words[1]);
    if (!scene.overlays().removeMovie(name)) {
        ctx.reportError("Movie not found");
        return CommandResult::Continue;
    }
    ctx.print("Deleting overlay movie: " + name, kWhite);
    return CommandResult::Continue;
}

}  // namespace

void registerOverlayCommands(Interpreter& interpreter, const GameFolder& folder, Assets& assets,
                             Scene& scene, MoviePlayers& movies,
                             const std::unique_ptr<Screen>& screen) {
    auto bind = [parts = OverlayParts{folder, assets, scene, movies, screen}](
                    CommandResult (*handler)(const OverlayParts&, CommandContext&)) {
        return [parts, handler](CommandContext& ctx) { return handler(parts, ctx); };
    };
    interpreter.registerCommand("addoverlayimage", bind(addoverlayimageCommand));
    interpreter.registerCommand("deloverlayimage", [&scene](CommandContext& ctx) {
        return deleteCommand(scene, ctx, true);
    });
    interpreter.registerCommand("addoverlayanim", bind(addoverlayanimCommand));
    interpreter.registerCommand("deloverlayanim", [&scene](CommandContext& ctx) {
        return deleteCommand(scene, ctx, false);
    });
    interpreter.registerCommand("addoverlaymovie", bind(addoverlaymovieCommand));
    interpreter.registerCommand("deloverlaymovie", [&scene](CommandContext& ctx) {
        return deloverlaymovieCommand(scene, ctx);
    });
}
