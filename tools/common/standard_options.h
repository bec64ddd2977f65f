#pragma once
// The options every Vorlen program that reads a command line answers the same way:
// --help prints the program's usage to standard output, --version its name and the
// release; both end the program with status 0.
#include <string>

struct ProgramInfo {
    const char* name;   // as typed: "vorlen-play"
    const char* usage;  // the whole --help text, lines ended by "\n"
};

// "NAME (Vorlen) VERSION", as --version prints it.
std::string versionText(const ProgramInfo& program);

// Prints what --help or --version ask for and returns true when `arg` is one of them
// (also "-h"); false for every other argument.
bool answerStandardOption(const std::string& arg, const ProgramInfo& program);

// For a wrong command line: "NAME: WHAT" and a pointer to --help on standard error.
// Returns the status such a mistake ends with (2).
int usageError(const ProgramInfo& program, const std::string& what);
