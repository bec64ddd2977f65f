#include "engine/console.h"

#include <algorithm>
#include <cstring>

#include "engine/game_state.h"
#include "engine/text_output.h"
#include "platform/key_names.h"
#include "script/interpreter.h"

namespace {
constexpr size_t kMaxLines = 500;
constexpr int kRows = 9;
constexpr int kRowHeight = 13;
constexpr const char* kAccepted =
    " 1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!@#$%^&*()-_=+,<.>/?;:'[{]}|";

int lastTop() {
    return static_cast<int>(game().consoleLines.size()) - kRows;
}

std::string trim(const std::string& s) {
    const char* blanks = " \t\r\n\v\f";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

void handleKeys() {
    GameState& g = game();
    if (!g.input) return;
    if (g.input->keyState(KeyCode::Enter) == InputDevice::Pressed) {
        std::string line = trim(g.consoleInput);
        g.consoleInput = line;
        if (!line.empty()) {
            runConsoleLine(line);
            game().consoleInput.clear();
        }
    } else if (g.input->keyState(KeyCode::UpArrow) != InputDevice::Up) {
        g.consoleTop = std::max(g.consoleTop - 1, 0);
    } else if (g.input->keyState(KeyCode::DownArrow) != InputDevice::Up) {
        int lines = static_cast<int>(g.consoleLines.size());
        if (lines >= kRows) ++g.consoleTop;
        if (g.consoleTop > lastTop()) g.consoleTop = lastTop();
    }
}

void handleTyping() {
    GameState& g = game();
    if (g.typedChar == 0) return;
    char c = static_cast<char>(g.typedChar);
    if (c == KeyCode::Backspace) {
        if (!g.consoleInput.empty()) g.consoleInput.pop_back();
    } else if (consoleAccepts(c)) {
        g.consoleInput += c;
    }
    g.typedChar = 0;
}

void drawPanel() {
    GameState& g = game();
    if (!g.screen) return;
    Surface& back = g.screen->back();
    if (!back.valid()) return;
    if (g.consoleImage && g.consoleImage->valid()) g.consoleImage->drawKeyed(back, 0, 0);
    uint32_t white = back.format().map(255, 255, 255);
    back.line(0, 0, 639, 0, white);
    back.line(0, 130, 639, 130, white);
    back.line(0, 150, 639, 150, white);
    back.line(0, 0, 0, 150, white);
    back.line(639, 0, 639, 150, white);

    size_t count = g.consoleLines.size();
    for (int i = 0; i < kRows; ++i) {
        // Negative indices wrap to huge unsigned values and are skipped with the rest.
        size_t index = static_cast<size_t>(static_cast<int64_t>(g.consoleTop) + i);
        if (index >= count) continue;
        drawTextLine(back, 5, 5 + kRowHeight * i, g.consoleColours[index], g.consoleLines[index]);
    }
    drawTextLine(back, 5, 131, kWhite, "> " + g.consoleInput + "|");
}

}  // namespace

bool consoleAccepts(char c) {
    return c != '\0' && std::strchr(kAccepted, c) != nullptr;
}

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
    g.consoleTop = lastTop();
    if (g.consoleListener) g.consoleListener(line, colour);
}

void runConsoleLine(const std::string& line) {
    std::string trimmed = trim(line);
    if (trimmed.empty()) return;
    game().consoleTop = lastTop();
    runScript(Script{trimmed}, 0, true);
}

void runConsole() {
    handleKeys();
    handleTyping();
    drawPanel();
}
