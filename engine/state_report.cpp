#include "engine/state_report.h"

#include "engine/game_state.h"
#include "script/interpreter.h"

namespace {

template <typename T>
std::string joined(const T& items) {
    std::string out;
    for (const auto& item : items) {
        if (!out.empty()) out += ',';
        out += std::to_string(item);
    }
    return out;
}

std::string slots() {
    std::string out;
    for (const SoundSlot& slot : game().soundSlots) {
        if (!out.empty()) out += ',';
        out += slot.name + ":" + std::to_string(slot.playCount);
    }
    return out;
}

}  // namespace

std::vector<std::string> stateReport() {
    GameState& g = game();
    std::vector<std::string> lines;
    auto add = [&lines](const std::string& key, const std::string& value) {
        lines.push_back("S " + key + "=" + value);
    };
    add("mode", std::to_string(g.mode));
    add("view", g.currentView ? g.currentView->fileName() : std::string());
    add("base", g.currentView ? g.currentView->baseImage() : std::string());
    add("pointer", std::to_string(g.pointerShape));
    add("target", std::to_string(g.pointerTarget));
    add("inventory", joined(g.inventory));
    add("selection", std::to_string(g.inventorySelection));
    // Overlays, movies and music report their initial values until they exist.
    add("images", "");
    add("anims", "");
    add("movies", "");
    add("slots", slots());
    add("music", g.lastMusic + " 0");
    add("transition", g.transitionType + " " + std::to_string(g.transitionStep));
    add("console", g.consoleVisible ? "1" : "0");
    add("debug", g.debugMode ? "1" : "0");
    add("echo", echoLines() ? "1" : "0");
    add("page", std::to_string(g.savePage));
    if (g.currentView) {
        for (size_t i = 0; i < g.currentView->hotspotCount(); ++i) {
            const Hotspot& h = g.currentView->hotspot(i);
            lines.push_back("S hotspot=" + h.name() + " " + (h.enabled() ? "1" : "0") + " " +
                            (h.conditionResult() ? "1" : "0") + " " + std::to_string(h.cursor()));
        }
    }
    for (const auto& [name, value] : g.variables) {
        lines.push_back("S var=" + name + "=" + std::to_string(value));
    }
    lines.push_back("S end");
    return lines;
}
