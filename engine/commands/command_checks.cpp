// Checks the commands share.
#include "engine/commands/engine_commands.h"
#include "engine/engine.h"
#include "script/commands.h"

bool fileFound(Engine& engine, CommandContext& ctx, const std::string& file) {
    if (engine.folder().exists(file)) return true;
    ctx.reportError("Cannot find file");
    return false;
}
