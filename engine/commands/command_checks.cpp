// Checks the commands share.
#include "engine/commands/engine_commands.h"
#include "platform/game_folder.h"
#include "script/commands.h"

bool fileFound(const GameFolder& folder, CommandContext& ctx, const std::string& file) {
    if (folder.exists(file)) return true;
    ctx.reportError("Cannot find file");
    return false;
}
