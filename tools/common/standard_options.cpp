#include "tools/common/standard_options.h"

#include <cstdio>

#include "vorlen_version.h"

std::string versionText(const ProgramInfo& program) {
    return std::string(program.name) + " (Vorlen) " + VORLEN_VERSION + "\n";
}

bool answerStandardOption(const std::string& arg, const ProgramInfo& program) {
    if (arg == "--help" || arg == "-h") {
        std::fputs(program.usage, stdout);
        return true;
    }
    if (arg == "--version") {
        std::fputs(versionText(program).c_str(), stdout);
        return true;
    }
    return false;
}

int usageError(const ProgramInfo& program, const std::string& what) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", program.name,
                 what.c_str(), program.name);
    return 2;
}
