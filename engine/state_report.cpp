#include "engine/state_report.h"

#include "engine/engine.h"

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

std::string names(const std::vector<std::string>& list) {
    std::string out;
    for (const std::string& name : list) {
        if (!out.empty()) out += ',';
        out += name;
    }
    return out;
}

// The five slots as name:count, or ":0" each before there are any.
std::string slots(const GameState& g) {
    std::string out;
    for (int i = 0; i < SoundSlots::kSlotCount; ++i) {
        if (!out.empty()) out += ',';
        if (g.sounds) {
            const SoundSlot& slot = g.sounds->slot(i);
            out += slot.name + ":" + std::to_string(slot.playCount);
        } else {
            out += ":0";
        }
    }
    return out;
}

std::string voices(const GameState& g) {
    std::array<int, SoundSlots::kSlotCount> counts{};
    if (g.sounds) counts = g.sounds->voicesSounding();
    return joined(counts);
}

}  // namespace

std::vector<std::string> stateReport(Engine& engine) {
    const GameState& g = engine.state_;
    const Scene& scene = engine.scene_;
    const View* view = scene.view();
    std::vector<std::string> lines;
    auto add = [&lines](const std::string& key, const std::string& value) {
        lines.push_back("S " + key + "=" + value);
    };
    add("mode", std::to_string(g.mode));
    add("view", view ? view->fileName() : std::string());
    add("base", view ? view->baseImage() : std::string());
    add("pointer", std::to_string(g.pointer.shape));
    add("target", std::to_string(g.pointer.target));
    add("inventory", joined(g.inventory.items));
    add("selection", std::to_string(g.inventory.selection));
    add("images", names(scene.overlays().imageNames()));
    add("anims", names(scene.overlays().animNames()));
    add("movies", names(scene.overlays().movieNames()));
    add("slots", slots(g));
    add("voices", voices(g));
    add("music", g.music ? g.music->lastMusic() + (g.music->isPlaying() ? " 1" : " 0")
                         : std::string("NONE 0"));
    add("transition", scene.transition().type + " " + std::to_string(scene.transition().step));
    add("console", g.console.visible ? "1" : "0");
    add("debug", g.debugMode ? "1" : "0");
    add("echo", engine.interpreter_.echoLines() ? "1" : "0");
    add("page", std::to_string(g.savePage.page));
    add("focus", engine.access_.focusName(g));
    if (view) {
        for (size_t i = 0; i < view->hotspotCount(); ++i) {
            const Hotspot& h = view->hotspot(i);
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
