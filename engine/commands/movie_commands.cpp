// The blocking movie commands: "playmovie" (full screen) and "playoverlaymovie" (in a
// rectangle over the view). Both return when their movie has ended.
#include <cstdint>

#include "engine/commands/engine_commands.h"
#include "engine/movie_players.h"
#include "script/commands.h"
#include "script/numbers.h"

namespace {

// Tenths of a second as a media time (100 ns units). Computed in 64 bits, so every time
// a script can write is usable.
int64_t mediaTimeOfTenths(const std::string& word) {
    return int64_t{leadingInteger(word)} * 1000000;
}

CommandResult playmovieCommand(const GameFolder& folder, MoviePlayers& movies,
                               CommandContext& ctx) {
    const std::vector<std::string>& words = ctx.words;
    const std::string& file = words[1];
    if (!fileFound(folder, ctx, file)) return CommandResult::Continue;
    // Times only with exactly four words; "START" and "END" leave one open.
    int64_t start = -1, stop = -1;
    if (words.size() == 4) {
        if (words[2] != "START") start = mediaTimeOfTenths(words[2]);
        if (words[3] != "END") stop = mediaTimeOfTenths(words[3]);
    }
    ctx.print("Playing movie: " + file, kWhite);
    movies.playMovie(file, start, stop);
    return CommandResult::Continue;
}

CommandResult playoverlaymovieCommand(const GameFolder& folder, MoviePlayers& movies,
                                      CommandContext& ctx) {
    const std::vector<std::string>& words = ctx.words;
    const std::string& file = words[1];
    if (!fileFound(folder, ctx, file)) return CommandResult::Continue;
    ctx.print("Playing overlay movie: " + file, kWhite);
    movies.playOverlayMovie(file, leadingInteger(words[2]), leadingInteger(words[3]),
                            leadingInteger(words[4]), leadingInteger(words[5]));
    return CommandResult::Continue;
}

}  // namespace

void registerMovieCommands(Interpreter& interpreter, const GameFolder& folder,
                           MoviePlayers& movies) {
    interpreter.registerCommand("playmovie", [&folder, &movies](CommandContext& ctx) {
        return playmovieCommand(folder, movies, ctx);
    });
    interpreter.registerCommand("playoverlaymovie", [&folder, &movies](CommandContext& ctx) {
        return playoverlaymovieCommand(folder, movies, ctx);
    });
}
