#pragma once
// Outside programs for the real-window and real-daemon checks: whether one is installed,
// its printed output, and children started, waited for and stopped by their ids.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace child_process {

bool haveTool(const char* tool);
// What a shell command prints, without its trailing blanks and line ends.
std::string capture(const std::string& command);
// Starts argv[0] from PATH in `dir` (empty: here) with its output discarded.
pid_t spawn(const std::vector<std::string>& argv, const std::string& dir = "");
// The exit status, or -1 when the child did not end in time (it is then killed).
int waitFor(pid_t pid, std::chrono::milliseconds limit);
// A private X server (tests/support/start-xvfb.sh: it picks a free display itself, so
// checks running side by side never race) made the DISPLAY; its id, or -1 when it did
// not start.
pid_t startXvfb(const char* geometry);
// SIGTERM, then SIGKILL if it is still there after two seconds.
void stop(pid_t pid);

}  // namespace child_process
