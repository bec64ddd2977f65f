#pragma once
// The command table the interpreter dispatches on. Commands that belong to other
// subsystems (movies, overlays, sounds, music, saved games) start as stand-ins that
// refuse with "Not available yet"; those subsystems install their handlers here.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "script/interpreter.h"

struct CommandContext {
    const std::vector<std::string>& words;  // the line's words; words[0] is the command
    const std::string& line;                // the whole line, for error reports
    const Script& script;                   // the running script (block bodies)
    size_t index;                           // the line's index in `script`
    int depth;
    bool fromConsole;
    bool& branchTaken;
    size_t nextIndex;  // the line to run next; index + 1 unless a command moves it
};

enum class CommandResult {
    Continue,  // go on at ctx.nextIndex
    End,       // end this invocation
};

using CommandHandler = std::function<CommandResult(CommandContext&)>;

// Installs or replaces a command. Names are matched exactly.
void registerCommand(const std::string& name, CommandHandler handler);
// Null when the name is no command.
const CommandHandler* findCommand(const std::string& name);

// The red pair "Error in Cmd: <line>" and the reason.
void reportCommandError(const std::string& line, const std::string& reason);
// Words from `first` on, joined with nothing between them.
std::string joinWords(const std::vector<std::string>& words, size_t first);

// Installed by the interpreter on first use.
void registerFlowCommands();
void registerViewCommands();
void registerDebugCommands();
void registerGameCommands();
