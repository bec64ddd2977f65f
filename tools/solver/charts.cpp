#include "tools/solver/charts.h"

#include <map>
#include <set>

namespace {

// Right-button taps from `selection` until `wanted` is held, among `entries` entries.
int cyclesTo(int32_t selection, int32_t wanted, size_t entries) {
    int taps = 0;
    while (selection != wanted && taps <= static_cast<int>(entries) + 1) {
        const bool last = entries == 0 || selection + int64_t{1} >= static_cast<int64_t>(entries);
        selection = last ? -1 : selection + 1;
        ++taps;
    }
    return taps;
}

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// What a step changed in the variables and the inventory, as "+inv_horse, n=2".
std::string changes(const GameSnapshot& from, const GameSnapshot& to) {
    std::string out;
    auto add = [&out](const std::string& text) { out += (out.empty() ? "" : ", ") + text; };
    std::map<int32_t, std::string> names;
    for (const auto& [name, number] : to.itemTable) names[number] = name;
    std::multiset<int32_t> before(from.inventory.begin(), from.inventory.end()),
        after(to.inventory.begin(), to.inventory.end());
    for (const auto& [number, name] : names) {
        const size_t b = before.count(number), a = after.count(number);
        if (a > b) add("+" + name);
        if (a < b) add("-" + name);
    }
    for (const auto& [name, value] : to.variables) {
        if (name == "cursor" || name == "cursorinv") continue;
        // A variable read for the first time is made with 0: no change.
        auto old = from.variables.find(name);
        if (old == from.variables.end() ? value != 0 : old->second != value)
            add(name + "=" + std::to_string(value));
    }
    return out;
}

}  // namespace

std::string actionInput(int32_t selection, size_t entries, const Action& action) {
    std::string out;
    const int taps = cyclesTo(selection, action.selection, entries);
    for (int i = 0; i < taps; ++i) out += "tap MOUSE RIGHT\n";
    out += "move " + std::to_string(action.x) + " " + std::to_string(action.y) + "\n";
    return out + "frames 1\ntap MOUSE LEFT\n";
}

std::string walkthroughInput(const Exploration& e, const std::vector<uint32_t>& way) {
    std::string out =
        "# The shortest way to the ending: " + std::to_string(way.size()) + " actions.\n";
    for (uint32_t index : way) {
        const Transition& t = e.transitions[index];
        const GameSnapshot from = e.snapshot(t.from);
        out += "# " + describe(e, t) + "\n";
        out += actionInput(from.selection, from.inventory.size(), t.action);
    }
    return out + "frames 1\nstate\n";
}

std::string dotChart(const Exploration& e) {
    auto viewName = [&e](const std::string& file) {
        auto v = e.views.find(file);
        return v == e.views.end() || v->second.name.empty() ? file : v->second.name + "\\n" + file;
    };
    std::map<std::pair<std::string, std::string>, std::set<std::string>> wayLabels;
    std::map<std::string, std::set<std::string>> deeds;  // view -> "click 'x': changes"
    std::set<std::string> endings;
    for (const Transition& t : e.transitions) {
        const GameSnapshot from = e.snapshot(t.from), to = e.snapshot(t.to);
        std::string label = describe(e, t);
        label = label.substr(label.find(": ") + 2);
        const std::string changed = changes(from, to);
        if (to.mode == 2) {
            endings.insert(from.view);
            wayLabels[{from.view, "(ending)"}].insert(label);
        } else if (from.view != to.view) {
            wayLabels[{from.view, to.view}].insert(label +
                                                   (changed.empty() ? "" : "\\n" + changed));
        } else if (!changed.empty()) {
            deeds[from.view].insert(label + ": " + changed);
        }
    }
    std::string out =
        "digraph game {\n  rankdir=LR;\n  node [shape=box, fontname=\"sans\"];\n"
        "  edge [fontname=\"sans\", fontsize=10];\n";
    for (const auto& [file, facts] : e.views)
        out += "  " + quoted(file) + " [label=" + quoted(viewName(file)) + "];\n";
    if (!endings.empty()) out += "  \"(ending)\" [shape=doubleoctagon];\n";
    size_t note = 0;
    for (const auto& [file, list] : deeds) {
        std::string text;
        for (const std::string& d : list) text += d + "\\l";
        const std::string id = "note" + std::to_string(note++);
        out += "  " + id + " [shape=note, label=" + quoted(text) + "];\n";
        out += "  " + quoted(file) + " -> " + id + " [style=dashed, arrowhead=none];\n";
    }
    for (const auto& [pair, labels] : wayLabels) {
        std::string text;
        for (const std::string& l : labels) text += (text.empty() ? "" : "\\n") + l;
        out += "  " + quoted(pair.first) + " -> " + quoted(pair.second) +
               " [label=" + quoted(text) + "];\n";
    }
    return out + "}\n";
}
