#include "engine/console.h"

#include <algorithm>
#include <cstring>

#include "engine/text_output.h"
#include "platform/input_device.h"
#include "platform/key_names.h"
#include "platform/surface.h"
#include "platform/trim.h"

namespace {
constexpr int kRowHeight = 13;
constexpr const char* kAccepted =
    " 1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!@#$%^&*()-_=+,<.>/?;:'[{]}|";
}  // namespace

bool Console::accepts(char c) {
    return c != '\0' && std::strchr(kAccepted, c) != nullptr;
}

void Console::print(const std::string& text, uint32_t colour) {
    ++counter;
    if (lines.size() >= kMaxLines) {
        lines.erase(lines.begin());
        colours.erase(colours.begin());
    }
    std::string line = counter < 100 ? " " : "";
    line += std::to_string(counter) + ": " + text;
    lines.push_back(line);
    colours.push_back(colour);
    top = lastTop();
    if (listener) listener(line, colour);
}

void Console::handleKeys(InputDevice& device,
                         const std::function<void(const std::string&)>& runLine) {
    if (device.keyState(KeyCode::Enter) == InputDevice::Pressed) {
        std::string line = trimmed(input);
        input = line;
        if (!line.empty()) {
            runLine(line);
            input.clear();
        }
    } else if (device.keyState(KeyCode::UpArrow) != InputDevice::Up) {
        top = std::max(top - 1, 0);
    } else if (device.keyState(KeyCode::DownArrow) != InputDevice::Up) {
        if (static_cast<int>(lines.size()) >= kRows) ++top;
        if (top > lastTop()) top = lastTop();
    }
}

void Console::handleTyping() {
    if (typedChar == 0) return;
    char c = static_cast<char>(typedChar);
    if (c == KeyCode::Backspace) {
        if (!input.empty()) input.pop_back();
    } else if (accepts(c)) {
        input += c;
    }
    typedChar = 0;
}

void Console::drawPanel(Surface& back) {
    if (!back.valid()) return;
    if (panelImage && panelImage->valid()) panelImage->drawKeyed(back, 0, 0);
    uint32_t white = back.format().map(255, 255, 255);
    back.line(0, 0, 639, 0, white);
    back.line(0, 130, 639, 130, white);
    back.line(0, 150, 639, 150, white);
    back.line(0, 0, 0, 150, white);
    back.line(639, 0, 639, 150, white);

    size_t count = lines.size();
    for (int i = 0; i < kRows; ++i) {
        // Negative indices wrap to huge unsigned values and are skipped with the rest.
        size_t index = static_cast<size_t>(static_cast<int64_t>(top) + i);
        if (index >= count) continue;
        drawTextLine(back, 5, 5 + kRowHeight * i, colours[index], lines[index]);
    }
    drawTextLine(back, 5, 131, kWhite, "> " + input + "|");
}

void Console::runFrame(InputDevice* device, Surface* back,
                       const std::function<void(const std::string&)>& runLine) {
    if (device) handleKeys(*device, runLine);
    handleTyping();
    if (back) drawPanel(*back);
}
