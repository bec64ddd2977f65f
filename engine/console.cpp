#include "engine/console.h"

#include "engine/game_state.h"

namespace {
constexpr size_t kMaxLines = 500;
constexpr int kRows = 9;
}  // namespace

void consolePrint(const std::string& text, uint32_t colour) {
    GameState& g = game();
    ++g.consoleCounter;
    if (g.consoleLines.size() >= kMaxLines) {
        g.consoleLines.erase(g.consoleLines.begin());
        g.consoleColours.erase(g.consoleColours.begin());
    }
    std::string line = g.consoleCounter < 100 ? " " : "";
    line += std::to_string(g.consoleCounter) + ": " + text;
    g.consoleLines.push_back(line);
    g.consoleColours.push_back(colour);
    g.consoleTop = static_cast<int32_t>(g.consoleLines.size()) - kRows;
    if (g.consoleListener) g.consoleListener(line, colour);
}
