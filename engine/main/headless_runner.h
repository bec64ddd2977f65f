#pragma once
// engine-headless: the engine run with no window, a virtual clock and a scripted
// input, for automated play-throughs and end-to-end tests.
#include <iosfwd>
#include <string>

struct ProgramServices;

// Runs the engine in the working directory on the commands read from `in`; `out`
// receives the console, message-box and state lines, `err` the runner's own complaints.
// Text, pictures, music and movies go through the program's services. Returns the exit
// status.
int runHeadless(std::istream& in, std::ostream& out, std::ostream& err,
                const ProgramServices& services);
